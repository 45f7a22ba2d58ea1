#include "TestShop.h"
#include "admin/AdminCommands.h"
#include "admin/DemoShop.h"
#include "app/Login.h"
#include "common/Money.h"
#include "data/Schema.h"
#include "orders/ImCode.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

class TestDemoShop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aNewShopIsFilled()
    {
        TestShop shop;
        lanfan::DemoSummary s;
        QCOMPARE(lanfan::addDemoShop(shop.db(), shop.clock(), &s), QString());
        lanfan::Db &db = shop.db();
        QCOMPARE(db.scalar(u"select count(*) from 菜单表"_s).toInt(), s.dishes);
        QCOMPARE(db.scalar(u"select count(*) from 种类"_s).toInt(), s.categories);
        QCOMPARE(db.scalar(u"select count(*) from 客户资料"_s).toInt(), s.customers);
        QCOMPARE(db.scalar(u"select count(*) from 员工列表"_s).toInt(), s.workers);
        QVERIFY(s.dishes >= 20);
        // Every dish belongs to a category; set meals list existing dishes.
        QCOMPARE(db.scalar(u"select count(*) from 菜单表 where 食物总类 not in (select 种类 from 种类)"_s).toInt(), 0);
        QCOMPARE(db.scalar(u"select count(*) from 套餐内容 where 菜品名称 not in (select 名称 from 菜单表)"_s).toInt(), 0);
        QCOMPARE(db.scalar(u"select 拼音 from 菜单表 where 名称='宫保鸡丁'"_s).toString(), u"gbjd"_s);
        // Customers live in known areas and types.
        QCOMPARE(db.scalar(u"select count(*) from 客户资料 where 客户地区 not in (select 区域 from 区域)"_s).toInt(), 0);
        QCOMPARE(db.scalar(u"select count(*) from 客户资料 where 客户类型 not in (select 客户类型 from 客户类型)"_s).toInt(), 0);
        // A stored value comes with its top-up record.
        const lanfan::SqlRow manager = db.first(u"select id, 帐户余额 from 客户资料 where 客户姓名='张经理'"_s);
        QCOMPARE(manager.money(u"帐户余额"_s).toString(), u"200"_s);
        const lanfan::SqlRow topUp = db.first(u"select * from 充值记录 where 客户编号=:id"_s, {{u"id"_s, manager.text(u"id"_s)}});
        QCOMPARE(topUp.text(u"类型"_s), u"充值"_s);
        QCOMPARE(topUp.money(u"充值后余额"_s).toString(), u"200"_s);
        QCOMPARE(topUp.text(u"充值时间"_s), u"2026-12-11 12:00:00"_s);
        QCOMPARE(db.scalar(u"select 店名 from 店名"_s).toString(), u"澜帆示范快餐店"_s);
    }

    void theShopIsBigEnoughToTry()
    {
        TestShop shop;
        lanfan::DemoSummary s;
        QCOMPARE(lanfan::addDemoShop(shop.db(), shop.clock(), &s), QString());
        lanfan::Db &db = shop.db();
        QVERIFY(s.dishes >= 40 && s.dishes <= 60);
        QCOMPARE(s.customers, 30);
        // Every dish carries the code the dish editor would give it, and the codes tell dishes apart.
        for (const lanfan::SqlRow &d : db.rows(u"select 名称, 拼音 from 菜单表"_s))
            QCOMPARE(d.text(u"拼音"_s), lanfan::dishMnemonic(d.text(u"名称"_s)));
        QCOMPARE(db.scalar(u"select count(distinct 编号) from 菜单表"_s).toInt(), s.dishes);
        QCOMPARE(db.scalar(u"select count(*) from 种类 where 后厨打印机 is null or 后厨打印机=''"_s).toInt(), 0);
        QVERIFY(db.scalar(u"select count(*) from 客户资料 where 联系电话 like '%,%'"_s).toInt() >= 3);
        QVERIFY(db.scalar(u"select count(distinct 客户编号) from 多个地址"_s).toInt() >= 3);
        QCOMPARE(db.scalar(u"select count(*) from 多个地址 where 客户编号 not in (select id from 客户资料)"_s).toInt(), 0);
        QVERIFY(db.scalar(u"select count(*) from 客户资料 where 积分>0"_s).toInt() >= 10);
        // Each balance is the sum of its top-ups.
        int withBalance = 0;
        for (const lanfan::SqlRow &c : db.rows(u"select id, 帐户余额 from 客户资料"_s)) {
            lanfan::Money topUps;
            for (const lanfan::SqlRow &t : db.rows(u"select 充值金额 from 充值记录 where 客户编号=:id"_s, {{u"id"_s, c.text(u"id"_s)}}))
                topUps = topUps + t.money(u"充值金额"_s);
            QCOMPARE(c.money(u"帐户余额"_s), topUps);
            withBalance += topUps > lanfan::Money() ? 1 : 0;
        }
        QVERIFY(withBalance >= 3);
        QVERIFY(db.scalar(u"select count(*) from 口味 where 加价>0"_s).toInt() >= 3);
        QVERIFY(db.scalar(u"select count(*) from 餐台号"_s).toInt() >= 8);
        QVERIFY(db.scalar(u"select count(*) from 折扣设置"_s).toInt() >= 3);
        QVERIFY(db.scalar(u"select count(*) from 常用发货备注"_s).toInt() >= 3);
    }

    void theCashierLogsInWithFewerRights()
    {
        TestShop shop;
        lanfan::DemoSummary s;
        lanfan::addDemoShop(shop.db(), shop.clock(), &s);
        const auto cashier = lanfan::findOperator(shop.db(), s.operatorName, s.operatorPassword);
        QVERIFY(cashier);
        QVERIFY(!cashier->isAdministrator());
        QVERIFY(cashier->may(1, 2));   // customers
        QVERIFY(!cashier->may(1, 1));  // the dish catalogue
        QVERIFY(cashier->may(2, 1));   // taking orders
        QVERIFY(!cashier->may(4, 1));  // system settings
        QVERIFY(cashier->may(4, 3));   // own password
        QVERIFY(lanfan::findOperator(shop.db(), u"admin"_s, lanfan::initialPassword()));
    }

    void aShopWithDataIsLeftAlone()
    {
        TestShop shop;
        shop.db().execute(u"insert into 客户资料 (客户姓名) values ('老顾客')"_s);
        const QString refusal = lanfan::addDemoShop(shop.db(), shop.clock());
        QVERIFY(!refusal.isEmpty());
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户资料"_s).toInt(), 1);
        QCOMPARE(shop.db().scalar(u"select count(*) from 菜单表"_s).toInt(), 0);
    }

    void theAdminCommandMakesADemoFolder()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(u"demo"_s);
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(lanfan::runAdminCommand({u"lanfan-admin"_s, u"demo"_s, u"--data-dir"_s, data}, o, e), 0);
        o.flush();
        QVERIFY2(out.contains(u"operator 收银员, password 123"_s), qPrintable(out));
        QVERIFY(out.contains(u"initial password 888"_s));
        // A second time it refuses and keeps the shop.
        QCOMPARE(lanfan::runAdminCommand({u"lanfan-admin"_s, u"demo"_s, u"--data-dir"_s, data}, o, e), 1);
        QCOMPARE(lanfan::runAdminCommand({u"lanfan-admin"_s, u"check"_s, u"--data-dir"_s, data}, o, e), 0);
    }
};

QTEST_GUILESS_MAIN(TestDemoShop)
#include "tst_demoshop.moc"
