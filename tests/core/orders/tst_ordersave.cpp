#include "TestShop.h"
#include "orders/OrderSave.h"

#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

Money m(const char *text)
{
    return *Money::parse(QString::fromLatin1(text));
}

QVariant mv(const char *text)
{
    return QVariant::fromValue(m(text));
}

// A small shop: fried rice (stock 10, cost 5), a drink, a set meal of both;
// fried rice uses 0.2 of rice per portion.
void seed(Db &db)
{
    db.execute(u"insert into 菜单表 (名称,食物总类,单价,当前库存,单位成本,库存总额,报警低库存) values "
               "('炒饭','主食',18,10,5,50,2),('可乐','饮料',5,20,2,40,0),('午餐套餐','套餐',20,0,0,0,-100)"_s);
    db.execute(u"insert into 菜品配料表 (菜品名称,配料名称,使用量,单位) values ('炒饭','大米',0.2,'斤'),('炒饭','鸡蛋',1,'个')"_s);
    db.execute(u"insert into 采购商品管理 (名称,单位成本,当前库存,库存总额) values ('大米',2,100,200)"_s);
    db.execute(u"insert into 员工列表 (姓名,电话) values ('小王','13900000001')"_s);
}

qint64 addCustomer(Db &db, const QString &name, const QString &phone, const QString &address, const char *balance,
                   int points)
{
    return db.insert(u"insert into 客户资料 (客户姓名,联系电话,联系地址,帐户余额,积分,购物次数,购物金额) "
                     "values (:n,:p,:a,:b,:pts,3,100)"_s,
                     {{u"n"_s, name}, {u"p"_s, phone}, {u"a"_s, address}, {u"b"_s, mv(balance)}, {u"pts"_s, points}});
}

void addLine(Db &db, const QString &key, const QString &dish, const char *qty, const char *price,
             const QString &setMeal = {})
{
    const Money amount = m(qty).times(m(price));
    db.execute(u"insert into 销售临时表 (时间,产品名称,数量,单价,原价,应付货款,是否打折,套餐名称,新老) "
               "values (:k,:d,:q,:p,:p,:a,'是',:s,'新单')"_s,
               {{u"k"_s, key}, {u"d"_s, dish}, {u"q"_s, mv(qty)}, {u"p"_s, mv(price)},
                {u"a"_s, QVariant::fromValue(amount)}, {u"s"_s, setMeal}});
}

TakeawayDraft draftFor(const QString &customerId, const QString &total)
{
    TakeawayDraft d;
    d.cartKey = u"k1"_s;
    d.customerId = customerId;
    d.name = u"张三"_s;
    d.registeredPhone = u"13800138000"_s;
    d.callNumber = u"13800138000"_s;
    d.address = u"幸福路1号"_s;
    d.balanceText = u"0"_s;
    d.pointsText = u"0"_s;
    d.totalText = total;
    d.deliveryDate = QDate(2026, 12, 11);
    d.deliveryTime = QTime(12, 30);
    d.mealPeriod = u"午餐"_s;
    return d;
}

int count(Db &db, const QString &table)
{
    return db.scalar(u"select count(*) from "_s + table).toInt();
}

} // namespace

class TestOrderSave : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusalsWriteNothing_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<bool>("emptyCart");
        QTest::addColumn<bool>("registered");
        QTest::addColumn<QString>("payment");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("message");
        const int popup = int(TakeawayDraft::Form::CallPopup);
        const int manual = int(TakeawayDraft::Form::ManualTakeaway);
        QTest::newRow("empty cart") << popup << true << true << "现金" << "0" << "1" << "a" << "购物车不能空，不能保存订单！！";
        QTest::newRow("account, unregistered") << popup << false << false << "帐户支付" << "100" << "1" << "a"
                                               << "未注册用户不能使用帐户支付";
        QTest::newRow("account short by a cent") << popup << false << true << "帐户支付" << "49.99" << "1" << "a"
                                                 << "帐户余额不足！！";
        QTest::newRow("no phone") << popup << false << true << "现金" << "0" << "" << "a" << "客户电话不能空！！";
        QTest::newRow("manual, no address") << manual << false << true << "现金" << "0" << "1" << "" << "客户地址不能空！！";
    }
    void refusalsWriteNothing()
    {
        QFETCH(int, form);
        QFETCH(bool, emptyCart);
        QFETCH(bool, registered);
        QFETCH(QString, payment);
        QFETCH(QString, balance);
        QFETCH(QString, phone);
        QFETCH(QString, address);
        QFETCH(QString, message);
        test::TestShop shop;
        Db &db = shop.db();
        seed(db);
        const qint64 id = addCustomer(db, u"张三"_s, u"13800138000"_s, u"幸福路1号"_s, "49.99", 0);
        if (!emptyCart)
            addLine(db, u"k1"_s, u"炒饭"_s, "2", "25");
        TakeawayDraft d = draftFor(registered ? QString::number(id) : u"无"_s, u"50.00"_s);
        d.form = TakeawayDraft::Form(form);
        d.paymentMethod = payment;
        d.balanceText = balance;
        d.registeredPhone = phone;
        d.address = address;

        const OrderSaveOutcome out = TakeawaySaver(shop.context()).save(d);
        QCOMPARE(int(out.status), int(OrderSaveOutcome::Status::Refused));
        QCOMPARE(out.message, message);
        QCOMPARE(count(db, u"产品销售开票"_s), 0);
        QCOMPARE(count(db, u"充值记录"_s), 0);
        QCOMPARE(count(db, u"客户资料"_s), 1);
        QCOMPARE(db.scalar(u"select 当前库存 from 菜单表 where 名称='炒饭'"_s).toInt(), 10);
    }

    void accountPaymentOfTheWholeBalance()
    {
        test::TestShop shop;
        Db &db = shop.db();
        seed(db);
        const qint64 id = addCustomer(db, u"张三"_s, u"13800138000"_s, u"幸福路1号"_s, "50.00", 0);
        addLine(db, u"k1"_s, u"炒饭"_s, "2", "25");
        TakeawayDraft d = draftFor(QString::number(id), u"50.00"_s);
        d.paymentMethod = u"帐户支付"_s;
        d.balanceText = u"50.00"_s;

        const OrderSaveOutcome out = TakeawaySaver(shop.context()).save(d);
        QVERIFY2(out.saved(), qPrintable(out.message));
        QCOMPARE(out.orderNumber, u"202612110001"_s);
        QCOMPARE(out.message, u"订单录入完毕！！"_s);
        QVERIFY(Money::fromVariant(db.scalar(u"select 帐户余额 from 客户资料"_s)).isZero());
        const auto moves = db.rows(u"select * from 充值记录"_s);
        QCOMPARE(moves.size(), 1);
        QCOMPARE(moves[0].text(u"类型"_s), u"下单扣除"_s);
        QCOMPARE(moves[0].money(u"充值金额"_s), m("-50"));
        QCOMPARE(moves[0].money(u"充值前余额"_s), m("50"));
        QCOMPARE(moves[0].text(u"单据编号"_s), out.orderNumber);
        const SqlRow line = db.first(u"select * from 产品销售开票"_s);
        QCOMPARE(line.money(u"账户支付"_s), m("50"));
        QVERIFY(line.flag(u"交款完毕"_s));
        QVERIFY(!line.flag(u"发货完毕"_s));
        QCOMPARE(line.text(u"订单状态"_s), u"未发货已收款"_s);
        QCOMPARE(line.text(u"订单类型"_s), u"外卖"_s);
        QCOMPARE(line.money(u"欠款"_s), m("50"));
        // points earned on the part paid from the account
        QCOMPARE(Money::fromVariant(db.scalar(u"select 积分 from 客户资料"_s)), m("50"));
    }

    void cashOrderWithPointsUsed()
    {
        test::TestShop shop;
        Db &db = shop.db();
        seed(db);
        const qint64 id = addCustomer(db, u"张三"_s, u"13800138000"_s, u"幸福路1号"_s, "0", 300);
        addLine(db, u"k1"_s, u"炒饭"_s, "1", "18");
        TakeawayDraft d = draftFor(QString::number(id), u"8.00"_s);
        d.pointsUsedText = u"100"_s;
        QVERIFY(TakeawaySaver(shop.context()).save(d).saved());
        const SqlRow c = db.first(u"select 积分, 购物次数, 购物金额 from 客户资料"_s);
        QCOMPARE(c.money(u"积分"_s), m("200"));
        QCOMPARE(c.integer(u"购物次数"_s), 3);
        QCOMPARE(c.money(u"购物金额"_s), m("100"));
        const SqlRow line = db.first(u"select * from 产品销售开票"_s);
        QVERIFY(!line.flag(u"交款完毕"_s));
        QCOMPARE(line.text(u"订单状态"_s), u"未发货未收款"_s);
        QVERIFY(line.isNull(u"收款时间"_s));
    }

    void linesTakeStockOutOneByOne()
    {
        test::TestShop shop;
        Db &db = shop.db();
        seed(db);
        addLine(db, u"k1"_s, u"午餐套餐"_s, "1", "20", u"午餐套餐"_s);
        addLine(db, u"k1"_s, u"炒饭"_s, "1.5", "0", u"午餐套餐"_s);
        addLine(db, u"k1"_s, u"可乐"_s, "1", "0", u"午餐套餐"_s);
        addLine(db, u"k1"_s, u"改了名的菜"_s, "1", "9");
        addLine(db, u"k2"_s, u"可乐"_s, "5", "5"); // another form's cart
        const OrderSaveOutcome out = TakeawaySaver(shop.context()).save(draftFor(u"无"_s, u"29.00"_s));
        QVERIFY2(out.saved(), qPrintable(out.message));

        QCOMPARE(db.scalar(u"select count(*) from 产品销售开票 where 单据编号=:n"_s, {{u"n"_s, out.orderNumber}}).toInt(), 4);
        QCOMPARE(Money::fromVariant(db.scalar(u"select 当前库存 from 菜单表 where 名称='炒饭'"_s)), m("8.5"));
        QCOMPARE(Money::fromVariant(db.scalar(u"select 库存总额 from 菜单表 where 名称='炒饭'"_s)), m("42.5"));
        QCOMPARE(Money::fromVariant(db.scalar(u"select 当前库存 from 菜单表 where 名称='可乐'"_s)), m("19"));
        QCOMPARE(Money::fromVariant(db.scalar(u"select 当前库存 from 采购商品管理 where 名称='大米'"_s)), m("99.7"));
        QCOMPARE(Money::fromVariant(db.scalar(u"select 库存总额 from 采购商品管理 where 名称='大米'"_s)), m("199.4"));
        // an ingredient without a stock row gets one
        QCOMPARE(Money::fromVariant(db.scalar(u"select 当前库存 from 采购商品管理 where 名称='鸡蛋'"_s)), m("-1.5"));
        // the new customer exists with the id the lines carry
        const QString id = db.scalar(u"select 客户编号 from 产品销售开票 limit 1"_s).toString();
        QCOMPARE(db.scalar(u"select 客户姓名 from 客户资料 where id=:id"_s, {{u"id"_s, id}}).toString(), u"张三"_s);
        QCOMPARE(id, out.customerId);
    }

    void inStoreAndPaidAtOnce()
    {
        test::TestShop shop;
        Db &db = shop.db();
        seed(db);
        addLine(db, u"k1"_s, u"可乐"_s, "1", "5");
        TakeawayDraft d = draftFor(u"无"_s, u"5.00"_s);
        d.form = TakeawayDraft::Form::ManualTakeaway;
        d.inStore = true;
        d.payNow = true;
        d.registeredPhone.clear();
        d.address.clear();
        QVERIFY(TakeawaySaver(shop.context()).save(d).saved());
        const SqlRow line = db.first(u"select * from 产品销售开票"_s);
        QCOMPARE(line.text(u"订单状态"_s), u"已发货已收款"_s);
        QVERIFY(line.flag(u"发货完毕"_s));
        QVERIFY(line.flag(u"交款完毕"_s));
        QCOMPARE(line.text(u"发货时间"_s), u"2026-12-11 12:00:00"_s);
        QCOMPARE(line.text(u"收款时间"_s), u"2026-12-11 12:00:00"_s);
        QCOMPARE(line.money(u"现金收入"_s), m("5"));
    }

    void sameNameAndAddressAsksFirst()
    {
        test::TestShop shop;
        Db &db = shop.db();
        seed(db);
        const qint64 old = addCustomer(db, u"张三"_s, u"010-1234"_s, u"幸福路1号"_s, "0", 0);
        addLine(db, u"k1"_s, u"炒饭"_s, "1", "18");
        TakeawaySaver saver(shop.context());
        const TakeawayDraft d = draftFor(u"无"_s, u"18.00"_s);

        const OrderSaveOutcome ask = saver.save(d);
        QCOMPARE(int(ask.status), int(OrderSaveOutcome::Status::NeedsMerge));
        QCOMPARE(ask.existingCustomerId, QString::number(old));
        QCOMPARE(count(db, u"产品销售开票"_s), 0);

        const OrderSaveOutcome merged = saver.mergeIntoExisting(d, ask.existingCustomerId);
        QVERIFY2(merged.saved(), qPrintable(merged.message));
        QCOMPARE(merged.mergedPhones, u"13800138000,010-1234"_s);
        QCOMPARE(db.scalar(u"select 联系电话 from 客户资料 where id=:id"_s, {{u"id"_s, old}}).toString(),
                 u"13800138000,010-1234"_s);
        QCOMPARE(count(db, u"客户资料"_s), 1);

        // a second merge of the same phone does not repeat it
        const OrderSaveOutcome again = saver.mergeIntoExisting(d, ask.existingCustomerId);
        QCOMPARE(again.mergedPhones, u"13800138000,010-1234"_s);
        QCOMPARE(again.orderNumber, u"202612110002"_s);

        const OrderSaveOutcome fresh = saver.saveAsNewCustomer(d);
        QVERIFY(fresh.saved());
        QCOMPARE(count(db, u"客户资料"_s), 2);
        QCOMPARE(shop.settings().value(u"地址姓名重复提示"_s), u"是"_s);
    }

    void afterMidnightTheOrderBelongsToYesterday()
    {
        test::TestShop shop([](const DataFolder &f) {
            test::writeFile(f.settingsIni(), u"[营业延长时间]\n类型=2\n"_s.toUtf8());
        });
        Db &db = shop.db();
        seed(db);
        shop.settings().loadFile();
        shop.clock().set(QDateTime(QDate(2026, 12, 12), QTime(2, 0, 0)));
        addLine(db, u"k1"_s, u"可乐"_s, "1", "5");
        const OrderSaveOutcome out = TakeawaySaver(shop.context()).save(draftFor(u"无"_s, u"5.00"_s));
        QCOMPARE(out.orderNumber, u"202612110001"_s);
        QCOMPARE(db.scalar(u"select 购物日期 from 产品销售开票"_s).toString(), u"2026-12-11"_s);
        QCOMPARE(db.scalar(u"select 开单日期时间 from 产品销售开票"_s).toString(), u"2026-12-12 02:00:00"_s);
    }

    void aFailureLeavesNothingBehind()
    {
        test::TestShop shop;
        Db &db = shop.db();
        seed(db);
        const qint64 id = addCustomer(db, u"张三"_s, u"13800138000"_s, u"老地址"_s, "80", 10);
        addLine(db, u"k1"_s, u"炒饭"_s, "1", "18");
        db.execute(u"drop table 多个地址"_s); // the address step will fail after the customer update
        TakeawayDraft d = draftFor(QString::number(id), u"18.00"_s);
        d.paymentMethod = u"帐户支付"_s;
        d.balanceText = u"80"_s;
        const OrderSaveOutcome out = TakeawaySaver(shop.context()).save(d);
        QCOMPARE(int(out.status), int(OrderSaveOutcome::Status::Failed));
        QVERIFY(out.message.startsWith(u"102错误提示："_s));
        QCOMPARE(Money::fromVariant(db.scalar(u"select 帐户余额 from 客户资料"_s)), m("80"));
        QCOMPARE(count(db, u"充值记录"_s), 0);
        QCOMPARE(count(db, u"产品销售开票"_s), 0);
        QCOMPARE(db.scalar(u"select 当前库存 from 菜单表 where 名称='炒饭'"_s).toInt(), 10);
    }

    void smsAndClipboardText()
    {
        test::TestShop shop;
        Db &db = shop.db();
        seed(db);
        addLine(db, u"k1"_s, u"炒饭"_s, "2", "18");
        addLine(db, u"k1"_s, u"可乐"_s, "1", "5");
        TakeawayDraft d = draftFor(u"无"_s, u"41.00"_s);
        d.smsToWorker = true;
        d.deliveryWorker = u"小王"_s;
        const OrderSaveOutcome out = TakeawaySaver(shop.context()).save(d);
        QVERIFY(out.saved());
        const SqlRow sms = db.first(u"select * from fasongneirong"_s);
        QCOMPARE(sms.text(u"neirong"_s), u"张三/13800138000/幸福路1号[炒饭2份可乐1份]总计:41.00元"_s);
        QCOMPARE(sms.text(u"shouji"_s), u"13900000001"_s);
        QVERIFY(!sms.flag(u"fasongwanbi"_s));
        QCOMPARE(out.clipboardText,
                 u"202612110001/张三/13800138000/幸福路1号[炒饭2份可乐1份]总计:41.00元/2026-12-11 12:30:00/小王"_s);
    }
};

QTEST_GUILESS_MAIN(TestOrderSave)
#include "tst_ordersave.moc"
