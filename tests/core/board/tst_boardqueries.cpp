#include "BoardFixtures.h"
#include "TestShop.h"
#include "board/BoardLayout.h"
#include "board/BoardQueries.h"
#include "board/TodayFigures.h"

#include <QtTest>

using namespace lanfan;
using namespace lanfan::board;
using namespace lanfan::test;
using namespace Qt::StringLiterals;

namespace {

const QDate kYesterday(2026, 12, 10);
const QDate kToday(2026, 12, 11);

QStringList numbers(const QList<SqlRow> &rows)
{
    QStringList out;
    for (const SqlRow &r : rows)
        out << r.text(u"单据编号"_s);
    return out;
}

BoardOrder order(const QString &number, QDate takenOn)
{
    BoardOrder o;
    o.number = number;
    o.takenOn = takenOn;
    return o;
}

} // namespace

class TestBoardQueries : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // With the cut-off at 3 the board, the dine-in tab and the figures show
    // yesterday's business until 03:00:00 and today's after it.
    void cutOffDecidesTheBusinessDay_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("expected");
        QTest::newRow("02:30") << QTime(2, 30) << u"Y"_s;
        QTest::newRow("03:00:00") << QTime(3, 0, 0) << u"Y"_s;
        QTest::newRow("03:00:01") << QTime(3, 0, 1) << u"T"_s;
    }
    void cutOffDecidesTheBusinessDay()
    {
        QFETCH(QTime, now);
        QFETCH(QString, expected);
        TestShop shop;
        shop.settings().write(u"营业延长时间"_s, u"3"_s);
        shop.clock().set(QDateTime(kToday, now));
        addBoardOrder(shop.db(), order(u"Y"_s, kYesterday));
        addBoardOrder(shop.db(), order(u"T"_s, kToday));
        BoardOrder dineY = order(u"DY"_s, kYesterday);
        dineY.kind = u"堂食"_s;
        addBoardOrder(shop.db(), dineY);
        BoardOrder dineT = order(u"DT"_s, kToday);
        dineT.kind = u"堂食"_s;
        addBoardOrder(shop.db(), dineT);

        BoardQueries q(shop.context());
        QCOMPARE(numbers(q.takeaway({})), QStringList{expected});
        QCOMPARE(numbers(q.dineIn({}, false)), QStringList{u"D"_s + expected});
        const TodayFigures f = computeTodayFigures(shop.context());
        QCOMPARE(f.orders, qint64(2)); // one takeaway and one dine-in order of that day
        QCOMPARE(f.portions, Money::fromInt(6));
        QCOMPARE(f.toDeliver, qint64(2));
        QCOMPARE(f.undelivered, qint64(2));
        QCOMPARE(f.unpaid, Money::fromInt(60));
        QCOMPARE(f.futureOrders, qint64(expected == u"Y" ? 2 : 0));
        const QList<DishSale> dishes = q.dishSales(u"全天"_s);
        QCOMPARE(dishes.size(), 2);
        QHash<QString, Money> sold;
        for (const DishSale &d : dishes)
            sold.insert(d.dish, d.quantity);
        QCOMPARE(sold.value(u"宫保鸡丁"_s), Money::fromInt(4));
        QCOMPARE(sold.value(u"米饭"_s), Money::fromInt(2));
    }

    void deliveryDayListsOrdersTakenEarlier()
    {
        TestShop shop;
        BoardOrder early = order(u"E"_s, kYesterday);
        early.dueOn = kToday;
        addBoardOrder(shop.db(), early);
        BoardOrder later = order(u"L"_s, kToday);
        later.dueOn = kToday.addDays(1);
        addBoardOrder(shop.db(), later);
        BoardQueries q(shop.context());
        QCOMPARE(numbers(q.takeaway({})), QStringList{u"L"_s});
        shop.settings().write(u"主窗口显示订单"_s, u"显示当天送单"_s);
        QCOMPARE(numbers(q.takeaway({})), QStringList{u"E"_s});
    }

    void takeawayTabTakesTakeawayAndUntypedOrders()
    {
        TestShop shop;
        BoardOrder a = order(u"A"_s, kToday);
        addBoardOrder(shop.db(), a);
        BoardOrder empty = order(u"B"_s, kToday);
        empty.kind = u""_s;
        addBoardOrder(shop.db(), empty);
        BoardOrder null = order(u"C"_s, kToday);
        null.kind = QString();
        addBoardOrder(shop.db(), null);
        BoardOrder dine = order(u"D"_s, kToday);
        dine.kind = u"堂食"_s;
        addBoardOrder(shop.db(), dine);
        BoardOrder retail = order(u"E"_s, kToday);
        retail.kind = u"零售"_s;
        addBoardOrder(shop.db(), retail);
        BoardQueries q(shop.context());
        const QList<SqlRow> rows = q.takeaway({});
        QCOMPARE(numbers(rows), (QStringList{u"A"_s, u"B"_s, u"C"_s}));
        // One row per order, its portions summed over the lines.
        QCOMPARE(rows[0].money(u"份数"_s), Money::fromInt(3));
        QCOMPARE(rows[0].money(u"应付货款"_s), Money::fromInt(30));
        QCOMPARE(numbers(q.dineIn({}, false)), QStringList{u"D"_s});
    }

    void stateFilterTestsTheFlags_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("全部") << u"全部"_s << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s};
        QTest::newRow("未发货未交款") << u"未发货未交款"_s << QStringList{u"1"_s};
        QTest::newRow("未发货已收款") << u"未发货已收款"_s << QStringList{u"2"_s};
        QTest::newRow("已发货未收款") << u"已发货未收款"_s << QStringList{u"3"_s};
        QTest::newRow("已发货已收款") << u"已发货已收款"_s << QStringList{u"4"_s};
    }
    void stateFilterTestsTheFlags()
    {
        QFETCH(QString, state);
        QFETCH(QStringList, expected);
        TestShop shop;
        int n = 0;
        for (bool dispatched : {false, true})
            for (bool paid : {false, true}) {
                BoardOrder o = order(QString::number(++n), kToday);
                o.dispatched = dispatched;
                o.paid = paid;
                addBoardOrder(shop.db(), o);
            }
        // The state text lies on purpose: the filter reads the flags.
        shop.db().execute(u"update 产品销售开票 set 订单状态='未发货未收款'"_s);
        BoardFilter f;
        f.state = state;
        QCOMPARE(numbers(BoardQueries(shop.context()).takeaway(f)), expected);
    }

    void areaWorkerMealAndPeriodFilters()
    {
        TestShop shop;
        BoardOrder a = order(u"A"_s, kToday);
        a.area = u"西区"_s;
        a.worker = u"小王"_s;
        addBoardOrder(shop.db(), a);
        BoardOrder b = order(u"B"_s, kToday);
        b.meal = u"晚餐"_s;
        addBoardOrder(shop.db(), b);
        addBoardOrder(shop.db(), order(u"C"_s, kToday.addDays(-3)));
        BoardQueries q(shop.context());
        BoardFilter f;
        f.area = u"西区"_s;
        QCOMPARE(numbers(q.takeaway(f)), QStringList{u"A"_s});
        f = {};
        f.worker = u"小王"_s;
        QCOMPARE(numbers(q.takeaway(f)), QStringList{u"A"_s});
        f = {};
        f.mealPeriod = u"晚餐"_s;
        QCOMPARE(numbers(q.takeaway(f)), QStringList{u"B"_s});
        f = {};
        f.anyPeriod = true;
        f.from = kToday.addDays(-3);
        f.to = kToday.addDays(-1);
        QCOMPARE(numbers(q.takeaway(f)), QStringList{u"C"_s});
        f.to = kToday;
        f.sortBy = u"区域"_s;
        QCOMPARE(numbers(q.takeaway(f)).last(), u"A"_s); // 西区 sorts after 东区
        // The refresh of the dine-in tab ignores the filters; "查询" applies them.
        BoardOrder d = order(u"D"_s, kToday);
        d.kind = u"堂食"_s;
        addBoardOrder(shop.db(), d);
        f = {};
        f.area = u"西区"_s;
        QCOMPARE(numbers(q.dineIn(f, false)), QStringList{u"D"_s});
        QCOMPARE(numbers(q.dineIn(f, true)), QStringList{});
    }

    // Between midnight and the cut-off the day's takings run from yesterday
    // at the cut-off to today at the cut-off; after the cut-off from today's
    // cut-off on. Credit orders are not takings.
    void takingsFollowTheBusinessDay_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("received");
        QTest::addColumn<qint64>("credit");
        QTest::addColumn<qint64>("delivered");
        // Payments: yesterday 02:59 (1), yesterday 03:00:01 (2), today 02:59 (4),
        // today 03:00:01 (8); a credit order today 01:00.
        QTest::newRow("01:00") << QTime(1, 0) << u"6"_s << qint64(1) << qint64(2);
        QTest::newRow("12:00") << QTime(12, 0) << u"8"_s << qint64(0) << qint64(1);
    }
    void takingsFollowTheBusinessDay()
    {
        QFETCH(QTime, now);
        QFETCH(QString, received);
        QFETCH(qint64, credit);
        QFETCH(qint64, delivered);
        TestShop shop;
        shop.settings().write(u"营业延长时间"_s, u"3"_s);
        shop.clock().set(QDateTime(kToday, now));
        const QList<std::pair<QDateTime, QString>> payments = {
            {QDateTime(kYesterday, QTime(2, 59)), u"1"_s},
            {QDateTime(kYesterday, QTime(3, 0, 1)), u"2"_s},
            {QDateTime(kToday, QTime(2, 59)), u"4"_s},
            {QDateTime(kToday, QTime(3, 0, 1)), u"8"_s},
        };
        int n = 0;
        for (const auto &[at, amount] : payments) {
            BoardOrder o = order(u"P"_s + QString::number(++n), at.date());
            o.paid = true;
            o.paidAt = at;
            o.payment = u"现金"_s;
            o.total = amount;
            o.dispatched = true;
            o.dispatchedAt = at;
            addBoardOrder(shop.db(), o);
        }
        BoardOrder signedOrder = order(u"S"_s, kYesterday);
        signedOrder.paid = true;
        signedOrder.paidAt = QDateTime(kToday, QTime(1, 0));
        signedOrder.payment = u"签单"_s;
        signedOrder.total = u"100"_s;
        addBoardOrder(shop.db(), signedOrder);

        const TodayFigures f = computeTodayFigures(shop.context());
        QCOMPARE(f.received, Money::parseOrZero(received));
        QCOMPARE(f.credit, credit);
        QCOMPARE(f.delivered, delivered);
    }

    // An order of several lines is one order in every figure, and its
    // amount counts once.
    void eachFigureCountsAnOrderOnce()
    {
        TestShop shop;
        BoardOrder o = order(u"A"_s, kToday);
        addBoardOrder(shop.db(), o);
        addBoardLine(shop.db(), o, u"可乐"_s, u"3"_s, u"5"_s);
        BoardOrder credit = order(u"B"_s, kToday);
        credit.payment = u"签单"_s;
        addBoardOrder(shop.db(), credit);
        BoardOrder future = order(u"F"_s, kToday);
        future.dueOn = kToday.addDays(2);
        future.dueAt = u"01:00:00"_s;
        addBoardOrder(shop.db(), future);
        BoardOrder futureDispatched = order(u"G"_s, kToday);
        futureDispatched.dueOn = kToday.addDays(1);
        futureDispatched.dispatched = true;
        addBoardOrder(shop.db(), futureDispatched);
        shop.db().execute(u"insert into 充值记录 (客户编号,充值金额,充值时间,类型) values "
                          "('1',50.4,'2026-12-11 09:00:00','充值'),('1',20,'2026-12-11 10:00:00','消费'),"
                          "('1',70,'2026-12-10 10:00:00','充值')"_s);

        TodayFigures f = computeTodayFigures(shop.context());
        QCOMPARE(f.orders, qint64(4));
        QCOMPARE(f.portions, Money::fromInt(15));
        QCOMPARE(f.toDeliver, qint64(2));
        QCOMPARE(f.undelivered, qint64(2));
        QCOMPARE(f.unpaid, Money::fromInt(30)); // the credit order is not owed cash
        QCOMPARE(f.futureOrders, qint64(1));            // the dispatched one is on its way
        QCOMPARE(f.futurePortions, Money::fromInt(3));
        QCOMPARE(f.topUps, qint64(50));

        shop.settings().write(u"是否需要发货功能"_s, u"不需要"_s);
        f = computeTodayFigures(shop.context());
        QCOMPARE(f.futureOrders, qint64(2));

        const QList<FigureText> texts = figureTexts(f);
        QCOMPARE(texts.size(), 11);
        QCOMPARE(texts[0].value, u"4  次"_s);
        QCOMPARE(texts[5].caption, u"今日收款："_s);
        QCOMPARE(texts[5].value, u"0  元"_s); // an empty sum shows 0
        QCOMPARE(texts[5].explanation, u"今日收取的现金"_s);
    }

    void orderLinesAndTheReminder()
    {
        TestShop shop;
        shop.clock().set(QDateTime(kToday, QTime(12, 0)));
        BoardOrder soon = order(u"S"_s, kToday);
        soon.dueAt = u"12:09:00"_s;
        addBoardOrder(shop.db(), soon);
        BoardOrder late = order(u"L"_s, kToday);
        late.dueAt = u"12:11:00"_s;
        addBoardOrder(shop.db(), late);
        BoardOrder gone = order(u"G"_s, kToday);
        gone.dueAt = u"11:00:00"_s;
        gone.dispatched = true;
        addBoardOrder(shop.db(), gone);
        BoardQueries q(shop.context());
        QCOMPARE(numbers(q.dueForDispatch()), QStringList{u"S"_s});
        shop.settings().write(u"发货提醒时间"_s, u"15"_s);
        QCOMPARE(numbers(q.dueForDispatch()), (QStringList{u"S"_s, u"L"_s}));

        const QList<SqlRow> lines = q.orderLines(u"S"_s);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].text(u"产品名称"_s), u"宫保鸡丁"_s);
        QCOMPARE(lines[0].money(u"应付货款"_s), Money::fromInt(24));

        shop.db().execute(u"insert into 客户资料 (客户姓名,生日月,生日日) values ('甲',12,11),('乙',12,12),('丙',11,11)"_s);
        const QList<SqlRow> birthdays = q.birthdaysToday();
        QCOMPARE(birthdays.size(), 1);
        QCOMPARE(birthdays[0].text(u"客户姓名"_s), u"甲"_s);
    }

    void layoutSurvivesAndBreaksCleanly()
    {
        TestShop shop;
        BoardLayoutStore store(shop.db());
        QVERIFY(store.load(takeawayFields()).columns.isEmpty());
        QList<ColumnLayout> moved = defaultTakeawayColumns();
        moved.move(0, 3);
        moved[1].width = 120;
        store.save(moved);
        const auto loaded = BoardLayoutStore(shop.db()).load(takeawayFields());
        QVERIFY(!loaded.broken);
        QCOMPARE(loaded.columns.size(), moved.size());
        for (int i = 0; i < moved.size(); ++i) {
            QCOMPARE(loaded.columns[i].field, moved[i].field);
            QCOMPARE(loaded.columns[i].width, moved[i].width);
        }

        shop.db().execute(u"update 主窗口订单显示顺序 set 字段名称='不存在' where 排序编号=2"_s);
        const auto broken = store.load(takeawayFields());
        QVERIFY(broken.broken);
        QVERIFY(broken.columns.isEmpty());
        QCOMPARE(shop.db().scalar(u"select count(*) from 主窗口订单显示顺序"_s).toInt(), 0);

        store.save({{u"份数"_s, 44}, {u"单据编号"_s, -1}});
        const QList<ColumnLayout> merged = mergedLayout(store.load(takeawayFields()).columns, defaultTakeawayColumns());
        QCOMPARE(merged.size(), defaultTakeawayColumns().size());
        QCOMPARE(merged[0].field, u"份数"_s);
        QCOMPARE(merged[0].width, 44);
        QCOMPARE(merged[1].width, 81); // no stored width: the default one
        QCOMPARE(merged[2].field, u"订单状态"_s);
    }

    void colourSwitchIsStored()
    {
        TestShop shop;
        QVERIFY(colouringOn(shop.db()));
        storeColouring(shop.db(), false);
        QVERIFY(!colouringOn(shop.db()));
        storeColouring(shop.db(), true);
        QVERIFY(colouringOn(shop.db()));
        QCOMPARE(shop.db().scalar(u"select count(*) from 颜色显示"_s).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestBoardQueries)
#include "tst_boardqueries.moc"
