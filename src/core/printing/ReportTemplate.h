#pragma once

#include "PrintLayout.h"
#include "PrintOrder.h"

#include <QMap>

namespace lanfan {
class DataFolder;
}

namespace lanfan::printing {

// A receipt template of our own format ("自定义报表"): an HTML file in the
// templates folder of the data folder, named by its stem ("自定义报表.html",
// "C小票.html", ...). The first line declares the paper:
//     <!-- lanfan-template width="76" height="95" -->
// (millimetres; the height is the page for an order of one line). Values are
// written as [名称] and are replaced by the value the program answers for the
// name (HTML-escaped; a name not answered prints nothing). The part between
// <!-- 明细开始 --> and <!-- 明细结束 --> is the detail band: it is repeated
// for every order line, with the line's [产品名称] [口味] [单价] [数量]
// [应付货款] [后厨打印机] besides the order's values. For every extra line the
// page grows by 主项数据高度 × 2.8 tenths of a millimetre.
struct ReportTemplate {
    QString stem;
    double widthMm = 76;
    double heightMm = 100;
    QString head; // before the detail band
    QString band; // the detail band, empty when the template has none
    QString tail; // after the detail band

    static ReportTemplate parse(const QString &stem, const QString &text);
};

// File of a stem in the data folder's templates folder.
QString templatePath(const DataFolder &folder, const QString &stem);
// The template the shop designed, or the built-in default of the stem when
// the shop has none. `error` tells why a stem is unknown (no template).
bool loadTemplate(const DataFolder &folder, const QString &stem, ReportTemplate *out, QString *error);
// The built-in default text of a stem; empty for a stem we do not know.
QString builtInTemplate(const QString &stem);
// Every stem a shop may design.
QStringList templateStems();
// Writes the built-in defaults for the stems the shop has no file for; returns how many.
int installDefaultTemplates(const DataFolder &folder);

// Stems chosen by the style settings: "样式一" → "自定义报表", "样式二" → "自定义报表2", …;
// dine-in: "样式一" → "自定义堂食报表", …. Unknown words give the first style.
QString takeawayTemplateStem(const QString &style);
QString dineInTemplateStem(const QString &style);

// Growth of the page for `lines` detail lines, in tenths of a millimetre.
int pageGrowthTenthsMm(int detailHeight, int lines);

// Fills the template and lays it out on one page. `tallPage` makes the page
// 9999 tenths of a millimetre high (the preview of a call order).
PrintPage renderTemplate(const ReportTemplate &t, const QMap<QString, QString> &values,
                         const QList<PrintLine> &lines, int detailHeight, bool tallPage = false);
// The filled HTML alone.
QString fillTemplate(const ReportTemplate &t, const QMap<QString, QString> &values, const QList<PrintLine> &lines);

} // namespace lanfan::printing
