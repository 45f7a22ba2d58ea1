#include "TestShop.h"
#include "app/LoginUpgrades.h"
#include "common/Money.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

class TestLoginUpgrades : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theListIsTheFixedOneInItsOrder()
    {
        const auto &steps = lanfan::loginUpgrades();
        QCOMPARE(steps.size(), 22);
        QCOMPARE(steps[0].table, u"fasongneirong"_s);
        QCOMPARE(steps[0].column, u"shouji"_s);
        QCOMPARE(steps[9].column, u"数量"_s);
        QCOMPARE(steps[9].type, u"money"_s);
        QCOMPARE(steps[10].sql, u"update 种类 set 排序编号=编号 where 排序编号 is null"_s);
        QCOMPARE(steps[13].params.value(u"删除人"_s).toString(), u"老记录"_s);
        QCOMPARE(steps[15].table, u"多个地址"_s);
        QCOMPARE(steps[21].params.value(u"是否参与打折"_s).toString(), u"是"_s);
        int updates = 0;
        for (const auto &s : steps)
            updates += s.isConversion() ? 0 : 1;
        QCOMPARE(updates, 6);
    }

    void emptyValuesOfOlderRowsAreFilled()
    {
        TestShop shop;
        lanfan::Db &db = shop.db();
        db.execute(u"insert into 种类 (种类) values ('炒菜')"_s);
        db.execute(u"insert into 种类 (种类,排序编号,是否参与打折) values ('饮料',7,'否')"_s);
        db.execute(u"insert into 菜单表 (名称) values ('鱼香肉丝')"_s);
        db.execute(u"insert into 菜单表 (名称,排序编号,当前库存,单位成本,库存总额,是否参与打折) values ('可乐',9,5,2,10,'否')"_s);
        db.execute(u"insert into 订单删除日志 (单据编号) values ('202612110001')"_s);
        db.execute(u"insert into 订单删除日志 (单据编号,删除人) values ('202612110002','admin')"_s);

        QCOMPARE(lanfan::runLoginUpgrades(db, {}), QString());

        const auto kinds = db.rows(u"select 编号, 种类, 排序编号, 是否参与打折 from 种类 order by 编号"_s);
        QCOMPARE(kinds[0].integer(u"排序编号"_s), kinds[0].integer(u"编号"_s));
        QCOMPARE(kinds[0].text(u"是否参与打折"_s), u"是"_s);
        QCOMPARE(kinds[1].integer(u"排序编号"_s), 7);
        QCOMPARE(kinds[1].text(u"是否参与打折"_s), u"否"_s);

        const auto dishes = db.rows(u"select * from 菜单表 order by id"_s);
        QCOMPARE(dishes[0].integer(u"排序编号"_s), dishes[0].integer(u"id"_s));
        QVERIFY(!dishes[0].isNull(u"当前库存"_s));
        QVERIFY(dishes[0].money(u"当前库存"_s).isZero());
        QVERIFY(dishes[0].money(u"单位成本"_s).isZero());
        QVERIFY(dishes[0].money(u"库存总额"_s).isZero());
        QCOMPARE(dishes[0].text(u"是否参与打折"_s), u"是"_s);
        QCOMPARE(dishes[1].integer(u"排序编号"_s), 9);
        QCOMPARE(dishes[1].money(u"当前库存"_s).toString(), u"5"_s);
        QCOMPARE(dishes[1].text(u"是否参与打折"_s), u"否"_s);

        const auto log = db.rows(u"select 删除人 from 订单删除日志 order by 单据编号"_s);
        QCOMPARE(log[0].text(u"删除人"_s), u"老记录"_s);
        QCOMPARE(log[1].text(u"删除人"_s), u"admin"_s);
    }

    void runningAgainChangesNothing()
    {
        TestShop shop;
        shop.db().execute(u"insert into 菜单表 (名称) values ('米饭')"_s);
        QCOMPARE(lanfan::runLoginUpgrades(shop.db(), {}), QString());
        const QVariantMap before = shop.db().first(u"select * from 菜单表"_s).values();
        QCOMPARE(lanfan::runLoginUpgrades(shop.db(), {}), QString());
        QCOMPARE(shop.db().first(u"select * from 菜单表"_s).values(), before);
    }

    void aMissingColumnStopsWithTheDatabaseText()
    {
        TestShop shop;
        shop.db().execute(u"alter table 订单删除日志 drop column 地址"_s);
        const QString error = lanfan::runLoginUpgrades(shop.db(), {});
        QVERIFY2(error.contains(u"地址"_s), qPrintable(error));
    }

    void theFirstStepEmptiesTheSmsQueueAndTriesAgain()
    {
        TestShop shop;
        QList<int> waits;
        // A queue table without the phone column: the step fails twice.
        shop.db().execute(u"drop table fasongneirong"_s);
        shop.db().execute(u"create table fasongneirong (neirong text)"_s);
        shop.db().execute(u"insert into fasongneirong (neirong) values ('old')"_s);
        const QString error = lanfan::runLoginUpgrades(shop.db(), [&](int ms) { waits << ms; });
        QVERIFY2(error.contains(u"shouji"_s), qPrintable(error));
        QCOMPARE(waits, QList<int>{1000});
        QCOMPARE(shop.db().scalar(u"select count(*) from fasongneirong"_s).toInt(), 0);
    }

    void aHealthyQueueIsLeftAlone()
    {
        TestShop shop;
        shop.db().execute(u"insert into fasongneirong (neirong,shouji) values ('hi','13800000000')"_s);
        QList<int> waits;
        QCOMPARE(lanfan::runLoginUpgrades(shop.db(), [&](int ms) { waits << ms; }), QString());
        QVERIFY(waits.isEmpty());
        QCOMPARE(shop.db().scalar(u"select count(*) from fasongneirong"_s).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestLoginUpgrades)
#include "tst_loginupgrades.moc"
