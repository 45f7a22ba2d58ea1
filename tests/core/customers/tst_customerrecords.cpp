#include "TestShop.h"
#include "customers/CustomerListModel.h"
#include "customers/CustomerQuery.h"
#include "customers/CustomerStore.h"
#include "customers/CustomerTypes.h"

#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

qint64 addCustomer(Db &db, const QString &name, const QString &phone, const QString &address, const SqlParams &more = {})
{
    SqlParams p{{u"客户姓名"_s, name}, {u"联系电话"_s, phone}, {u"联系地址"_s, address}};
    QStringList cols{u"客户姓名"_s, u"联系电话"_s, u"联系地址"_s};
    for (auto it = more.cbegin(); it != more.cend(); ++it) {
        cols << it.key();
        p.insert(it.key(), it.value());
    }
    QStringList marks;
    for (const auto &c : cols)
        marks << u':' + c;
    return db.insert(u"insert into 客户资料 ("_s + cols.join(u',') + u") values ("_s + marks.join(u',') + u')', p);
}

QList<qint64> ids(Db &db, const CustomerQuery &q)
{
    QList<qint64> out;
    QSqlQuery r = db.exec(q.idSql(), q.params);
    while (r.next())
        out << r.value(0).toLongLong();
    return out;
}

} // namespace

class TestCustomerRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addressSearchFindsAdditionalAddress()
    {
        test::TestShop shop;
        CustomerStore store(shop.context());
        const qint64 a = addCustomer(shop.db(), u"张三"_s, u"13800000001"_s, u"人民路1号"_s);
        const qint64 b = addCustomer(shop.db(), u"李四"_s, u"13800000002"_s, u"解放路8号"_s);
        addCustomer(shop.db(), u"王五"_s, u"13800000003"_s, u"中山路2号"_s);
        store.addAddress(b, u"公司：人民广场3楼"_s);

        CustomerCriteria c;
        c.address = u"人民"_s;
        QCOMPARE(ids(shop.db(), searchCustomers(c, shop.clock().today(), CustomerOrder::ById)), (QList<qint64>{a, b}));
        c.address = u"广场3楼"_s;
        QCOMPARE(ids(shop.db(), searchCustomers(c, shop.clock().today(), CustomerOrder::ById)), (QList<qint64>{b}));
    }

    void birthdayTodayUsesTheClock()
    {
        test::TestShop shop;
        CustomerStore store(shop.context());
        shop.clock().set(QDateTime(QDate(2026, 3, 9), QTime(10, 0)));
        Customer born;
        born.name = u"生日客"_s;
        born.phone = u"1"_s;
        born.address = u"某路"_s;
        born.birthday = QDate(1990, 3, 9);
        const qint64 id = store.save(born).id;
        Customer other = born;
        other.birthday = QDate(1990, 3, 10);
        store.save(other);

        CustomerCriteria c;
        c.birthdayToday = true;
        QCOMPARE(ids(shop.db(), searchCustomers(c, shop.clock().today(), CustomerOrder::ById)), (QList<qint64>{id}));
        shop.clock().set(QDateTime(QDate(2027, 3, 10), QTime(0, 0, 1)));
        QCOMPARE(ids(shop.db(), searchCustomers(c, shop.clock().today(), CustomerOrder::ById)).size(), 1);
        QVERIFY(ids(shop.db(), searchCustomers(c, shop.clock().today(), CustomerOrder::ById)).first() != id);
    }

    void searchCriteria_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("phone part") << u"phone"_s << u"0002"_s << QStringList{u"李四"_s};
        QTest::newRow("phone of a second number") << u"phone"_s << u"8765"_s << QStringList{u"张三"_s};
        QTest::newRow("name part") << u"name"_s << u"四"_s << QStringList{u"李四"_s};
        QTest::newRow("qq part") << u"qq"_s << u"777"_s << QStringList{u"王五"_s};
        QTest::newRow("area exact") << u"area"_s << u"东区"_s << QStringList{u"张三"_s, u"王五"_s};
        QTest::newRow("card exact") << u"card"_s << u"V01"_s << QStringList{u"李四"_s};
        QTest::newRow("card is not a part match") << u"card"_s << u"V0"_s << QStringList{};
        QTest::newRow("quote in the text is data") << u"name"_s << u"' or 1=1 --"_s << QStringList{};
    }
    void searchCriteria()
    {
        QFETCH(QString, criterion);
        QFETCH(QString, value);
        QFETCH(QStringList, names);
        test::TestShop shop;
        addCustomer(shop.db(), u"张三"_s, u"13800000001,0108765"_s, u"a"_s, {{u"客户地区"_s, u"东区"_s}, {u"QQ"_s, u"123"_s}});
        addCustomer(shop.db(), u"李四"_s, u"13800000002"_s, u"b"_s, {{u"客户地区"_s, u"西区"_s}, {u"手工编码"_s, u"V01"_s}});
        addCustomer(shop.db(), u"王五"_s, u"13800000003"_s, u"c"_s, {{u"客户地区"_s, u"东区"_s}, {u"QQ"_s, u"97771"_s}});
        CustomerCriteria c;
        if (criterion == u"phone"_s) c.phone = value;
        if (criterion == u"name"_s) c.name = value;
        if (criterion == u"qq"_s) c.qq = value;
        if (criterion == u"area"_s) c.area = value;
        if (criterion == u"card"_s) c.card = value;
        const CustomerQuery q = searchCustomers(c, shop.clock().today(), CustomerOrder::ById);
        QStringList found;
        for (const SqlRow &r : shop.db().rows(q.selectSql(), q.params))
            found << r.text(u"客户姓名"_s);
        QCOMPARE(found, names);
    }

    void criteriaCombineInOrder()
    {
        test::TestShop shop;
        addCustomer(shop.db(), u"张三"_s, u"111"_s, u"a"_s, {{u"客户地区"_s, u"东区"_s}});
        addCustomer(shop.db(), u"张四"_s, u"111"_s, u"b"_s, {{u"客户地区"_s, u"西区"_s}});
        CustomerCriteria c;
        c.area = u"西区"_s;
        c.name = u"张"_s;
        c.phone = u"11"_s;
        const CustomerQuery q = searchCustomers(c, shop.clock().today(), CustomerOrder::ByOrders);
        QCOMPARE(q.conditions, u" and 客户地区=:客户地区 and 联系电话 like :联系电话 and 客户姓名 like :客户姓名"_s);
        QCOMPARE(shop.db().rows(q.selectSql(), q.params).size(), 1);
    }

    void listOrders_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("by orders") << int(CustomerOrder::ByOrders) << QStringList{u"B"_s, u"C"_s, u"A"_s};
        QTest::newRow("by card") << int(CustomerOrder::ByCard) << QStringList{u"C"_s, u"A"_s, u"B"_s};
        QTest::newRow("by id") << int(CustomerOrder::ById) << QStringList{u"A"_s, u"B"_s, u"C"_s};
    }
    void listOrders()
    {
        QFETCH(int, order);
        QFETCH(QStringList, names);
        test::TestShop shop;
        addCustomer(shop.db(), u"A"_s, u"1"_s, u"a"_s, {{u"购物次数"_s, 1}, {u"购物金额"_s, 50}, {u"手工编码"_s, u"2"_s}});
        addCustomer(shop.db(), u"B"_s, u"2"_s, u"b"_s, {{u"购物次数"_s, 5}, {u"购物金额"_s, 10}, {u"手工编码"_s, u"3"_s}});
        addCustomer(shop.db(), u"C"_s, u"3"_s, u"c"_s, {{u"购物次数"_s, 1}, {u"购物金额"_s, 80}, {u"手工编码"_s, u"1"_s}});
        CustomerListModel model(shop.db());
        model.load(allCustomers(CustomerOrder(order)));
        QStringList found;
        for (int r = 0; r < model.rowCount(); ++r)
            found << model.text(r, u"客户姓名"_s);
        QCOMPARE(found, names);
    }

    void treeFilters()
    {
        test::TestShop shop;
        const qint64 a = addCustomer(shop.db(), u"A"_s, u"1"_s, u"a"_s, {{u"客户地区"_s, u"东区"_s}, {u"客户类型"_s, u"金卡"_s}});
        const qint64 b = addCustomer(shop.db(), u"B"_s, u"2"_s, u"b"_s, {{u"客户地区"_s, u"西区"_s}, {u"客户类型"_s, u"金卡"_s}});
        QCOMPARE(ids(shop.db(), customersOfArea(u"西区"_s)), (QList<qint64>{b}));
        QCOMPARE(ids(shop.db(), customersOfType(u"金卡"_s)), (QList<qint64>{a, b}));
    }

    void openingZeroesNullBalances()
    {
        test::TestShop shop;
        const qint64 id = addCustomer(shop.db(), u"A"_s, u"1"_s, u"a"_s);
        addCustomer(shop.db(), u"B"_s, u"2"_s, u"b"_s, {{u"帐户余额"_s, QVariant::fromValue(Money::fromUnits(125000))}});
        CustomerStore store(shop.context());
        QCOMPARE(store.zeroNullBalances(), 1);
        QCOMPARE(store.load(id).balance, Money());
        QCOMPARE(shop.db().scalar(u"select sum(帐户余额) from 客户资料"_s).toDouble(), 12.5);
    }

    void modelReadsPagesOnDemand()
    {
        test::TestShop shop;
        {
            Transaction tx(shop.db());
            for (int i = 0; i < 1000; ++i)
                addCustomer(shop.db(), u"客户"_s + QString::number(i), QString::number(13900000000LL + i), u"路"_s);
            tx.commit();
        }
        CustomerListModel model(shop.db());
        model.load(allCustomers(CustomerOrder::ById));
        QCOMPARE(model.rowCount(), 1000);
        QCOMPARE(model.pagesRead(), 0);
        QCOMPARE(model.text(999, u"客户姓名"_s), u"客户999"_s);
        QCOMPARE(model.pagesRead(), 1);
        QCOMPARE(model.text(0, u"联系电话"_s), u"13900000000"_s);
        QCOMPARE(model.pagesRead(), 2);
        // the sort value of a column comes without reading the pages
        QCOMPARE(model.data(model.index(500, 0), Qt::EditRole).toDouble(), double(model.idAt(500)));
        QCOMPARE(model.pagesRead(), 2);
        QCOMPARE(model.rowOf(model.idAt(321)), 321);
    }

    void saveChecks_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("message");
        QTest::newRow("no address") << QString() << u"1"_s << u"请填写客户地址！！"_s;
        QTest::newRow("blank address") << u"  "_s << u"1"_s << u"请填写客户地址！！"_s;
        QTest::newRow("no phone") << u"路"_s << QString() << u"请填写电话号码！！"_s;
        QTest::newRow("neither: address first") << QString() << QString() << u"请填写客户地址！！"_s;
        QTest::newRow("both") << u"路"_s << u"1"_s << u"保存成功"_s;
    }
    void saveChecks()
    {
        QFETCH(QString, address);
        QFETCH(QString, phone);
        QFETCH(QString, message);
        test::TestShop shop;
        CustomerStore store(shop.context());
        Customer c;
        c.address = address;
        c.phone = phone;
        const SaveOutcome out = store.save(c);
        QCOMPARE(out.message, message);
        QCOMPARE(out.stored, message == u"保存成功"_s);
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户资料"_s).toInt(), out.stored ? 1 : 0);
    }

    void newCustomerDefaults()
    {
        test::TestShop shop;
        CustomerStore store(shop.context());
        Customer c;
        c.address = u"路"_s;
        c.phone = u"1"_s;
        c.blacklisted = true;
        c.purchaseAmount = u"99"_s; // a new customer has bought nothing yet
        const qint64 id = store.save(c).id;
        const SqlRow r = shop.db().first(u"select * from 客户资料 where id=:id"_s, {{u"id"_s, id}});
        QCOMPARE(r.text(u"信用等级"_s), u"中"_s);
        QCOMPARE(r.text(u"黑名单"_s), u"是"_s);
        QCOMPARE(r.value(u"购物次数"_s).toInt(), 0);
        QCOMPARE(r.value(u"购物金额"_s).toDouble(), 0.0);
        QCOMPARE(r.value(u"积分"_s).toDouble(), 0.0);
        QCOMPARE(r.value(u"帐户余额"_s).toDouble(), 0.0);
        QCOMPARE(r.value(u"生日月"_s).toInt(), 0);
    }

    void editKeepsBalanceAndFollowsBirthday()
    {
        test::TestShop shop;
        CustomerStore store(shop.context());
        const qint64 id = addCustomer(shop.db(), u"A"_s, u"1"_s, u"a"_s,
                                      {{u"帐户余额"_s, 30}, {u"生日"_s, QDate(1980, 5, 6)}, {u"生日月"_s, 5}, {u"生日日"_s, 6}});
        Customer c = store.load(id);
        QCOMPARE(c.balance, Money::fromInt(30));
        // another PC tops the account up while the editor is open
        shop.db().execute(u"update 客户资料 set 帐户余额=50 where id=:id"_s, {{u"id"_s, id}});
        c.name = u"A2"_s;
        QVERIFY(store.save(c).stored);
        Customer again = store.load(id);
        QCOMPARE(again.balance, Money::fromInt(50));
        QCOMPARE(again.birthMonth, 5);
        again.birthday = QDate(1980, 11, 23);
        store.save(again);
        QCOMPARE(store.load(id).birthMonth, 11);
        QCOMPARE(store.load(id).birthDay, 23);
        again.birthday = QDate();
        store.save(again);
        QCOMPARE(store.load(id).birthMonth, 0);
        QCOMPARE(store.load(id).birthDay, 0);
        QVERIFY(shop.db().first(u"select 生日 from 客户资料 where id=:id"_s, {{u"id"_s, id}}).isNull(u"生日"_s));
    }

    void failedStoreIsNotReportedAsSaved()
    {
        test::TestShop shop;
        CustomerStore store(shop.context());
        shop.db().execute(u"create trigger refuse before insert on 客户资料 begin select raise(abort,'database is full'); end"_s);
        Customer c;
        c.address = u"路"_s;
        c.phone = u"1"_s;
        const SaveOutcome out = store.save(c);
        QVERIFY(!out.stored);
        QVERIFY2(out.message.contains(u"database is full"_s), qPrintable(out.message));
    }

    void additionalAddresses()
    {
        test::TestShop shop;
        CustomerStore store(shop.context());
        const qint64 id = addCustomer(shop.db(), u"A"_s, u"1"_s, u"a"_s);
        const qint64 other = addCustomer(shop.db(), u"B"_s, u"2"_s, u"b"_s);
        store.addAddress(id, u"一号"_s);
        store.addAddress(id, u"二号"_s);
        store.addAddress(other, u"别人的"_s);
        auto list = store.addresses(id);
        QCOMPARE(list.size(), 2);
        store.removeAddress(list.first().id);
        list = store.addresses(id);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().address, u"二号"_s);
        QCOMPARE(store.addresses(other).size(), 1);
    }

    void typeRenameReachesEveryCustomer()
    {
        test::TestShop shop;
        CustomerTypeStore types(shop.context());
        types.add({u"银卡"_s, u"9"_s});
        types.add({u"金卡"_s, u"8.5"_s});
        addCustomer(shop.db(), u"A"_s, u"1"_s, u"a"_s, {{u"客户类型"_s, u"银卡"_s}});
        addCustomer(shop.db(), u"B"_s, u"2"_s, u"b"_s, {{u"客户类型"_s, u"银卡"_s}});
        addCustomer(shop.db(), u"C"_s, u"3"_s, u"c"_s, {{u"客户类型"_s, u"金卡"_s}});
        QCOMPARE(types.change({u"银卡"_s, u"9"_s}, {u"白银卡"_s, u"9.5"_s}), 2);
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户资料 where 客户类型='白银卡'"_s).toInt(), 2);
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户资料 where 客户类型='银卡'"_s).toInt(), 0);
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户资料 where 客户类型='金卡'"_s).toInt(), 1);
        const auto all = types.all();
        QCOMPARE(all.size(), 2);
        QVERIFY(std::any_of(all.begin(), all.end(), [](const CustomerType &t) { return t.name == u"白银卡"_s && t.rate == u"9.5"_s; }));
        // a rate change alone renames nobody
        QCOMPARE(types.change({u"金卡"_s, u"8.5"_s}, {u"金卡"_s, QString()}), 0);
        const auto after = types.all();
        QVERIFY(std::any_of(after.begin(), after.end(), [](const CustomerType &t) { return t.name == u"金卡"_s && t.rate.isEmpty(); }));
        // deleting a type leaves its customers as they are
        types.remove({u"金卡"_s, QString()});
        QCOMPARE(types.names(), QStringList{u"白银卡"_s});
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户资料 where 客户类型='金卡'"_s).toInt(), 1);
        QCOMPARE(CustomerTypeStore::deleteQuestion(u"金卡"_s), u"确实要删除[金卡]吗？"_s);
    }

    void areas()
    {
        test::TestShop shop;
        AreaStore areas(shop.context());
        areas.add(u"西区"_s);
        areas.add(u"东区"_s);
        const qint64 id = addCustomer(shop.db(), u"A"_s, u"1"_s, u"a"_s, {{u"客户地区"_s, u"西区"_s}});
        QCOMPARE(areas.filterItems(), (QStringList{u"总部"_s, u"东区"_s, u"西区"_s}));
        areas.remove(u"西区"_s);
        QCOMPARE(areas.names(), QStringList{u"东区"_s});
        QCOMPARE(CustomerStore(shop.context()).load(id).area, u"西区"_s);
    }
};

QTEST_GUILESS_MAIN(TestCustomerRecords)
#include "tst_customerrecords.moc"
