#include "common/Text.h"
#include "printing/FixedLayouts.h"

#include <QtTest>

using namespace lanfan;
using namespace lanfan::printing;
using namespace Qt::StringLiterals;

namespace {

PrintOrder orderOf(int lines)
{
    PrintOrder o = sampleOrder();
    while (o.lines.size() > lines)
        o.lines.removeLast();
    while (o.lines.size() < lines)
        o.lines << o.lines.first();
    o.total = o.listTotal();
    o.address = u"麓山南路932号"_s;
    o.note = u"少放辣"_s;
    return o;
}

LayoutOptions options(bool narrow = false)
{
    LayoutOptions opt;
    opt.narrow = narrow;
    opt.shopName = u"湘味快餐"_s;
    opt.servicePhrase = u"欢迎再次光临"_s;
    opt.shopPhone = u"0731-1234567"_s;
    opt.website = u"www.example.cn"_s;
    return opt;
}

} // namespace

class TestLayouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hiddenFlavourKeepsItsPlace()
    {
        const PrintOrder o = orderOf(3);
        LayoutOptions shown = options();
        shown.showFlavour = true;
        LayoutOptions hidden = options();
        hidden.showFlavour = false;
        const PrintPage a = plainTicket(o, shown);
        const PrintPage b = plainTicket(o, hidden);
        const PrintItem *headA = a.findText(u"口味"_s);
        const PrintItem *headB = b.findText(u"口味"_s);
        QVERIFY(headA && headB);
        QVERIFY(headA->visible);
        QVERIFY(!headB->visible);
        QCOMPARE(headB->rect, headA->rect);
        // The flavour of the first line: drawn in white at the same place.
        const PrintItem *flavourA = a.findText(u"微辣"_s);
        const PrintItem *flavourB = b.findText(u"微辣"_s);
        QVERIFY(flavourA && flavourB);
        QVERIFY(!flavourB->visible);
        QCOMPARE(flavourB->rect, flavourA->rect);
        QVERIFY(!b.visibleTexts().contains(u"微辣"_s));
        // The unit price keeps its column.
        QCOMPARE(b.findText(u"单价"_s)->rect, a.findText(u"单价"_s)->rect);
        QCOMPARE(a.items.size(), b.items.size());
    }

    void addressWrapsAt28Bytes()
    {
        PrintOrder o = orderOf(1);
        o.address = u"湖南省长沙市岳麓区麓山南路九三二号"_s; // 34 bytes
        o.address += u"ABCDEF"_s;                       // 40 bytes
        QCOMPARE(gbkWidth(o.address), 40);
        const PrintPage p = plainTicket(o, options());
        const PrintItem *first = p.findText(u"地    址："_s);
        QVERIFY(first);
        const QString firstPart = first->text.mid(QStringLiteral("地    址：").size());
        QCOMPARE(gbkWidth(firstPart), 28);
        // The continuation sits on the next line, under the value.
        const PrintItem *second = nullptr;
        for (const auto &i : p.items)
            if (i.kind == PrintItem::Kind::Text && i.rect.top() > first->rect.top() && i.rect.top() < first->rect.bottom() + 5)
                second = &i;
        QVERIFY(second);
        QCOMPARE(gbkWidth(second->text), 12);
        QCOMPARE(firstPart + second->text, o.address);
        QVERIFY(second->rect.left() > first->rect.left());
    }

    void textOrder76()
    {
        PrintOrder o = orderOf(2);
        const QStringList texts = plainTicket(o, options()).visibleTexts();
        QStringList starts{u"湘味快餐"_s, u"送餐时间："_s, u"订单号码："_s, u"送餐员："_s, u"姓    名："_s, u"积  分："_s,
                           u"联系电话："_s, u"地    址："_s, u"单    位："_s, u"金额合计："_s, u"订餐明细"_s, u"菜品名称"_s};
        starts << u"订餐时间："_s << u"制 单 人："_s << u"欢迎再次光临"_s << u"0731-1234567"_s << u"www.example.cn"_s;
        int at = 0;
        for (const QString &s : starts) {
            while (at < texts.size() && !texts[at].startsWith(s))
                ++at;
            QVERIFY2(at < texts.size(), qPrintable(u"missing or out of order: "_s + s));
        }
    }

    void tableNumberReplacesDetailTitle()
    {
        PrintOrder o = orderOf(1);
        o.tableNumber = u"A8"_s;
        const PrintPage p = plainTicket(o, options());
        QVERIFY(p.findText(u"餐台号：A8"_s));
        QVERIFY(!p.findText(u"订餐明细"_s));
    }

    void textOrder58()
    {
        PrintOrder o = orderOf(2);
        const PrintPage p = plainTicket(o, options(true));
        const QStringList texts = p.visibleTexts();
        const QStringList starts{u"湘味快餐"_s, u"订单号码："_s, u"制 单 人："_s, u"送餐员："_s, u"订餐："_s, u"姓    名："_s,
                                 u"积    分："_s, u"联系电话："_s, u"单    位："_s, u"地    址："_s, u"订餐明细："_s,
                                 u"菜品名称"_s, u"份数"_s, u"单价"_s, u"小计"_s, u"金额合计："_s, u"发货备注："_s};
        int at = 0;
        for (const QString &s : starts) {
            while (at < texts.size() && !texts[at].startsWith(s))
                ++at;
            QVERIFY2(at < texts.size(), qPrintable(u"missing or out of order: "_s + s));
        }
        // The flavour prints on a line of its own under the dish.
        LayoutOptions shown = options(true);
        shown.showFlavour = true;
        const PrintPage q = plainTicket(o, shown);
        const PrintItem *dish = q.findText(u"小炒黄牛肉"_s);
        const PrintItem *flavour = q.findText(u"微辣"_s);
        QVERIFY(dish && flavour);
        QVERIFY(flavour->rect.top() >= dish->rect.bottom());
    }

    void pageHeights_data()
    {
        QTest::addColumn<bool>("narrow");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<int>("ticket");
        QTest::addColumn<int>("kitchen");
        QTest::newRow("76mm, 5 lines") << false << 5 << 10 << 5 * 24 + 10 + 426 << 5 * 24 + 10 + 126;
        QTest::newRow("76mm, 12 lines") << false << 12 << 0 << 12 * 24 + 426 << 12 * 24 + 126;
        QTest::newRow("58mm, 5 lines") << true << 5 << 10 << 5 * 32 + 418 << 5 * 32 + 118;
    }
    void pageHeights()
    {
        QFETCH(bool, narrow);
        QFETCH(int, lines);
        QFETCH(int, bottom);
        QFETCH(int, ticket);
        QFETCH(int, kitchen);
        LayoutOptions opt = options(narrow);
        opt.bottom = bottom;
        const PrintOrder o = orderOf(lines);
        QCOMPARE(plainTicket(o, opt).height, double(ticket));
        QCOMPARE(kitchenTicket(o, opt).height, double(kitchen));
        QCOMPARE(plainTicket(o, opt).widthMm(), narrow ? 58.0 : 76.0);
        const QList<PrintPage> form = feedbackForm(o, opt);
        QCOMPARE(form.size(), 3);
        for (const auto &p : form)
            QCOMPARE(p.height, double(lines * 24 + bottom + 475));
    }

    void longContentGrowsThePage()
    {
        // An address of five lines does not fit the fixed height: the page grows instead of cutting it.
        PrintOrder o = orderOf(1);
        o.address = QString(70, QChar(u'长'));
        const PrintPage p = plainTicket(o, options());
        double lowest = 0;
        for (const auto &i : p.items)
            lowest = qMax(lowest, i.rect.bottom());
        QVERIFY(p.height >= lowest);
    }

    void titleAndLogo()
    {
        const PrintOrder o = orderOf(1);
        LayoutOptions opt = options();
        opt.titleLeft = 30;
        opt.left = 5;
        PrintPage p = plainTicket(o, opt);
        const PrintItem *title = p.findText(u"湘味快餐"_s);
        QVERIFY(title);
        QCOMPARE(title->rect.left(), 5 + 8 + 30.0);
        for (const auto &i : p.items)
            QVERIFY(i.kind != PrintItem::Kind::Image);

        opt.logo = true;
        opt.logoPath = u"/data/店标.bmp"_s;
        p = plainTicket(o, opt);
        title = p.findText(u"湘味快餐"_s);
        QCOMPARE(title->rect.left(), double(kTitleOutside));
        QVERIFY(title->rect.left() > p.width);
        bool logo = false;
        for (const auto &i : p.items)
            logo = logo || (i.kind == PrintItem::Kind::Image && i.text == opt.logoPath);
        QVERIFY(logo);
    }

    void marginsMoveTheContent()
    {
        const PrintOrder o = orderOf(1);
        LayoutOptions opt = options();
        const double x0 = plainTicket(o, opt).findText(u"送餐时间："_s)->rect.left();
        const double y0 = plainTicket(o, opt).findText(u"送餐时间："_s)->rect.top();
        opt.left = 12;
        opt.top = 20;
        const PrintItem *moved = plainTicket(o, opt).findText(u"送餐时间："_s);
        QCOMPARE(moved->rect.left(), x0 + 12);
        QCOMPARE(moved->rect.top(), y0 + 20);
    }

    void feedbackPages()
    {
        const QList<PrintPage> form = feedbackForm(orderOf(2), options());
        QVERIFY(form[0].findText(u"请您评价我们的服务，非常感谢"_s));
        QVERIFY(form[0].findText(u"非常满意"_s) && form[0].findText(u"基本满意"_s) && form[0].findText(u"不满意"_s));
        QVERIFY(form[0].findText(u"客户签名"_s));
        QVERIFY(form[1].findText(u"感谢您的支持，祝您用餐愉快"_s));
        QVERIFY(form[1].findText(u"欢迎再次光临"_s));
        QVERIFY(form[2].findText(u"实际出餐时间："_s));
        QVERIFY(form[2].findText(u"时"_s) && form[2].findText(u"分"_s));
        QVERIFY(!form[2].findText(u"客户签名"_s));
        for (const auto &p : form) {
            QVERIFY(p.findText(u"订单号码：202612110007"_s));
            QVERIFY(p.findText(u"份"_s));
        }
    }

    void kitchenTicketTexts()
    {
        LayoutOptions opt = options(true);
        opt.showFlavour = false;
        const PrintPage p = kitchenTicket(orderOf(2), opt);
        QVERIFY(p.findText(u"订餐时间："_s));
        QVERIFY(p.findText(u"订单号码："_s));
        QVERIFY(p.findText(u"份"_s));
        QVERIFY(!p.findText(u"份数"_s));
        QVERIFY(!p.findText(u"口味"_s)->visible);
        QVERIFY(!p.findText(u"单价"_s));
    }
};

QTEST_GUILESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
