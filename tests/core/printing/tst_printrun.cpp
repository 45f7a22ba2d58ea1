#include "PrintFixtures.h"
#include "TestShop.h"
#include "common/Text.h"
#include "printing/KitchenLog.h"
#include "printing/OrderPrinting.h"
#include "printing/PrintRunner.h"
#include "printing/PrintSink.h"
#include "printing/RawPort.h"

#include <QtTest>

using namespace lanfan;
using namespace lanfan::printing;
using namespace Qt::StringLiterals;

namespace {

// Runs the pauses at once, moving the fixed clock on by each pause.
class FakeScheduler final : public Scheduler {
public:
    explicit FakeScheduler(FixedClock &clock) : m_clock(clock) {}
    void after(int milliseconds, QObject *, std::function<void()> work) override
    {
        delays << milliseconds;
        m_clock.advanceSecs(milliseconds / 1000);
        work();
    }
    QList<int> delays;

private:
    FixedClock &m_clock;
};

const QString kOrder = u"202612110003"_s;

struct Run {
    test::TestShop shop;
    FakeScheduler scheduler{shop.clock()};
    PdfSink sink{QString(), {u"前台"_s, u"热菜"_s, u"凉菜"_s, u"厨房"_s}, false};
    KitchenLog log;
    QList<QDateTime> times;

    Run()
    {
        shop.context().currentOperator().name = u"小李"_s;
        sink.onOutput = [this](const PdfSink::Output &) { times << shop.clock().now(); };
    }
    void set(const QString &name, const QString &value) { shop.settings().write(name, value); }
    void setShop(const QString &column, const QVariant &value)
    {
        shop.settings().writeShop(shop.db(), column, value);
        shop.settings().loadShop(shop.db());
    }
    void print(PrintSource source = PrintSource::Takeaway, int copies = 0)
    {
        PrintRequest r;
        r.source = source;
        r.copies = copies;
        printSavedOrder(shop.context(), kOrder, r, sink, scheduler, &log);
    }
    QStringList logTexts() const
    {
        QStringList out;
        for (const auto &l : log.lines())
            out << l.mid(19); // without the time stamp
        return out;
    }
};

const QList<test::SavedLine> kFiveLines{{u"小炒黄牛肉"_s, u"微辣"_s, u"38"_s, u"1"_s, u"热菜"_s},
                                        {u"剁椒鱼头"_s, QString(), u"58"_s, u"1"_s, u"热菜"_s},
                                        {u"凉拌黄瓜"_s, QString(), u"12"_s, u"1"_s, u"凉菜"_s},
                                        {u"手撕包菜"_s, QString(), u"18"_s, u"1"_s, u"热菜"_s},
                                        {u"米饭"_s, QString(), u"2"_s, u"3"_s, QString()}};

} // namespace

class TestPrintRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void threeCopiesPauseOnlyBeforeTheThird()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines);
        run.set(u"开单后打印"_s, u"直接打印"_s);
        run.set(u"默认打印份数"_s, u"3"_s);
        run.set(u"多份数停顿间隔"_s, u"2"_s);
        const QDateTime start = run.shop.clock().now();
        run.print();
        QCOMPARE(run.sink.printed().size(), 3);
        for (const auto &o : run.sink.printed()) {
            QCOMPARE(o.title, u"小票"_s);
            QCOMPARE(o.copies, 1);
            QCOMPARE(o.printer, QString());
        }
        QCOMPARE(run.times, (QList<QDateTime>{start, start, start.addSecs(2)}));
        QCOMPARE(run.scheduler.delays, QList<int>{2000});
        QCOMPARE(PrintRunner::copyDelays(4, 5), (QList<int>{0, 0, 5, 5}));
    }

    void pauseRunsOnTheEventLoop()
    {
        // The real timer: the second and third copies come from the event loop, not a blocking wait.
        test::TestShop shop;
        test::addSavedOrder(shop.db(), kOrder, kFiveLines);
        shop.settings().write(u"开单后打印"_s, u"直接打印"_s);
        shop.settings().write(u"默认打印份数"_s, u"3"_s);
        shop.settings().write(u"多份数停顿间隔"_s, u"0"_s);
        PdfSink sink(QString(), {u"前台"_s}, false);
        TimerScheduler timers;
        auto *runner = printSavedOrder(shop.context(), kOrder, {PrintSource::Takeaway}, sink, timers);
        QVERIFY(runner);
        QTRY_COMPARE(sink.printed().size(), 3);
    }

    void outputModes_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("printed");
        QTest::addColumn<int>("previews");
        QTest::newRow("preview") << u"打印预览"_s << 0 << 1;
        QTest::newRow("direct") << u"直接打印"_s << 1 << 0;
        QTest::newRow("any other word prints") << u"马上打"_s << 1 << 0;
        QTest::newRow("none") << u"不打印"_s << 0 << 0;
    }
    void outputModes()
    {
        QFETCH(QString, mode);
        QFETCH(int, printed);
        QFETCH(int, previews);
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines);
        run.set(u"开单后打印"_s, mode);
        run.print();
        QCOMPARE(run.sink.printed().size(), printed);
        QCOMPARE(run.sink.previews().size(), previews);
    }

    void kitchenCopyOnTheKitchenPrinter()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines);
        run.set(u"开单后打印"_s, u"直接打印"_s);
        run.set(u"后厨打印机"_s, u"厨房"_s);
        run.print(PrintSource::Takeaway, 2);
        const auto out = run.sink.printed();
        QCOMPARE(out.size(), 3);
        QCOMPARE(out[2].title, u"后厨"_s);
        QCOMPARE(out[2].printer, u"厨房"_s);
        QCOMPARE(out[2].copies, 2);
    }

    void feedbackFormSplitsThirdPage_data()
    {
        QTest::addColumn<QString>("kitchen");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("no kitchen printer: three pages together") << QString() << QList<int>{3};
        QTest::newRow("kitchen printer: page three there") << u"厨房"_s << QList<int>{2, 1};
    }
    void feedbackFormSplitsThirdPage()
    {
        QFETCH(QString, kitchen);
        QFETCH(QList<int>, pages);
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines);
        run.set(u"开单后打印"_s, u"直接打印"_s);
        run.set(u"后厨打印机"_s, kitchen);
        run.setShop(u"打印样式"_s, u"反馈三联单"_s);
        run.print();
        QList<int> got;
        for (const auto &o : run.sink.printed())
            got << o.pages;
        QCOMPARE(got, pages);
        if (!kitchen.isEmpty())
            QCOMPARE(run.sink.printed().last().printer, kitchen);
    }

    void missingPrinterFallsBackAndIsLogged()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines);
        run.set(u"开单后打印"_s, u"直接打印"_s);
        run.set(u"后厨打印机"_s, u"二楼厨房"_s);
        run.print();
        QCOMPARE(run.sink.printed().size(), 2);
        QCOMPARE(run.sink.printed()[1].printer, QString()); // the default printer
        QCOMPARE(run.log.lines().size(), 1);
        QVERIFY(run.log.lines()[0].contains(u"二楼厨房"_s));
        QVERIFY(run.log.lines()[0].contains(u"默认打印机"_s));
    }

    void severalKitchenPrintersGetTheirOwnDishes()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines);
        run.set(u"开单后打印"_s, u"直接打印"_s);
        run.setShop(u"打印样式"_s, u"自定义报表"_s);
        run.set(u"C小票是否打印"_s, u"是"_s);
        run.set(u"C小票类型"_s, u"多菜一单"_s);
        run.set(u"后厨打印机台数"_s, u"多台后厨打印机"_s);
        const PrintPlan plan = planOrderPrint(run.shop.context(), kOrder, {PrintSource::Takeaway}, {u"前台"_s});
        QList<PrintJob> tickets;
        for (const auto &j : plan.jobs)
            if (j.title == u"C小票")
                tickets << j;
        QCOMPARE(tickets.size(), 2);
        QCOMPARE(tickets[0].printer, u"热菜"_s);
        QCOMPARE(tickets[1].printer, u"凉菜"_s);
        const QString hot = tickets[0].pages[0].items[0].text;
        const QString cold = tickets[1].pages[0].items[0].text;
        QVERIFY(hot.contains(u"剁椒鱼头"_s) && hot.contains(u"手撕包菜"_s) && !hot.contains(u"凉拌黄瓜"_s));
        QVERIFY(cold.contains(u"凉拌黄瓜"_s) && !cold.contains(u"剁椒鱼头"_s));
        QVERIFY(!hot.contains(u"米饭"_s) && !cold.contains(u"米饭"_s)); // a line without a printer goes nowhere

        run.print();
        QCOMPARE(run.logTexts(), (QStringList{u"多菜一单，多台后厨打印机，单据编号：202612110003,后厨打印机：热菜"_s,
                                              u"多菜一单，多台后厨打印机，单据编号：202612110003,后厨打印机：凉菜"_s}));
        QCOMPARE(run.log.lines()[0].left(19), u"2026-12-11 12:00:00"_s);
    }

    void oneDishTickets_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("tickets");
        QTest::addColumn<int>("previews");
        QTest::addColumn<int>("logLines");
        QTest::newRow("printed") << u"直接打印"_s << 3 << 0 << 3;
        QTest::newRow("previewed") << u"打印预览"_s << 0 << 3 << 0;
    }
    void oneDishTickets()
    {
        QFETCH(QString, mode);
        QFETCH(int, tickets);
        QFETCH(int, previews);
        QFETCH(int, logLines);
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines.mid(0, 3));
        run.set(u"开单后打印"_s, mode);
        run.setShop(u"打印样式"_s, u"自定义报表"_s);
        run.set(u"C小票是否打印"_s, u"是"_s);
        run.set(u"C小票类型"_s, u"一菜一单"_s);
        run.set(u"C小票打印机"_s, u"厨房"_s);
        run.print();
        int printed = 0, shown = 0;
        for (const auto &o : run.sink.outputs()) {
            if (o.title != u"一菜一单")
                continue;
            QCOMPARE(o.printer, u"厨房"_s);
            (o.preview ? shown : printed) += 1;
        }
        QCOMPARE(printed, tickets);
        QCOMPARE(shown, previews);
        QCOMPARE(run.log.lines().size(), logLines);
        if (logLines)
            QCOMPARE(run.logTexts()[1], u"一菜一单，单据编号：202612110003,后厨打印机：厨房,菜品名称：剁椒鱼头"_s);
    }

    void modificationSendsOnlyNewLines_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("tickets");
        QTest::newRow("不任意: the added dish") << u"不任意"_s << 1;
        QTest::newRow("任意: every line") << u"任意"_s << 5;
    }
    void modificationSendsOnlyNewLines()
    {
        QFETCH(QString, rule);
        QFETCH(int, tickets);
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines.mid(0, 4));
        for (const auto &l : kFiveLines.mid(0, 4))
            test::addModificationLine(run.shop.db(), kOrder, l, u"老单"_s);
        test::addModificationLine(run.shop.db(), kOrder, {u"酸梅汤"_s, QString(), u"6"_s, u"1"_s, u"凉菜"_s}, u"新单"_s);
        run.setShop(u"退菜规则"_s, rule);
        run.set(u"开单后打印"_s, u"直接打印"_s);
        run.setShop(u"打印样式"_s, u"自定义报表"_s);
        run.set(u"C小票是否打印"_s, u"是"_s);
        run.set(u"C小票类型"_s, u"一菜一单"_s);
        run.set(u"后厨打印机台数"_s, u"多台后厨打印机"_s);
        run.print(PrintSource::Modification);
        QCOMPARE(run.log.lines().size(), tickets);
        QVERIFY(run.log.lines().last().endsWith(u"菜品名称：酸梅汤"_s));
    }

    void customReportCopies()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines.mid(0, 2));
        run.set(u"开单后打印"_s, u"直接打印"_s);
        run.setShop(u"打印样式"_s, u"自定义报表"_s);
        run.set(u"B小票是否打印"_s, u"是"_s);
        run.set(u"B小票打印机"_s, u"前台"_s);
        run.print(PrintSource::Takeaway, 2);
        QStringList titles;
        for (const auto &o : run.sink.printed())
            titles << o.title + u'@' + o.printer;
        QCOMPARE(titles, (QStringList{u"自定义报表@"_s, u"自定义报表@"_s, u"B小票@前台"_s}));
        // The reprint prints one copy.
        run.sink.onOutput = {};
        PdfSink again(QString(), {u"前台"_s}, false);
        printSavedOrder(run.shop.context(), kOrder, {PrintSource::Reprint, 2}, again, run.scheduler, &run.log);
        QCOMPARE(again.printed().first().title, u"自定义报表"_s);
        QCOMPARE(again.printed().size(), 2); // report once, B ticket once
    }

    void customReportNeedsAPrinter()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines.mid(0, 2));
        run.setShop(u"打印样式"_s, u"自定义报表"_s);
        const PrintPlan takeaway = planOrderPrint(run.shop.context(), kOrder, {PrintSource::Takeaway}, {});
        QCOMPARE(takeaway.refusal, u"该计算机未安装打印机驱动，无法进行打印"_s);
        QVERIFY(takeaway.jobs.isEmpty());
        // The call popup does not ask.
        const PrintPlan call = planOrderPrint(run.shop.context(), kOrder, {PrintSource::CallPopup}, {});
        QVERIFY(call.refusal.isEmpty());
        QCOMPARE(call.jobs.size(), 1);
    }

    void callPopupPreviewIsTall()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines.mid(0, 3));
        run.setShop(u"打印样式"_s, u"自定义报表"_s);
        run.set(u"开单后打印"_s, u"打印预览"_s);
        const PrintPlan call = planOrderPrint(run.shop.context(), kOrder, {PrintSource::CallPopup}, {u"前台"_s});
        QCOMPARE(call.jobs.first().pages.first().heightMm(), 999.9);
        const PrintPlan form = planOrderPrint(run.shop.context(), kOrder, {PrintSource::Takeaway}, {u"前台"_s});
        QCOMPARE(form.jobs.first().pages.first().heightMm(), 128 + 12.3); // 22 × 2.8 × 2 tenths of a mm
    }

    void templateFamilyFollowsTheSource()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines.mid(0, 1), u"10"_s, u"堂食"_s, u"A3"_s);
        run.setShop(u"打印样式"_s, u"自定义报表"_s);
        run.set(u"开单后打印"_s, u"直接打印"_s);
        run.set(u"默认自定义堂食打印报表样式"_s, u"样式二"_s);
        QDir().mkpath(run.shop.folder().templates());
        test::writeFile(run.shop.path(u"templates/自定义堂食报表2.html"_s), "<p>TABLE [餐台号]</p>");
        const PrintPlan reprint = planOrderPrint(run.shop.context(), kOrder, {PrintSource::Reprint}, {u"前台"_s});
        QCOMPARE(reprint.jobs.first().pages.first().items.first().text, u"<p>TABLE A3</p>"_s);
        run.set(u"版本语言"_s, u"英语"_s);
        const PrintPlan english = planOrderPrint(run.shop.context(), kOrder, {PrintSource::Reprint}, {u"前台"_s});
        QVERIFY(english.jobs.first().pages.first().items.first().text.contains(u"Order No"_s));
    }

    void driverlessReceiptByteForByte()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder,
                            {{u"宫保鸡丁"_s, QString(), u"18"_s, u"2"_s, u"热菜"_s},
                             {u"酸辣土豆丝"_s, QString(), u"9.5"_s, u"1"_s, QString()}});
        run.setShop(u"店名"_s, u"湘味"_s);
        run.setShop(u"服务用语"_s, u"谢谢"_s);
        run.setShop(u"打印样式"_s, u"自定义报表"_s);
        const QString port = run.shop.path(u"lp0"_s);
        run.set(u"是否串口打印机"_s, u"是"_s);
        run.set(u"打印机串口号"_s, port);
        run.set(u"后厨打印机"_s, u"厨房"_s);
        run.set(u"C小票是否打印"_s, u"是"_s);
        run.print();
        QFile f(port);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray expected;
        expected += toGbk(u"[湘味送餐小票!]"_s) + "\r\n";
        expected += toGbk(u"餐品名:宫保鸡丁  。2  份。36.00元"_s) + "\r\n";
        expected += toGbk(u"餐品名:酸辣土豆丝。1  份。9.50 元"_s) + "\r\n";
        expected += toGbk(u"              合计:45.50元"_s) + "\r\n";
        expected += toGbk(u"配送地址:麓山南路932号"_s) + "\r\n";
        expected += toGbk(u"订餐人电话:13807310001"_s) + "\r\n";
        expected += toGbk(u"谢谢"_s) + "\r\n";
        expected += "\x0c\r\n";
        QCOMPARE(f.readAll(), expected);
        // Nothing else: no style, no kitchen copy, no C tickets.
        QVERIFY(run.sink.outputs().isEmpty());
        QVERIFY(run.log.lines().isEmpty());
    }

    void driverlessPortErrorKeepsTheOrder()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines.mid(0, 1));
        run.set(u"是否串口打印机"_s, u"是"_s);
        run.set(u"打印机串口号"_s, run.shop.path(u"no/such/folder/lp0"_s));
        run.print();
        QCOMPARE(run.shop.prompter().entries().size(), 1);
        QVERIFY(run.shop.prompter().lastText().contains(u"no/such/folder/lp0"_s));
        QVERIFY(run.shop.prompter().lastText().contains(u"订单已保存"_s));
        QCOMPARE(run.shop.db().scalar(u"select count(*) from 产品销售开票 where 单据编号=:n"_s, {{u"n"_s, kOrder}}).toInt(), 1);
    }

    void portNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("com1") << u"com1"_s << u"/dev/ttyS0"_s;
        QTest::newRow("COM3") << u"COM3"_s << u"/dev/ttyS2"_s;
        QTest::newRow("bare number") << u"2"_s << u"/dev/ttyS1"_s;
        QTest::newRow("path") << u"/dev/usb/lp1"_s << u"/dev/usb/lp1"_s;
    }
    void portNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QCOMPARE(portDevicePath(name), path);
        QVERIFY(portDevicePath(u"LPT1"_s).endsWith(u"lp0"_s));
    }

    void unknownOrder()
    {
        Run run;
        run.print();
        QCOMPARE(run.shop.prompter().lastText(), u"订单不存在：202612110003"_s);
        QVERIFY(run.sink.outputs().isEmpty());
    }

    void formSourcesPrintNowReprintTheSavedTime()
    {
        Run run;
        test::addSavedOrder(run.shop.db(), kOrder, kFiveLines.mid(0, 1));
        run.shop.clock().set(QDateTime(QDate(2026, 12, 11), QTime(12, 34, 56)));
        const PrintOrder form = orderToPrint(run.shop.context(), kOrder, PrintSource::Takeaway);
        QCOMPARE(form.orderTime, u"12:34:56"_s);
        QCOMPARE(form.operatorName, u"小李"_s);
        const PrintOrder reprint = orderToPrint(run.shop.context(), kOrder, PrintSource::Reprint);
        QCOMPARE(reprint.orderTime, u"11:30:00"_s);
        // The area goes in front of the address by the source's rule.
        QCOMPARE(reprint.address, u"麓山南路932号"_s);
        run.set(u"地址打印是否包含地区"_s, u"包含"_s);
        QCOMPARE(orderToPrint(run.shop.context(), kOrder, PrintSource::Reprint).address, u"岳麓区麓山南路932号"_s);
    }
};

QTEST_GUILESS_MAIN(TestPrintRun)
#include "tst_printrun.moc"
