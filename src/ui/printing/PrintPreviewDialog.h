#pragma once

#include "printing/PrintPlan.h"
#include "printing/PrintSink.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace lanfan {
class AppContext;
}

namespace lanfan::printing {
class KitchenLog;
}

namespace lanfan::ui {

// The preview of one print job: the ticket as it will come out, on paper of
// its own size, with the preview's print button for the copies asked.
class PrintPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    PrintPreviewDialog(const printing::PrintJob &job, QWidget *parent = nullptr);
    ~PrintPreviewDialog() override;

    const printing::PrintJob &job() const { return m_job; }

private:
    printing::PrintJob m_job;
};

// The printers of the computer, with previews shown as windows over `parent`
// (window-modal, without blocking the caller).
class QtPrintSink : public printing::SystemPrintSink {
public:
    explicit QtPrintSink(QWidget *parent) : m_parent(parent) {}
    void preview(const printing::PrintJob &job) override;

private:
    QWidget *m_parent;
};

// Prints a saved order as `source` prints it: the one call of an order
// form's "打印" button and of the print after saving. `copies` is the form's
// copies box (0: the copies setting), `style` the style selector's text
// (empty: the shop's 打印样式). Kitchen log lines go to `log` when given,
// otherwise to the kitchen log file of the data folder.
void printOrder(QWidget *parent, AppContext &ctx, printing::PrintSource source, const QString &orderNumber,
                int copies = 0, const QString &style = QString(), printing::KitchenLog *log = nullptr);

} // namespace lanfan::ui
