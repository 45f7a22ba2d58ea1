#include "TestShop.h"
#include "orders/OrderForm.h"

#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

class TestOrderForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lettersInNumberBoxesAreRefused_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label"); // empty: accepted
        QTest::newRow("balance letters") << "balance" << "12a" << "帐户余额";
        QTest::newRow("points letters") << "points" << "abc" << "使用积分";
        QTest::newRow("round-off letters") << "roundOff" << "x" << "抹零";
        QTest::newRow("round-off dash") << "roundOff" << "-" << "";
        QTest::newRow("discount letters") << "discount" << "九" << "打折";
        QTest::newRow("discount number") << "discount" << "8.5" << "";
        QTest::newRow("empty balance") << "balance" << "" << "";
        QTest::newRow("negative balance") << "balance" << "-3.50" << "";
        QTest::newRow("tax letters") << "tax" << "5%" << "税率";
    }
    void lettersInNumberBoxesAreRefused()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, label);
        TakeawayDraft d;
        if (box == u"balance") d.balanceText = text;
        if (box == u"points") d.pointsUsedText = text;
        if (box == u"roundOff") d.roundOffText = text;
        if (box == u"discount") d.discountText = text;
        if (box == u"tax") d.taxText = text;
        const QString refusal = numberBoxRefusal(d);
        if (label.isEmpty())
            QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
        else {
            QVERIFY(refusal.startsWith(label + u"只能输入数字"_s));
            QVERIFY(refusal.contains(text));
        }
    }

    void callOutcomeWords_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("recording");
        QTest::addColumn<QString>("word");
        QTest::newRow("ordered") << "202601010001" << "" << "订餐";
        QTest::newRow("recorded, no order") << "" << "/rec/1.wav" << "未订餐";
        QTest::newRow("nothing") << "" << "" << "未接电话";
    }
    void callOutcomeWords()
    {
        QFETCH(QString, order);
        QFETCH(QString, recording);
        QFETCH(QString, word);
        CallOutcome c;
        c.orderNumber = order;
        c.recordingPath = recording;
        QCOMPARE(c.result(), word);
    }

    // Two calls in the same second: the intake's id picks the right row.
    void callHistoryRowByIdElseByTime()
    {
        lanfan::test::TestShop shop;
        Db &db = shop.db();
        const QString at = u"2026-01-01 12:00:00"_s;
        const qint64 first = db.insert(u"insert into 来电历史记录表 (来电时间,电话号码) values (:t,'111')"_s, {{u"t"_s, at}});
        const qint64 second = db.insert(u"insert into 来电历史记录表 (来电时间,电话号码) values (:t,'222')"_s, {{u"t"_s, at}});
        CallOutcome c;
        c.historyId = QString::number(second);
        c.callTime = at;
        c.orderNumber = u"202601010001"_s;
        c.customerName = u"张三"_s;
        c.customerId = u"7"_s;
        c.address = u"人民路1号"_s;
        QCOMPARE(recordCallOutcome(db, c), 1);
        QCOMPARE(db.scalar(u"select 处理结果 from 来电历史记录表 where 编号=:id"_s, {{u"id"_s, second}}).toString(), u"订餐"_s);
        QVERIFY(db.scalar(u"select 处理结果 from 来电历史记录表 where 编号=:id"_s, {{u"id"_s, first}}).isNull());
        const SqlRow row = db.first(u"select * from 来电历史记录表 where 编号=:id"_s, {{u"id"_s, second}});
        QCOMPARE(row.text(u"订单编号"_s), u"202601010001"_s);
        QCOMPARE(row.text(u"客户名称"_s), u"张三"_s);
        QCOMPARE(row.text(u"联系地址"_s), u"人民路1号"_s);

        CallOutcome byTime;
        byTime.callTime = at;
        QCOMPARE(recordCallOutcome(db, byTime), 2);
        QCOMPARE(db.scalar(u"select count(*) from 来电历史记录表 where 处理结果='未接电话'"_s).toInt(), 2);
    }

    void customerOnlyNewCustomerGetsItsOwnId()
    {
        lanfan::test::TestShop shop;
        Db &db = shop.db();
        // A row with a larger id already exists (another PC's insert).
        db.execute(u"insert into 客户资料 (id,客户姓名,联系地址) values (50,'别人','别处')"_s);
        db.execute(u"delete from 客户资料 where id=50"_s);
        CustomerOnly c;
        c.name = u"李四"_s;
        c.phone = u"13800000000"_s;
        c.address = u"建设路2号"_s;
        const CustomerOnlyOutcome out = CustomerOnlySaver(shop.context()).save(c);
        QCOMPARE(out.status, CustomerOnlyOutcome::Status::Saved);
        QCOMPARE(out.message, u"客户资料保存成功"_s);
        const SqlRow row = db.first(u"select * from 客户资料 where id=:id"_s, {{u"id"_s, out.customerId.toLongLong()}});
        QCOMPARE(row.text(u"客户姓名"_s), u"李四"_s);
        QCOMPARE(row.text(u"联系电话"_s), u"13800000000"_s);
        QCOMPARE(row.text(u"黑名单"_s), u"否"_s);
    }

    void customerOnlySameNameAndAddressMerges()
    {
        lanfan::test::TestShop shop;
        Db &db = shop.db();
        const qint64 old = db.insert(u"insert into 客户资料 (客户姓名,联系电话,联系地址) values ('王五','111','解放路3号')"_s);
        CustomerOnly c;
        c.name = u"王五"_s;
        c.phone = u"222"_s;
        c.address = u"解放路3号"_s;
        CustomerOnlySaver saver(shop.context());
        CustomerOnlyOutcome out = saver.save(c);
        QCOMPARE(out.status, CustomerOnlyOutcome::Status::NeedsMerge);
        QCOMPARE(out.message, u"客户姓名和联系地址同时存在，合并老客户资料并继续吗？"_s);
        QCOMPARE(db.scalar(u"select count(*) from 客户资料"_s).toInt(), 1);
        out = saver.merge(c, out.existingId);
        QCOMPARE(out.customerId, QString::number(old));
        QCOMPARE(out.phoneShown, u"111,222"_s);
        QCOMPARE(db.scalar(u"select 联系电话 from 客户资料 where id=:id"_s, {{u"id"_s, old}}).toString(), u"111,222"_s);
        // Merging the same number again does not repeat it.
        QCOMPARE(saver.merge(c, out.customerId).phoneShown, u"111,222"_s);
    }

    void customerOnlyAddressModes()
    {
        lanfan::test::TestShop shop;
        Db &db = shop.db();
        const qint64 id = db.insert(u"insert into 客户资料 (客户姓名,联系电话,联系地址) values ('赵六','333','老地址')"_s);
        CustomerOnly c;
        c.customerId = QString::number(id);
        c.name = u"赵六"_s;
        c.phone = u"333"_s;
        c.address = u"新地址"_s;
        c.addressMode = u"增加新地址"_s;
        CustomerOnlySaver saver(shop.context());
        QCOMPARE(saver.save(c).status, CustomerOnlyOutcome::Status::Saved);
        QCOMPARE(saver.save(c).status, CustomerOnlyOutcome::Status::Saved);
        QCOMPARE(db.scalar(u"select count(*) from 多个地址 where 客户编号=:id and 客户地址='新地址'"_s, {{u"id"_s, QString::number(id)}}).toInt(), 1);
        QCOMPARE(db.scalar(u"select 联系地址 from 客户资料 where id=:id"_s, {{u"id"_s, id}}).toString(), u"老地址"_s);
        c.addressMode = u"修改默认地址"_s;
        QCOMPARE(saver.save(c).status, CustomerOnlyOutcome::Status::Saved);
        QCOMPARE(db.scalar(u"select 联系地址 from 客户资料 where id=:id"_s, {{u"id"_s, id}}).toString(), u"新地址"_s);
    }

    void variantsDiffer()
    {
        const OrderFormVariant popup = OrderFormVariant::callPopup();
        const OrderFormVariant manual = OrderFormVariant::manualTakeaway();
        QCOMPARE(popup.paymentItems, (QStringList{u"现金"_s, u"签单"_s}));
        QCOMPARE(manual.paymentItems, (QStringList{u"现金"_s, u"帐户支付"_s, u"签单"_s}));
        QCOMPARE(discountPeriodCaption(manual, u"x"_s, u"8"_s), u"手工开单    优惠时段，优惠折扣：8"_s);
        QCOMPARE(discountPeriodCaption(popup, u"来电：123"_s, u"8"_s), u"来电：123    优惠时段，优惠折扣：8"_s);
    }
};

QTEST_GUILESS_MAIN(TestOrderForm)
#include "tst_orderform.moc"
