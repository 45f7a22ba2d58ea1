#pragma once

#include "PrintOrder.h"

#include <QMap>
#include <QSet>
#include <QString>

namespace lanfan {
class Settings;
}

namespace lanfan::printing {

// Where a print run starts. Every source runs the same print code; what
// differs between them is a row of parameters (SourceProfile).
enum class PrintSource { CallPopup, Takeaway, Modification, DineIn, Retail, Reprint };

// The kinds of template a print run fills.
enum class TemplateKind { Receipt, BTicket, CTicket, OneDish };

struct SourceProfile {
    PrintSource source;
    QString formName;           // the window that prints
    bool formValues;            // order date and time are "now"; the address follows the form's area rule
    bool dineInTemplates;       // dine-in template family (takeaway otherwise)
    bool familyByOrderKind;     // the family follows the order's kind (堂食 → dine-in)
    QString bTicketStem;        // "B小票", "堂食B小票"; empty: no B ticket
    QString bTicketSetting;     // setting that switches the B ticket on
    QString cTicketSetting;     // setting that switches the kitchen C tickets on; empty: none
    QString copiesSetting;      // receipt copies when the form gives none
    bool checksPrinter;         // refuses the custom report when no printer is installed
    bool tallPreview;           // preview page of the custom report is 9999 high
    bool kitchenOnlyNewLines;   // with 退菜规则 not "任意" only lines added now go to the kitchen
    bool oneCopy;               // the custom report prints once
};

const SourceProfile &profileOf(PrintSource source);
QString sourceName(PrintSource source);
// "call", "takeaway", "modification", "dinein", "retail", "reprint"; false when unknown.
bool parseSource(const QString &text, PrintSource *source);

// The names a template of `kind` gets answered when printed from `source`.
QSet<QString> answeredVariables(PrintSource source, TemplateKind kind);

// Every order-level template value of the order (names as the templates ask).
QMap<QString, QString> orderValues(const PrintOrder &order, PrintSource source, const Settings &settings);

// The values a template of `kind` gets: the order values it is answered,
// every other name is left out (prints empty).
QMap<QString, QString> templateValues(const PrintOrder &order, PrintSource source, TemplateKind kind,
                                      const Settings &settings);

// The one-dish values of a kitchen ticket for `line` (订单号, 份数, 菜品, 单价, 口味,
// 类型, 该账单所有菜品总数, 该账单该菜品总数).
QMap<QString, QString> oneDishValues(const PrintOrder &order, const PrintLine &line, PrintSource source);

// Values of one detail line, by the column names of the order lines.
QMap<QString, QString> lineValues(const PrintLine &line);

} // namespace lanfan::printing
