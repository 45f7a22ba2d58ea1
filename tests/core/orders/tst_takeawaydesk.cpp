#include "TestShop.h"
#include "orders/TakeawayDesk.h"

#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

qint64 customer(Db &db, const QString &phone)
{
    return db.insert(u"insert into 客户资料 (客户姓名,联系电话) values ('客人',:p)"_s, {{u"p"_s, phone}});
}

void order(Db &db, const QString &number, qint64 customerId, const QString &savedAt, bool dispatched, bool paid,
           const QStringList &dishes)
{
    for (const QString &dish : dishes)
        db.execute(u"insert into 产品销售开票 (单据编号,购物日期,开单日期时间,客户编号,产品名称,数量,单价,应付货款,发货完毕,交款完毕,"
                   "是否打折,打折,发货备注) values (:bh,:rq,:t,:c,:d,1,10,10,:f,:j,'',8,'多放辣')"_s,
                   {{u"bh"_s, number}, {u"rq"_s, savedAt.left(10)}, {u"t"_s, savedAt}, {u"c"_s, QString::number(customerId)},
                    {u"d"_s, dish}, {u"f"_s, dispatched}, {u"j"_s, paid}});
}

} // namespace

class TestTakeawayDesk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mealPeriod_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("cutOff");
        QTest::addColumn<QString>("period");
        QTest::newRow("noon") << QTime(12, 0) << "0" << "午餐";
        QTest::newRow("at the lunch boundary") << QTime(14, 0) << "0" << "午餐";
        QTest::newRow("just after") << QTime(14, 0, 1) << "0" << "晚餐";
        QTest::newRow("at the dinner boundary") << QTime(19, 0) << "0" << "晚餐";
        QTest::newRow("late") << QTime(22, 30) << "0" << "夜宵";
        QTest::newRow("after midnight, business day still open") << QTime(1, 0) << "2" << "夜宵";
        QTest::newRow("after midnight, no cut-off") << QTime(1, 0) << "0" << "午餐";
    }
    void mealPeriod()
    {
        QFETCH(QTime, time);
        QFETCH(QString, cutOff);
        QFETCH(QString, period);
        test::TestShop shop;
        shop.settings().setCurrent(u"营业延长时间"_s, cutOff);
        QCOMPARE(mealPeriodAt(QDateTime(QDate(2026, 12, 11), time), shop.settings()), period);
    }

    void phoneMatchesEveryCustomerHoldingIt()
    {
        test::TestShop shop;
        Db &db = shop.db();
        const qint64 both = customer(db, u"010-1234,13800138000"_s);
        const qint64 one = customer(db, u"13800138000"_s);
        customer(db, u"13900000000"_s);
        TakeawayDesk desk(shop.context());
        QCOMPARE(desk.customersByPhone(u"13800138000"_s), (QList<qint64>{both, one}));
        QCOMPARE(desk.customersByPhone(u"010-1234"_s), (QList<qint64>{both}));
        QVERIFY(desk.customersByPhone(u"555"_s).isEmpty());
    }

    void repeatCallWithinTheSetHours_data()
    {
        QTest::addColumn<QString>("hours");
        QTest::addColumn<bool>("due");
        QTest::newRow("2 hours") << "2" << true;
        QTest::newRow("half an hour") << "0.5" << false;
        QTest::newRow("exactly 1.5") << "1.5" << true;
    }
    void repeatCallWithinTheSetHours()
    {
        QFETCH(QString, hours);
        QFETCH(bool, due);
        test::TestShop shop;
        Db &db = shop.db();
        shop.clock().set(QDateTime(QDate(2026, 12, 11), QTime(13, 30)));
        shop.settings().setCurrent(u"再次来电提醒时间"_s, hours);
        const qint64 c = customer(db, u"1"_s);
        TakeawayDesk desk(shop.context());
        QVERIFY(!desk.lastOrder(c));
        order(db, u"202612110007"_s, c, u"2026-12-11 12:00:00"_s, false, false, {u"炒饭"_s});
        const auto last = desk.lastOrder(c);
        QVERIFY(last);
        QCOMPARE(last->number, u"202612110007"_s);
        QCOMPARE(desk.repeatCallDue(*last), due);
    }

    void cancellingTheLastOrder()
    {
        test::TestShop shop;
        Db &db = shop.db();
        shop.context().currentOperator().name = u"admin"_s;
        const qint64 c = customer(db, u"1"_s);
        order(db, u"202612110001"_s, c, u"2026-12-11 11:00:00"_s, true, true, {u"炒饭"_s});
        TakeawayDesk desk(shop.context());
        QString question;
        QCOMPARE(desk.cancelRefusal(*desk.lastOrder(c), &question), u"前次订单已经交款完毕，不能取消"_s);

        order(db, u"202612110002"_s, c, u"2026-12-11 11:30:00"_s, true, false, {u"炒饭"_s, u"可乐"_s});
        const LastOrder last = *desk.lastOrder(c);
        QVERIFY(desk.cancelRefusal(last, &question).isEmpty());
        QCOMPARE(question, u"该订单已经发货完毕，确实要删除该订单吗？"_s);
        desk.cancel(last);
        QCOMPARE(db.scalar(u"select count(*) from 产品销售开票 where 单据编号='202612110002'"_s).toInt(), 0);
        QCOMPARE(db.scalar(u"select count(*) from 产品销售开票"_s).toInt(), 1);
        const auto logged = db.rows(u"select * from 订单删除日志"_s);
        QCOMPARE(logged.size(), 2);
        QCOMPARE(logged[0].text(u"删除人"_s), u"admin"_s);
        QCOMPARE(logged[1].text(u"产品名称"_s), u"可乐"_s);

        order(db, u"202612110003"_s, c, u"2026-12-11 11:40:00"_s, false, false, {u"炒饭"_s});
        desk.cancelRefusal(*desk.lastOrder(c), &question);
        QCOMPARE(question, u"确实要删除该订单吗？"_s);
    }

    void lastOrderIntoTheCart()
    {
        test::TestShop shop;
        Db &db = shop.db();
        const qint64 c = customer(db, u"1"_s);
        order(db, u"202612110001"_s, c, u"2026-12-11 11:00:00"_s, false, false, {u"炒饭"_s, u"可乐"_s});
        TakeawayDesk desk(shop.context());
        desk.reenter(u"keyA"_s, *desk.lastOrder(c));
        QCOMPARE(db.scalar(u"select count(*) from 销售临时表 where 时间='keyA' and 新老='老单'"_s).toInt(), 2);

        QCOMPARE(desk.reuse(u"keyB"_s, u"无"_s, u"202612110001"_s), u"请先选择客户资料"_s);
        QCOMPARE(desk.reuse(u"keyB"_s, QString::number(c), QString()), u"该用户没有点餐记录"_s);
        QVERIFY(desk.reuse(u"keyB"_s, QString::number(c), u"202612110001"_s).isEmpty());
        const auto lines = db.rows(u"select * from 销售临时表 where 时间='keyB' order by ID"_s);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].text(u"产品名称"_s), u"炒饭"_s);
        QCOMPARE(lines[0].text(u"新老"_s), u"新单"_s);
        QCOMPARE(lines[0].text(u"是否打折"_s), u"是"_s);
    }

    void previousCustomerIsTheOneOfTheNewestLine()
    {
        test::TestShop shop;
        Db &db = shop.db();
        TakeawayDesk desk(shop.context());
        QVERIFY(!desk.previousCustomer());
        const qint64 a = customer(db, u"1"_s);
        const qint64 b = customer(db, u"2"_s);
        order(db, u"202612110001"_s, b, u"2026-12-11 11:00:00"_s, false, false, {u"炒饭"_s});
        order(db, u"202612110002"_s, a, u"2026-12-11 11:05:00"_s, false, false, {u"炒饭"_s});
        QCOMPARE(*desk.previousCustomer(), a);
    }
};

QTEST_GUILESS_MAIN(TestTakeawayDesk)
#include "tst_takeawaydesk.moc"
