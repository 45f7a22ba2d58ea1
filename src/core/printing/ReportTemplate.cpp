#include "ReportTemplate.h"

#include "PrintSources.h"
#include "data/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cmath>

using namespace Qt::StringLiterals;

static void initPrintingResources()
{
    Q_INIT_RESOURCE(printing);
}

namespace lanfan::printing {

namespace {

const QString kBandStart = u"<!-- 明细开始 -->"_s;
const QString kBandEnd = u"<!-- 明细结束 -->"_s;

const QStringList kNumerals{u"一"_s, u"二"_s, u"三"_s, u"四"_s, u"五"_s, u"六"_s,
                            u"七"_s, u"八"_s, u"九"_s, u"十"_s, u"十一"_s, u"十二"_s};

int styleNumber(const QString &style, int count)
{
    for (int n = 0; n < count; ++n)
        if (style == u"样式"_s + kNumerals[n])
            return n + 1;
    return 1;
}

QString substitute(const QString &text, const QMap<QString, QString> &a, const QMap<QString, QString> &b = {})
{
    static const QRegularExpression name(u"\\[([^\\[\\]<>\"]{1,24})\\]"_s);
    QString out;
    qsizetype at = 0;
    auto it = name.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(at, m.capturedStart() - at);
        const QString key = m.captured(1).trimmed();
        const QString value = b.contains(key) ? b.value(key) : a.value(key);
        out += value.toHtmlEscaped();
        at = m.capturedEnd();
    }
    out += text.mid(at);
    return out;
}

// Which built-in design serves a stem.
QString builtInFile(const QString &stem)
{
    if (stem == u"自定义报表英文版")
        return u"english"_s;
    if (stem.startsWith(u"自定义堂食报表"))
        return u"dinein"_s;
    if (stem.startsWith(u"自定义报表"))
        return u"receipt"_s;
    if (stem == u"B小票")
        return u"b"_s;
    if (stem == u"堂食B小票")
        return u"dinein_b"_s;
    if (stem == u"C小票")
        return u"c"_s;
    if (stem == u"后厨一菜一单")
        return u"onedish"_s;
    if (stem == u"打开钱箱")
        return u"drawer"_s;
    return {};
}

} // namespace

ReportTemplate ReportTemplate::parse(const QString &stem, const QString &text)
{
    ReportTemplate t;
    t.stem = stem;
    static const QRegularExpression header(
        u"<!--\\s*lanfan-template([^>]*)-->"_s);
    static const QRegularExpression attr(u"(width|height)\\s*=\\s*\"?([0-9.]+)\"?"_s);
    QString body = text;
    const auto h = header.match(text);
    if (h.hasMatch()) {
        auto it = attr.globalMatch(h.captured(1));
        while (it.hasNext()) {
            const auto a = it.next();
            const double v = a.captured(2).toDouble();
            if (v > 0 && a.captured(1) == u"width")
                t.widthMm = v;
            else if (v > 0)
                t.heightMm = v;
        }
        body.remove(h.capturedStart(), h.capturedLength());
    }
    const qsizetype start = body.indexOf(kBandStart);
    const qsizetype end = start < 0 ? -1 : body.indexOf(kBandEnd, start);
    if (start >= 0 && end > start) {
        t.head = body.left(start);
        t.band = body.mid(start + kBandStart.size(), end - start - kBandStart.size());
        t.tail = body.mid(end + kBandEnd.size());
    } else {
        t.head = body;
    }
    return t;
}

QString templatePath(const DataFolder &folder, const QString &stem)
{
    return QDir(folder.templates()).filePath(stem + u".html"_s);
}

QStringList templateStems()
{
    QStringList stems{u"自定义报表"_s};
    for (int n = 2; n <= 12; ++n)
        stems << u"自定义报表%1"_s.arg(n);
    stems << u"自定义堂食报表"_s;
    for (int n = 2; n <= 6; ++n)
        stems << u"自定义堂食报表%1"_s.arg(n);
    stems << u"自定义报表英文版"_s << u"B小票"_s << u"堂食B小票"_s << u"C小票"_s << u"后厨一菜一单"_s << u"打开钱箱"_s;
    return stems;
}

QString builtInTemplate(const QString &stem)
{
    const QString file = builtInFile(stem);
    if (file.isEmpty())
        return {};
    initPrintingResources();
    QFile f(u":/printing/"_s + file + u".html"_s);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

bool loadTemplate(const DataFolder &folder, const QString &stem, ReportTemplate *out, QString *error)
{
    QFile f(templatePath(folder, stem));
    if (f.exists()) {
        if (!f.open(QIODevice::ReadOnly)) {
            if (error)
                *error = u"报表模板无法读取："_s + f.fileName() + u" ("_s + f.errorString() + u')';
            return false;
        }
        *out = ReportTemplate::parse(stem, QString::fromUtf8(f.readAll()));
        return true;
    }
    const QString text = builtInTemplate(stem);
    if (text.isEmpty()) {
        if (error)
            *error = u"报表模板不存在："_s + f.fileName();
        return false;
    }
    *out = ReportTemplate::parse(stem, text);
    return true;
}

int installDefaultTemplates(const DataFolder &folder)
{
    QDir().mkpath(folder.templates());
    int written = 0;
    for (const QString &stem : templateStems()) {
        QFile f(templatePath(folder, stem));
        if (f.exists())
            continue;
        if (f.open(QIODevice::WriteOnly)) {
            f.write(builtInTemplate(stem).toUtf8());
            ++written;
        }
    }
    return written;
}

QString takeawayTemplateStem(const QString &style)
{
    const int n = styleNumber(style, 12);
    return n == 1 ? u"自定义报表"_s : u"自定义报表%1"_s.arg(n);
}

QString dineInTemplateStem(const QString &style)
{
    const int n = styleNumber(style, 6);
    return n == 1 ? u"自定义堂食报表"_s : u"自定义堂食报表%1"_s.arg(n);
}

int pageGrowthTenthsMm(int detailHeight, int lines)
{
    if (lines <= 1 || detailHeight <= 0)
        return 0;
    return int(std::lround(detailHeight * 2.8 * (lines - 1)));
}

QString fillTemplate(const ReportTemplate &t, const QMap<QString, QString> &values, const QList<PrintLine> &lines)
{
    QString html = substitute(t.head, values);
    if (!t.band.isEmpty())
        for (const auto &l : lines)
            html += substitute(t.band, values, lineValues(l));
    html += substitute(t.tail, values);
    return html;
}

PrintPage renderTemplate(const ReportTemplate &t, const QMap<QString, QString> &values, const QList<PrintLine> &lines,
                         int detailHeight, bool tallPage)
{
    PrintPage page;
    page.name = t.stem;
    page.width = unitsFromMm(t.widthMm);
    const double heightMm = tallPage ? 999.9
                                     : t.heightMm + pageGrowthTenthsMm(detailHeight, int(lines.size())) / 10.0;
    page.height = unitsFromMm(heightMm);
    PrintItem html;
    html.kind = PrintItem::Kind::Html;
    html.rect = QRectF(0, 0, page.width, page.height);
    html.text = fillTemplate(t, values, lines);
    page.items << html;
    return page;
}

} // namespace lanfan::printing
