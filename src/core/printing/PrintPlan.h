#pragma once

#include "PrintLayout.h"
#include "PrintOrder.h"
#include "PrintSources.h"
#include "data/DataFolder.h"

#include <QDateTime>
#include <QStringList>

namespace lanfan {
class Settings;
}

namespace lanfan::printing {

// What 开单后打印 asks of the fixed layouts and the custom report.
enum class OutputMode { Preview, Print, None };
// "打印预览" → Preview, "不打印" → None, any other word prints directly.
OutputMode outputModeOf(const QString &setting);

// One thing to send to a printer or to a preview.
struct PrintJob {
    QString title;          // "小票", "后厨", "反馈三联单", "自定义报表", "B小票", "C小票", "一菜一单"
    QString printer;        // printer name; empty: the default printer
    QList<PrintPage> pages;
    int copies = 1;
    bool separateCopies = false; // each copy a job of its own, with the pause between copies
    int pauseSecs = 0;      // pause before the third and every later copy (separate copies only)
    bool preview = false;   // show a preview instead of printing
    QString logLine;        // kitchen log text (without the time) once printed directly
};

// Everything one print run does, worked out before anything is output.
struct PrintPlan {
    QList<PrintJob> jobs;
    QByteArray rawText;     // the driverless printer's receipt, when that printer is used
    QString rawPort;
    QString refusal;        // a message to show instead of the custom report
    QString templateError;  // a template that could not be loaded
    bool driverless() const { return !rawPort.isEmpty() || !rawText.isEmpty(); }
};

// What the order form (or the main window) asks for.
struct PrintRequest {
    PrintSource source = PrintSource::Reprint;
    int copies = 0;         // the form's copies box; 0: the copies setting of the source
    QString style = {};     // the style selector's text; empty: the shop's 打印样式
    QString mode = {};      // 开单后打印 for this run; empty: the setting
};

// The machine and shop around a print run.
struct PrintEnvironment {
    const Settings &settings;
    DataFolder folder;
    QStringList installedPrinters;
};

// Works out the print run of an order (the dispatch of every order source).
PrintPlan planPrintRun(const PrintOrder &order, const PrintRequest &request, const PrintEnvironment &env);

// The order as the source prints it: the form sources print "now" as the
// order time; the operator is the one printing.
PrintOrder orderForSource(PrintOrder order, PrintSource source, const QDateTime &now, const QString &operatorName);

// The kitchen log texts (the time stamp is put in front when printed).
QString oneDishLogText(const QString &orderNumber, const QString &printer, const QString &dish);
QString severalPrintersLogText(const QString &orderNumber, const QString &printer);
QString onePrinterLogText(const QString &orderNumber);

} // namespace lanfan::printing
