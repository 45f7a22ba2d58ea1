#include "FixedLayouts.h"

#include "common/Text.h"
#include "data/Settings.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace lanfan::printing {

namespace {

constexpr int kLeft = 0x0001;
constexpr int kRight = 0x0002;
constexpr int kHCenter = 0x0004;
constexpr int kVCenter = 0x0080;

constexpr double kWide = unitsFromMm(76);
constexpr double kNarrow = unitsFromMm(58);
constexpr double kLine = 20;    // a header line
constexpr double kWrapLine = 17; // a continuation line of a wrapped text
constexpr double kLabel = 62;
constexpr double kInset = 8;   // width of a four-character label such as "地    址："

bool truthy(const QString &v)
{
    const QString t = v.trimmed().toLower();
    return t == u"1" || t == u"true" || t == u"是" || t == u"-1" || t == u"yes";
}

// Draws the items of one page from top to bottom.
class Builder {
public:
    Builder(const QString &name, double width, const LayoutOptions &o) : m_o(o)
    {
        m_page.name = name;
        m_page.width = width;
        // A small inset keeps the print off the paper's edges at zero margins.
        m_x = o.left + kInset;
        m_w = std::max(40.0, width - o.left - o.right - 2 * kInset);
        m_y = o.top;
    }

    double x() const { return m_x; }
    double w() const { return m_w; }
    double y() const { return m_y; }
    void advance(double h) { m_y += h; }

    void text(const QString &t, double x, double width, double h, double pt = 9, bool bold = false,
              bool visible = true, int align = kLeft | kVCenter)
    {
        PrintItem i;
        i.kind = PrintItem::Kind::Text;
        i.rect = QRectF(x, m_y, width, h);
        i.text = t;
        i.pointSize = pt;
        i.bold = bold;
        i.visible = visible;
        i.align = align;
        m_page.items << i;
    }

    void line(bool dashed = true)
    {
        PrintItem i;
        i.kind = PrintItem::Kind::Line;
        i.rect = QRectF(m_x, m_y + 3, m_w, 0);
        i.dashed = dashed;
        m_page.items << i;
        m_y += 6;
    }

    void box(double y0, double y1)
    {
        PrintItem i;
        i.kind = PrintItem::Kind::Box;
        i.rect = QRectF(m_x - 4, y0, m_w + 8, y1 - y0);
        m_page.items << i;
    }

    void smallBox(double x, double y, double size)
    {
        PrintItem i;
        i.kind = PrintItem::Kind::Box;
        i.rect = QRectF(x, y, size, size);
        m_page.items << i;
    }

    void logo()
    {
        PrintItem i;
        i.kind = PrintItem::Kind::Image;
        i.text = m_o.logoPath;
        i.rect = QRectF(m_x, m_y, m_w, m_w * 60.0 / 430.0);
        m_page.items << i;
        m_y += i.rect.height() + 4;
    }

    // The shop name: at 标题左边距, or outside the paper when the logo prints.
    void title(double pt = 14)
    {
        if (m_o.logo)
            logo();
        const double x = m_o.logo ? double(kTitleOutside) : m_x + m_o.titleLeft;
        text(m_o.shopName, x, std::max(40.0, m_x + m_w - x), 30, pt, true, true, kHCenter | kVCenter);
        m_y += 30;
    }

    // "label" + value on one line.
    void field(const QString &label, const QString &value, bool bold = false)
    {
        text(label + value, m_x, m_w, kLine, 9, bold);
        m_y += kLine;
    }

    // Two label-value pairs on one line, the second starting at the middle.
    void pair(const QString &a, const QString &b)
    {
        const double half = std::floor(m_w * 0.56);
        text(a, m_x, half, kLine);
        text(b, m_x + half, m_w - half, kLine);
        m_y += kLine;
    }

    // "label" + a value wrapped at `bytes`; the continuation lines sit under the value.
    void wrapped(const QString &label, const QString &value, int bytes)
    {
        const QStringList parts = wrapTextByBytes(bytes, value).split(QChar(13));
        for (int n = 0; n < parts.size(); ++n) {
            if (n == 0) {
                text(label + parts[n], m_x, m_w, kLine);
                m_y += kLine;
            } else {
                text(parts[n], m_x + kLabel, m_w - kLabel, kWrapLine);
                m_y += kWrapLine;
            }
        }
    }

    void footer()
    {
        for (const QString &t : {m_o.servicePhrase, m_o.shopPhone, m_o.website}) {
            text(t, m_x, m_w, kLine, 9, false, true, kHCenter | kVCenter);
            m_y += kLine;
        }
    }

    PrintPage finish(int formulaHeight)
    {
        m_page.height = std::max<double>(formulaHeight, std::ceil(m_y + m_o.bottom));
        return m_page;
    }

private:
    const LayoutOptions &m_o;
    PrintPage m_page;
    double m_x = 0, m_y = 0, m_w = 0;
};

QString detailTitle(const PrintOrder &o)
{
    return o.tableNumber.isEmpty() ? u"订餐明细"_s : u"餐台号："_s + o.tableNumber;
}

QString company(const PrintOrder &o, const LayoutOptions &opt)
{
    return opt.companyPrinted ? o.company : QString();
}

struct Column {
    QString head;
    double from, to; // fractions of the content width
    int align;
    bool flavour = false;
};

// Column heads and one row per line, each `rowHeight` high.
void detailTable(Builder &b, const PrintOrder &o, const LayoutOptions &opt, const QList<Column> &cols,
                 double rowHeight, const std::function<QString(const PrintLine &, int)> &cell)
{
    for (const auto &c : cols)
        b.text(c.head, b.x() + b.w() * c.from, b.w() * (c.to - c.from), kLine, 9, true,
               !c.flavour || opt.showFlavour, c.align | kVCenter);
    b.advance(kLine);
    for (const auto &l : o.lines) {
        for (int n = 0; n < cols.size(); ++n) {
            const auto &c = cols[n];
            b.text(cell(l, n), b.x() + b.w() * c.from, b.w() * (c.to - c.from), rowHeight, 9, false,
                   !c.flavour || opt.showFlavour, c.align | kVCenter);
        }
        b.advance(rowHeight);
    }
}

} // namespace

LayoutOptions LayoutOptions::fromSettings(const Settings &s, const QString &logoPath)
{
    LayoutOptions o;
    o.narrow = s.shop(u"打印幅面"_s) == u"58mm";
    o.showFlavour = s.value(u"口味打印"_s) != u"不打印";
    o.logo = truthy(s.shop(u"打印图片"_s));
    o.logoPath = logoPath;
    o.titleLeft = s.shop(u"标题左边距"_s).toInt();
    o.left = std::max(0, s.shop(u"左边距"_s).toInt());
    o.right = std::max(0, s.shop(u"右边距"_s).toInt());
    o.top = std::max(0, s.shop(u"上边距"_s).toInt());
    o.bottom = std::max(0, s.shop(u"下边距"_s).toInt());
    o.shopName = s.shop(u"店名"_s);
    o.servicePhrase = s.shop(u"服务用语"_s);
    o.shopPhone = s.shop(u"电话"_s);
    o.website = s.shop(u"网址"_s);
    return o;
}

int plainTicketHeight(bool narrow, int lines, int bottomMargin)
{
    return narrow ? lines * 32 + 418 : lines * 24 + bottomMargin + 426;
}

int kitchenTicketHeight(bool narrow, int lines, int bottomMargin)
{
    return narrow ? lines * 32 + 118 : lines * 24 + bottomMargin + 126;
}

int feedbackPageHeight(int lines, int bottomMargin)
{
    return lines * 24 + bottomMargin + 475;
}

PrintPage plainTicket(const PrintOrder &o, const LayoutOptions &opt)
{
    const int n = int(o.lines.size());
    if (!opt.narrow) {
        Builder b(u"76mm"_s, kWide, opt);
        b.title();
        b.field(u"送餐时间："_s, o.deliveryText());
        b.pair(u"订单号码："_s + o.orderNumber, u"送餐员："_s + o.worker);
        b.pair(u"姓    名："_s + o.customerName, u"积  分："_s + o.points);
        b.field(u"联系电话："_s, o.phone);
        b.wrapped(u"地    址："_s, o.address, 28);
        b.field(u"单    位："_s, company(o, opt));
        b.field(u"金额合计："_s, moneyText(o.total), true);
        b.line();
        b.text(detailTitle(o), b.x(), b.w(), kLine, 10, true, true, kHCenter | kVCenter);
        b.advance(kLine);
        detailTable(b, o, opt,
                    {{u"菜品名称"_s, 0.0, 0.38, kLeft},
                     {u"口味"_s, 0.38, 0.58, kLeft, true},
                     {u"单价"_s, 0.58, 0.74, kRight},
                     {u"份数"_s, 0.74, 0.85, kRight},
                     {u"合计"_s, 0.85, 1.0, kRight}},
                    24, [](const PrintLine &l, int c) {
                        switch (c) {
                        case 0: return l.dish;
                        case 1: return l.flavour;
                        case 2: return moneyText(l.price);
                        case 3: return quantityText(l.quantity);
                        default: return moneyText(l.amount);
                        }
                    });
        b.line();
        b.field(u"订餐时间："_s, o.orderDateTime());
        b.field(u"制 单 人："_s, o.operatorName);
        if (!o.note.isEmpty())
            b.wrapped(u"备    注："_s, o.note, 20);
        b.line();
        b.footer();
        return b.finish(plainTicketHeight(false, n, opt.bottom));
    }

    Builder b(u"58mm"_s, kNarrow, opt);
    b.title(12);
    b.field(u"订单号码："_s, o.orderNumber);
    b.field(u"制 单 人："_s, o.operatorName);
    b.field(u"送餐员："_s, o.worker);
    b.field(u"订餐："_s, o.orderDateTime());
    // The delivery label of this layout stays blank.
    b.text(u"    "_s, b.x(), b.w(), 4);
    b.field(u"姓    名："_s, o.customerName);
    b.field(u"积    分："_s, o.points);
    b.wrapped(u"联系电话："_s, o.phone, 20);
    b.field(u"单    位："_s, company(o, opt));
    b.wrapped(u"地    址："_s, o.address, 20);
    b.line();
    b.field(u"订餐明细："_s, o.tableNumber.isEmpty() ? QString() : o.tableNumber);
    const QList<Column> cols{{u"菜品名称"_s, 0.0, 0.5, kLeft},
                             {u"份数"_s, 0.5, 0.64, kRight},
                             {u"单价"_s, 0.64, 0.82, kRight},
                             {u"小计"_s, 0.82, 1.0, kRight}};
    for (const auto &c : cols)
        b.text(c.head, b.x() + b.w() * c.from, b.w() * (c.to - c.from), kLine, 9, true, true, c.align | kVCenter);
    b.advance(kLine);
    for (const auto &l : o.lines) {
        const QStringList cells{l.dish, quantityText(l.quantity), moneyText(l.price), moneyText(l.amount)};
        for (int c = 0; c < cols.size(); ++c)
            b.text(cells[c], b.x() + b.w() * cols[c].from, b.w() * (cols[c].to - cols[c].from), 16, 9, false, true,
                   cols[c].align | kVCenter);
        b.advance(16);
        b.text(l.flavour, b.x() + 12, b.w() - 12, 16, 8, false, opt.showFlavour);
        b.advance(16);
    }
    b.line();
    b.field(u"金额合计："_s, moneyText(o.total), true);
    b.wrapped(u"发货备注："_s, o.note, 20);
    b.line();
    b.footer();
    return b.finish(plainTicketHeight(true, n, opt.bottom));
}

PrintPage kitchenTicket(const PrintOrder &o, const LayoutOptions &opt)
{
    const int n = int(o.lines.size());
    Builder b(opt.narrow ? u"58mm后厨"_s : u"76mm后厨"_s, opt.narrow ? kNarrow : kWide, opt);
    b.text(opt.shopName, b.x(), b.w(), 26, opt.narrow ? 12 : 13, true, true, kHCenter | kVCenter);
    b.advance(26);
    b.field(u"订餐时间："_s, o.orderDateTime());
    b.field(u"订单号码："_s, o.orderNumber, true);
    b.text(detailTitle(o), b.x(), b.w(), kLine, 10, true, true, kHCenter | kVCenter);
    b.advance(kLine);
    const double rowHeight = opt.narrow ? 32 : 24;
    detailTable(b, o, opt,
                {{u"菜品名称"_s, 0.0, 0.5, kLeft},
                 {u"口味"_s, 0.5, 0.8, kLeft, true},
                 {opt.narrow ? u"份"_s : u"份数"_s, 0.8, 1.0, kRight}},
                rowHeight, [](const PrintLine &l, int c) {
                    return c == 0 ? l.dish : c == 1 ? l.flavour : quantityText(l.quantity);
                });
    return b.finish(kitchenTicketHeight(opt.narrow, n, opt.bottom));
}

QList<PrintPage> feedbackForm(const PrintOrder &o, const LayoutOptions &opt)
{
    const int n = int(o.lines.size());
    const double width = opt.narrow ? kNarrow : kWide;
    QList<PrintPage> pages;
    for (int page = 1; page <= 3; ++page) {
        Builder b(u"反馈三联单第%1联"_s.arg(page), width, opt);
        const double top = b.y();
        b.title(13);
        b.field(u"送餐时间："_s, o.deliveryText());
        b.pair(u"订单号码："_s + o.orderNumber, u"送餐员："_s + o.worker);
        b.box(top, b.y() + 2);
        b.advance(4);
        const double rows = b.y();
        for (const auto &[label, value] : QList<std::pair<QString, QString>>{
                 {u"姓    名："_s, o.customerName},
                 {u"联系电话："_s, o.phone},
                 {u"地    址："_s, o.address},
                 {u"单    位："_s, company(o, opt)},
                 {u"金额合计："_s, moneyText(o.total)}}) {
            const double y0 = b.y();
            if (label.startsWith(u"地"))
                b.wrapped(label, value, opt.narrow ? 20 : 28);
            else
                b.field(label, value, label.startsWith(u"金"));
            b.box(y0, b.y());
        }
        Q_UNUSED(rows);
        b.advance(4);
        b.text(detailTitle(o), b.x(), b.w(), kLine, 10, true, true, kHCenter | kVCenter);
        b.advance(kLine);
        const double tableTop = b.y();
        detailTable(b, o, opt,
                    {{u"菜品名称"_s, 0.0, 0.45, kLeft},
                     {u"口味"_s, 0.45, 0.7, kLeft, true},
                     {u"份"_s, 0.7, 0.82, kRight},
                     {u"合计"_s, 0.82, 1.0, kRight}},
                    24, [](const PrintLine &l, int c) {
                        return c == 0 ? l.dish
                             : c == 1 ? l.flavour
                             : c == 2 ? quantityText(l.quantity)
                                      : moneyText(l.amount);
                    });
        b.box(tableTop, b.y());
        b.advance(6);
        b.field(u"订餐时间："_s, o.orderDateTime());
        if (page == 1) {
            b.field(u"制 单 人："_s, o.operatorName);
            b.advance(4);
            b.text(u"请您评价我们的服务，非常感谢"_s, b.x(), b.w(), kLine, 9, true, true, kHCenter | kVCenter);
            b.advance(kLine + 4);
            const double third = b.w() / 3;
            int k = 0;
            for (const QString &word : {u"非常满意"_s, u"基本满意"_s, u"不满意"_s}) {
                b.smallBox(b.x() + third * k + 4, b.y() + 4, 12);
                b.text(word, b.x() + third * k + 20, third - 20, kLine);
                ++k;
            }
            b.advance(kLine + 10);
            b.text(u"客户签名"_s, b.x(), 60, kLine);
            PrintItem sign;
            sign.kind = PrintItem::Kind::Line;
            sign.rect = QRectF(b.x() + 62, b.y() + kLine - 2, b.w() - 62, 0);
            b.advance(kLine);
            pages << b.finish(feedbackPageHeight(n, opt.bottom));
            pages.last().items << sign;
            continue;
        }
        if (page == 2) {
            b.field(u"制 单 人："_s, o.operatorName);
            if (!o.note.isEmpty())
                b.wrapped(u"备    注："_s, o.note, 20);
            b.line();
            b.text(opt.shopPhone, b.x(), b.w(), kLine, 9, false, true, kHCenter | kVCenter);
            b.advance(kLine);
            b.text(opt.website, b.x(), b.w(), kLine, 9, false, true, kHCenter | kVCenter);
            b.advance(kLine);
            b.text(opt.servicePhrase, b.x(), b.w(), kLine, 9, false, true, kHCenter | kVCenter);
            b.advance(kLine);
            b.text(u"感谢您的支持，祝您用餐愉快"_s, b.x(), b.w(), kLine, 9, true, true, kHCenter | kVCenter);
            b.advance(kLine);
        } else {
            b.advance(4);
            b.text(u"实际出餐时间："_s, b.x(), 100, 24);
            b.smallBox(b.x() + 104, b.y() + 2, 20);
            b.text(u"时"_s, b.x() + 128, 20, 24);
            b.smallBox(b.x() + 152, b.y() + 2, 20);
            b.text(u"分"_s, b.x() + 176, 20, 24);
            b.advance(28);
        }
        pages << b.finish(feedbackPageHeight(n, opt.bottom));
    }
    return pages;
}

} // namespace lanfan::printing
