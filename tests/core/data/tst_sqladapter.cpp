#include "TestShop.h"
#include "common/Money.h"
#include "data/Db.h"

#include <QSqlQuery>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

class TestSqlAdapter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rewritesNamedPlaceholders_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("rewritten");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("Chinese names")
            << "select * from 产品销售开票 where 单据编号=:单据编号 and 购物日期=:gwrq"
            << "select * from 产品销售开票 where 单据编号=? and 购物日期=?" << QStringList{u"单据编号"_s, u"gwrq"_s};
        QTest::newRow("same name twice") << "values (:r,:r)" << "values (?,?)" << QStringList{u"r"_s, u"r"_s};
        QTest::newRow("colon inside a literal") << "select ':x', \":y\" where a=:z" << "select ':x', \":y\" where a=?"
                                                << QStringList{u"z"_s};
        QTest::newRow("quote escaped inside literal") << "select 'it''s :x' , :y" << "select 'it''s :x' , ?"
                                                      << QStringList{u"y"_s};
        QTest::newRow("cast and time text") << "select a::text, '12:00:00'" << "select a::text, '12:00:00'"
                                            << QStringList{};
        QTest::newRow("comment") << "select 1 -- :not\n, :yes" << "select 1 -- :not\n, ?" << QStringList{u"yes"_s};
    }
    void rewritesNamedPlaceholders()
    {
        QFETCH(QString, sql);
        QFETCH(QString, rewritten);
        QFETCH(QStringList, names);
        QStringList got;
        QCOMPARE(Db::rewriteNamed(sql, &got), rewritten);
        QCOMPARE(got, names);
    }

    // Qt's own binding drops non-ASCII names; the adapter must not.
    void bindsChineseNamesByName()
    {
        test::TestShop shop;
        Db &db = shop.db();
        db.execute(u"insert into 区域 (区域) values (:区域)"_s, {{u"区域"_s, u"城东"_s}});
        QCOMPARE(db.scalar(u"select 区域 from 区域 where 区域=:名称"_s, {{u":名称"_s, u"城东"_s}}).toString(), u"城东"_s);
        const qint64 id = db.insert(u"insert into 客户资料 (客户姓名,联系电话,帐户余额) values (:客户姓名,:联系电话,:帐户余额)"_s,
                                    {{u"客户姓名"_s, u"张三"_s},
                                     {u"联系电话"_s, u"13800138000"_s},
                                     {u"帐户余额"_s, QVariant::fromValue(*Money::parse(u"49.99"_s))}});
        QVERIFY(id > 0);
        const SqlRow row = db.first(u"select * from 客户资料 where id=:id"_s, {{u"id"_s, id}});
        QCOMPARE(row.text(u"客户姓名"_s), u"张三"_s);
        QCOMPARE(row.money(u"帐户余额"_s).toString(2), u"49.99"_s);
    }

    void missingParameterIsAnError()
    {
        test::TestShop shop;
        try {
            shop.db().execute(u"insert into 区域 (区域) values (:区域)"_s);
            QFAIL("no error for a missing parameter");
        } catch (const SqlError &e) {
            QVERIFY(e.text().contains(u"区域"_s));
        }
        QCOMPARE(shop.db().scalar(u"select count(*) from 区域"_s).toInt(), 0);
    }

    void moneyStaysExactThroughTheDatabase()
    {
        test::TestShop shop;
        Db &db = shop.db();
        for (int i = 0; i < 3; ++i)
            db.execute(u"insert into 口味 (口味,加价) values ('辣',:p)"_s, {{u"p"_s, QVariant::fromValue(*Money::parse(u"0.1"_s))}});
        QCOMPARE(Money::fromVariant(db.scalar(u"select sum(加价) from 口味"_s)), *Money::parse(u"0.3"_s));
        QCOMPARE(db.scalar(u"select count(*) from 口味 where 加价<=:x"_s, {{u"x"_s, QVariant::fromValue(*Money::parse(u"0.1"_s))}}).toInt(), 3);
    }

    void transactionRollsBackUnlessCommitted()
    {
        test::TestShop shop;
        Db &db = shop.db();
        try {
            Transaction tx(db);
            db.execute(u"insert into 区域 (区域) values ('城西')"_s);
            db.execute(u"insert into 没有这张表 (a) values (1)"_s);
            tx.commit();
            QFAIL("the second statement should fail");
        } catch (const SqlError &) {
        }
        QCOMPARE(db.scalar(u"select count(*) from 区域"_s).toInt(), 0);
        QVERIFY(!db.inTransaction());

        {
            Transaction outer(db);
            {
                Transaction inner(db);
                db.execute(u"insert into 区域 (区域) values ('城南')"_s);
                inner.commit();
            }
            db.execute(u"insert into 区域 (区域) values ('城北')"_s);
            outer.commit();
        }
        QCOMPARE(db.scalar(u"select count(*) from 区域"_s).toInt(), 2);
    }
};

QTEST_GUILESS_MAIN(TestSqlAdapter)
#include "tst_sqladapter.moc"
