#include "TestShop.h"
#include "customers/CustomerPicker.h"

#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

qint64 addCustomer(Db &db, const QString &type, const QVariant &balance)
{
    return db.insert(u"insert into 客户资料 (客户类型,客户地区,客户姓名,客户单位,客户备注,手工编码,联系电话,QQ,联系地址,"
                     "购物次数,购物金额,积分,帐户余额,黑名单,信用等级) values (:t,'东区','张三','某公司','爱辣','V9','138','77',"
                     "'人民路1号',3,45.5,20,:b,'是','差')"_s,
                     {{u"t"_s, type}, {u"b"_s, balance}});
}

} // namespace

class TestCustomerPicker : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modeTexts()
    {
        for (const QString &t : {u"销售"_s, u"销售2"_s, u"堂食"_s, u"条码销售"_s, u"修改"_s, u"客户消费查询"_s, u"积分兑换"_s}) {
            const PickerMode m = pickerModeFromText(t);
            QVERIFY(m != PickerMode::None);
            QCOMPARE(pickerModeText(m), t);
        }
        QCOMPARE(pickerModeFromText(QString()), PickerMode::None);
    }

    void discount_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("typeRate");
        QTest::addColumn<QString>("periodRate");
        QTest::addColumn<QString>("expected");
        QTest::newRow("takeaway: period 8.5 beats type 9") << u"销售"_s << u"9"_s << u"8.5"_s << u"8.5"_s;
        QTest::newRow("takeaway: no period, type 9") << u"销售"_s << u"9"_s << u"10"_s << u"9"_s;
        QTest::newRow("takeaway: empty type, period rate") << u"销售"_s << QString() << u"8.5"_s << u"8.5"_s;
        QTest::newRow("call form: type 7 beats period 8") << u"销售2"_s << u"7"_s << u"8"_s << u"7"_s;
        QTest::newRow("call form: tie keeps type") << u"销售2"_s << u"8"_s << u"8"_s << u"8"_s;
        QTest::newRow("dine-in: type beats nothing") << u"堂食"_s << u"9"_s << u"8.5"_s << u"9"_s;
        QTest::newRow("dine-in: empty type is 10") << u"堂食"_s << QString() << u"8.5"_s << u"10"_s;
        QTest::newRow("retail: type") << u"条码销售"_s << u"9.5"_s << u"10"_s << u"9.5"_s;
        QTest::newRow("modification: empty type is 10") << u"修改"_s << QString() << u"10"_s << u"10"_s;
        QTest::newRow("points: none") << u"积分兑换"_s << u"9"_s << u"10"_s << QString();
    }
    void discount()
    {
        QFETCH(QString, mode);
        QFETCH(QString, typeRate);
        QFETCH(QString, periodRate);
        QFETCH(QString, expected);
        QCOMPARE(pickerDiscount(pickerModeFromText(mode), typeRate, periodRate), expected);
    }

    void transferReadsTheTypeRate_data()
    {
        QTest::addColumn<QVariant>("rate");
        QTest::addColumn<QString>("periodRate");
        QTest::addColumn<QString>("expected");
        QTest::newRow("9 vs period 8.5") << QVariant(9) << u"8.5"_s << u"8.5"_s;
        QTest::newRow("9 without a period") << QVariant(9) << u"10"_s << u"9"_s;
        QTest::newRow("empty rate takes the period") << QVariant() << u"8.5"_s << u"8.5"_s;
    }
    void transferReadsTheTypeRate()
    {
        QFETCH(QVariant, rate);
        QFETCH(QString, periodRate);
        QFETCH(QString, expected);
        test::TestShop shop;
        shop.db().execute(u"insert into 客户类型 (客户类型,折扣率) values ('金卡',:r)"_s,
                          {{u"r"_s, rate.isValid() ? rate : QVariant(QMetaType::fromType<QString>())}});
        const qint64 id = addCustomer(shop.db(), u"金卡"_s, 0);
        QCOMPARE(customerTransfer(shop.db(), id, PickerMode::Sale, periodRate).discount, expected);
    }

    void paymentMethod_data()
    {
        QTest::addColumn<QVariant>("balance");
        QTest::addColumn<QString>("method");
        QTest::newRow("positive balance") << QVariant(0.01) << u"帐户支付"_s;
        QTest::newRow("zero balance") << QVariant(0) << u"签单"_s;
        QTest::newRow("negative balance") << QVariant(-5) << u"签单"_s;
    }
    void paymentMethod()
    {
        QFETCH(QVariant, balance);
        QFETCH(QString, method);
        test::TestShop shop;
        const qint64 id = addCustomer(shop.db(), u"普通"_s, balance);
        const CustomerTransfer t = customerTransfer(shop.db(), id, PickerMode::Sale2);
        QCOMPARE(t.paymentMethodAfter(u"签单"_s), method);
    }

    void wholeCustomerWithAddressesAndLastOrder()
    {
        test::TestShop shop;
        const qint64 id = addCustomer(shop.db(), u"普通"_s, 12.5);
        const qint64 other = addCustomer(shop.db(), u"普通"_s, 0);
        shop.db().execute(u"insert into 多个地址 (客户编号,客户地址) values (:id,'公司')"_s, {{u"id"_s, id}});
        shop.db().execute(u"insert into 多个地址 (客户编号,客户地址) values (:id,'别人')"_s, {{u"id"_s, other}});
        auto line = [&](const QString &number, const QString &dish, qint64 customer) {
            shop.db().execute(u"insert into 产品销售开票 (单据编号,产品名称,客户编号) values (:n,:d,:c)"_s,
                              {{u"n"_s, number}, {u"d"_s, dish}, {u"c"_s, QString::number(customer)}});
        };
        line(u"202612110001"_s, u"旧菜"_s, id);
        line(u"202612110002"_s, u"炒饭"_s, id);
        line(u"202612110002"_s, u"汤"_s, id);
        line(u"202612110003"_s, u"别人的菜"_s, other);

        const CustomerTransfer t = customerTransfer(shop.db(), id, PickerMode::Sale);
        QCOMPARE(t.id, id);
        QCOMPARE(t.name, u"张三"_s);
        QCOMPARE(t.area, u"东区"_s);
        QCOMPARE(t.company, u"某公司"_s);
        QCOMPARE(t.remark, u"爱辣"_s);
        QCOMPARE(t.card, u"V9"_s);
        QCOMPARE(t.qq, u"77"_s);
        QCOMPARE(t.address, u"人民路1号"_s);
        QCOMPARE(t.otherAddresses, QStringList{u"公司"_s});
        QCOMPARE(t.purchaseCount, Money::fromInt(3));
        QCOMPARE(t.purchaseAmount, Money::fromUnits(455000));
        QCOMPARE(t.points, Money::fromInt(20));
        QCOMPARE(t.balance, Money::fromUnits(125000));
        QVERIFY(t.blacklisted);
        QCOMPARE(t.credit, u"差"_s);
        QCOMPARE(t.lastOrderNumber, u"202612110002"_s);
        QCOMPARE(t.lastOrderLines.size(), 2);
        QCOMPARE(t.lastOrderLines[0].text(u"产品名称"_s), u"炒饭"_s);

        const CustomerTransfer dineIn = customerTransfer(shop.db(), id, PickerMode::DineIn);
        QVERIFY(dineIn.lastOrderLines.isEmpty());
        QCOMPARE(dineIn.discount, u"10"_s);

        const CustomerTransfer query = customerTransfer(shop.db(), id, PickerMode::ConsumptionQuery);
        QCOMPARE(query.name, u"张三"_s);
        QCOMPARE(query.phone, u"138"_s);
        QVERIFY(query.address.isEmpty());
        QVERIFY(query.discount.isEmpty());

        const CustomerTransfer points = customerTransfer(shop.db(), id, PickerMode::PointsRedemption);
        QCOMPARE(points.points, Money::fromInt(20));
        QCOMPARE(points.card, u"V9"_s);
        QVERIFY(points.balance.isZero());
        QVERIFY(points.discount.isEmpty());
    }

    void creditMarks_data()
    {
        QTest::addColumn<QString>("rating");
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("hint");
        QTest::newRow("中") << u"中"_s << int(CreditMark::Colour::Blue) << u"客户信用等级：中"_s;
        QTest::newRow("好") << u"好"_s << int(CreditMark::Colour::Green) << u"客户信用等级：好"_s;
        QTest::newRow("差") << u"差"_s << int(CreditMark::Colour::Red) << u"客户信用等级：差"_s;
        QTest::newRow("empty") << QString() << int(CreditMark::Colour::Hidden) << QString();
        QTest::newRow("other") << u"优"_s << int(CreditMark::Colour::Unchanged) << QString();
    }
    void creditMarks()
    {
        QFETCH(QString, rating);
        QFETCH(int, colour);
        QFETCH(QString, hint);
        const CreditMark m = creditMarkFor(rating);
        QCOMPARE(int(m.colour), colour);
        QCOMPARE(m.hint, hint);
    }

    void requestGoesToTheFormThatAsked()
    {
        auto first = std::make_unique<QObject>();
        auto second = std::make_unique<QObject>();
        QString firstGot, secondGot;
        CustomerPickRequest a(PickerMode::Sale2, first.get(), [&](const CustomerTransfer &t) { firstGot = t.name; });
        CustomerPickRequest b(PickerMode::Sale2, second.get(), [&](const CustomerTransfer &t) { secondGot = t.name; });
        CustomerTransfer t;
        t.name = u"甲"_s;
        QVERIFY(a.deliver(t));
        QCOMPARE(firstGot, u"甲"_s);
        QVERIFY(secondGot.isEmpty());
        // a form closed while the list was open receives nothing
        second.reset();
        QVERIFY(!b.isActive());
        QVERIFY(!b.deliver(t));
        QVERIFY(secondGot.isEmpty());
        QVERIFY(!CustomerPickRequest().isActive());
    }
};

QTEST_GUILESS_MAIN(TestCustomerPicker)
#include "tst_customerpicker.moc"
