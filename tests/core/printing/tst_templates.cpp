#include "TestShop.h"
#include "printing/PrintSources.h"
#include "printing/ReportTemplate.h"

#include <QtTest>

using namespace lanfan;
using namespace lanfan::printing;
using namespace Qt::StringLiterals;

namespace {

PrintOrder order(const QString &discount, int lines = 2)
{
    PrintOrder o = sampleOrder();
    o.lines = o.lines.mid(0, lines);
    o.savedLines = o.lines;
    o.discount = Money::parseOrZero(discount);
    o.total = o.listTotal().times(o.discount).dividedBy(Money::fromInt(10));
    return o;
}

} // namespace

class TestTemplates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void discountValues_data()
    {
        QTest::addColumn<QString>("discount");
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("saved");
        // Two lines: 38 + 58 = 96.
        QTest::newRow("undiscounted form") << "10" << int(PrintSource::Takeaway) << "无" << "0.00";
        QTest::newRow("undiscounted reprint") << "10" << int(PrintSource::Reprint) << "无" << "0.00";
        QTest::newRow("8 on a form") << "8" << int(PrintSource::Takeaway) << "8" << "19.20";
        QTest::newRow("8.5 on a form") << "8.5" << int(PrintSource::CallPopup) << "8.5" << "14.40";
        QTest::newRow("8 reprinted") << "8" << int(PrintSource::Reprint) << "8" << "19.20";
        QTest::newRow("0 reprinted: everything") << "0" << int(PrintSource::Reprint) << "0" << "96.00";
    }
    void discountValues()
    {
        QFETCH(QString, discount);
        QFETCH(int, source);
        QFETCH(QString, rate);
        QFETCH(QString, saved);
        test::TestShop shop;
        const auto v = templateValues(order(discount), PrintSource(source), TemplateKind::Receipt, shop.settings());
        QCOMPARE(v.value(u"折扣率"_s), rate);
        QCOMPARE(v.value(u"优惠金额"_s), saved);
        QCOMPARE(v.value(u"原价合计"_s), u"96.00"_s);
    }

    void pointsServiceAndTax()
    {
        test::TestShop shop;
        shop.settings().writeShop(shop.db(), u"积分规则"_s, 4);
        shop.settings().loadShop(shop.db());
        PrintOrder o = order(u"8"_s); // 96 → 76.80
        o.rounding = Money::parseOrZero(u"0.8"_s);
        o.total = Money::fromInt(76);
        o.previousPoints = Money::fromInt(100);
        o.serviceRate = Money::fromInt(10);
        o.taxRate = Money::fromInt(5);
        const auto v = orderValues(o, PrintSource::Takeaway, shop.settings());
        QCOMPARE(v.value(u"本次积分"_s), u"119"_s);     // 100 + 76 / 4
        QCOMPARE(v.value(u"服务费"_s), u"7.60"_s);      // 10 × (76.80 − 0.80) / 100
        QCOMPARE(v.value(u"税金"_s), u"3.80"_s);
        QCOMPARE(v.value(u"合计份数"_s), u"2"_s);
        QCOMPARE(v.value(u"合计"_s), u"76.00"_s);
    }

    void answeredNamesPerSource_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("answered");
        QTest::addColumn<QStringList>("unanswered");
        QTest::newRow("call receipt") << int(PrintSource::CallPopup) << int(TemplateKind::Receipt)
                                      << QStringList{u"使用积分"_s, u"优惠金额"_s, u"税金"_s, u"本次积分"_s, u"送餐日期"_s}
                                      << QStringList{u"收现"_s, u"餐台号"_s};
        QTest::newRow("takeaway C ticket") << int(PrintSource::Takeaway) << int(TemplateKind::CTicket)
                                           << QStringList{u"本次积分"_s, u"送餐日期"_s, u"合计"_s}
                                           << QStringList{u"优惠金额"_s, u"税金"_s};
        QTest::newRow("modification B ticket") << int(PrintSource::Modification) << int(TemplateKind::BTicket)
                                               << QStringList{u"订单号码"_s, u"使用积分"_s}
                                               << QStringList{u"本次积分"_s, u"送餐日期"_s};
        QTest::newRow("dine-in receipt") << int(PrintSource::DineIn) << int(TemplateKind::Receipt)
                                         << QStringList{u"收现"_s, u"找零"_s, u"餐台号"_s, u"前次积分"_s, u"原价合计"_s}
                                         << QStringList{u"使用积分"_s, u"区域"_s, u"折扣率"_s, u"优惠金额"_s, u"抹零金额"_s};
        QTest::newRow("dine-in one dish") << int(PrintSource::DineIn) << int(TemplateKind::OneDish)
                                          << QStringList{u"订餐时间"_s, u"菜品"_s, u"该账单该菜品总数"_s}
                                          << QStringList{u"订单号码"_s, u"公司名称"_s};
        QTest::newRow("retail receipt") << int(PrintSource::Retail) << int(TemplateKind::Receipt)
                                        << QStringList{u"收现"_s, u"找零"_s}
                                        << QStringList{u"原价合计"_s, u"账户余额"_s, u"餐台号"_s};
        QTest::newRow("retail B ticket") << int(PrintSource::Retail) << int(TemplateKind::BTicket) << QStringList{}
                                         << QStringList{u"公司名称"_s, u"合计"_s};
        QTest::newRow("reprint C ticket") << int(PrintSource::Reprint) << int(TemplateKind::CTicket)
                                          << QStringList{u"餐台号"_s, u"优惠金额"_s}
                                          << QStringList{u"送餐日期"_s, u"本次积分"_s};
    }
    void answeredNamesPerSource()
    {
        QFETCH(int, source);
        QFETCH(int, kind);
        QFETCH(QStringList, answered);
        QFETCH(QStringList, unanswered);
        const QSet<QString> names = answeredVariables(PrintSource(source), TemplateKind(kind));
        for (const auto &n : answered)
            QVERIFY2(names.contains(n), qPrintable(n));
        for (const auto &n : unanswered)
            QVERIFY2(!names.contains(n), qPrintable(n));
    }

    void oneDishValues()
    {
        PrintOrder o = order(u"10"_s, 3);
        o.lines[2] = o.lines[0];
        o.lines[2].quantity = Money::fromInt(-1);
        o.savedLines = o.lines;
        const auto v = printing::oneDishValues(o, o.lines[2], PrintSource::Modification);
        QCOMPARE(v.value(u"类型"_s), u"退菜"_s);
        QCOMPARE(v.value(u"份数"_s), u"-1"_s);
        QCOMPARE(v.value(u"该账单所有菜品总数"_s), u"1"_s);
        QCOMPARE(v.value(u"该账单该菜品总数"_s), u"0"_s);
        QCOMPARE(printing::oneDishValues(o, o.lines[2], PrintSource::Takeaway).value(u"类型"_s), u"点菜"_s);
    }

    void growth_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("growth");
        QTest::newRow("one line: none") << 22 << 1 << 0;
        QTest::newRow("no lines") << 22 << 0 << 0;
        QTest::newRow("three lines") << 22 << 3 << 123; // 22 × 2.8 × 2 = 123.2
        QTest::newRow("rounded up") << 25 << 2 << 70;
    }
    void growth()
    {
        QFETCH(int, height);
        QFETCH(int, lines);
        QFETCH(int, growth);
        QCOMPARE(pageGrowthTenthsMm(height, lines), growth);
        const ReportTemplate t = ReportTemplate::parse(u"x"_s, u"<!-- lanfan-template width=\"76\" height=\"50\" -->"_s);
        QList<PrintLine> l(lines);
        QCOMPARE(renderTemplate(t, {}, l, height).heightMm(), 50 + growth / 10.0);
    }

    void fillRepeatsTheBand()
    {
        const ReportTemplate t = ReportTemplate::parse(
            u"x"_s, u"<!-- lanfan-template width=\"58\" height=\"40\" --><p>[公司名称]|[不存在]</p><table>"
                    "<!-- 明细开始 --><tr><td>[产品名称]</td><td>[数量]</td><td>[合计]</td></tr><!-- 明细结束 --></table>"
                    "<p>[合计]</p>"_s);
        QCOMPARE(t.widthMm, 58.0);
        QCOMPARE(t.heightMm, 40.0);
        PrintOrder o = order(u"10"_s, 2);
        o.lines[1].dish = u"A&B<小>"_s;
        const QString html = fillTemplate(t, {{u"公司名称"_s, u"湘味"_s}, {u"合计"_s, u"96.00"_s}}, o.lines);
        QVERIFY(html.contains(u"<p>湘味|</p>"_s));
        QCOMPARE(html.count(u"<tr>"_s), 2);
        QVERIFY(html.contains(u"<td>小炒黄牛肉</td><td>1</td><td>96.00</td>"_s));
        QVERIFY(html.contains(u"A&amp;B&lt;小&gt;"_s));
        QVERIFY(html.endsWith(u"<p>96.00</p>"_s));
    }

    void stems()
    {
        QCOMPARE(takeawayTemplateStem(u"样式一"_s), u"自定义报表"_s);
        QCOMPARE(takeawayTemplateStem(u"样式二"_s), u"自定义报表2"_s);
        QCOMPARE(takeawayTemplateStem(u"样式十二"_s), u"自定义报表12"_s);
        QCOMPARE(dineInTemplateStem(u"样式六"_s), u"自定义堂食报表6"_s);
        QCOMPARE(dineInTemplateStem(u"样式七"_s), u"自定义堂食报表"_s);
        QCOMPARE(templateStems().size(), 12 + 6 + 6);
    }

    void everyStemHasADefaultAndTheShopsFileWins()
    {
        test::TestShop shop;
        for (const QString &stem : templateStems()) {
            ReportTemplate t;
            QString error;
            QVERIFY2(loadTemplate(shop.folder(), stem, &t, &error), qPrintable(stem + error));
            QCOMPARE(t.widthMm, 76.0);
            if (stem != u"打开钱箱" && stem != u"后厨一菜一单")
                QVERIFY2(!t.band.isEmpty(), qPrintable(stem));
        }
        QDir().mkpath(shop.folder().templates());
        test::writeFile(templatePath(shop.folder(), u"C小票"_s),
                        u"<!-- lanfan-template width=\"58\" height=\"30\" -->厨房[订单号码]"_s.toUtf8());
        ReportTemplate t;
        QString error;
        QVERIFY(loadTemplate(shop.folder(), u"C小票"_s, &t, &error));
        QCOMPARE(t.widthMm, 58.0);
        QVERIFY(!loadTemplate(shop.folder(), u"没有这个"_s, &t, &error));
        QVERIFY(error.contains(u"没有这个"_s));
        QCOMPARE(installDefaultTemplates(shop.folder()), int(templateStems().size()) - 1);
    }
};

QTEST_GUILESS_MAIN(TestTemplates)
#include "tst_templates.moc"
