#include "TestShop.h"
#include "common/Text.h"
#include "data/Schema.h"

#include <QSqlQuery>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

class TestSchema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTableAndColumnExistsWithItsType()
    {
        test::TestShop shop;
        Db &db = shop.db();
        for (const auto &t : shopTables()) {
            QSqlQuery q = db.exec(u"PRAGMA table_info("_s + quoteIdentifier(t.name) + u')');
            QHash<QString, QString> types;
            while (q.next())
                types.insert(q.value(1).toString(), q.value(2).toString());
            QVERIFY2(!types.isEmpty(), qPrintable(t.name));
            for (const auto &c : t.columns) {
                QVERIFY2(types.contains(c.name), qPrintable(t.name + u'.' + c.name));
                if (c.type != ColumnType::AutoId)
                    QCOMPARE(types.value(c.name), db.dialect().columnType(c.type, c.length));
            }
        }
    }

    void namesThatOtherFilesRelyOn_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("type");
        QTest::newRow("customer balance") << "客户资料" << "帐户余额" << "DECIMAL(19,4)";
        QTest::newRow("order balance") << "产品销售开票" << "账户余额" << "DECIMAL(19,4)";
        QTest::newRow("vouchers") << "产品销售开票" << "代金卷" << "DECIMAL(19,4)";
        QTest::newRow("quantity is money") << "产品销售开票" << "数量" << "DECIMAL(19,4)";
        QTest::newRow("paid flag") << "产品销售开票" << "交款完毕" << "BOOLEAN";
        QTest::newRow("phone 255") << "客户资料" << "联系电话" << "VARCHAR(255)";
        QTest::newRow("sms numbers 255") << "fasongneirong" << "shouji" << "VARCHAR(255)";
        QTest::newRow("cart key") << "销售临时表" << "时间" << "VARCHAR(50)";
        QTest::newRow("extra address owner") << "多个地址" << "客户编号" << "INTEGER";
    }
    void namesThatOtherFilesRelyOn()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, type);
        test::TestShop shop;
        QSqlQuery q = shop.db().exec(u"PRAGMA table_info("_s + quoteIdentifier(table) + u')');
        QString found;
        while (q.next())
            if (q.value(1).toString() == column)
                found = q.value(2).toString();
        QCOMPARE(found, type);
    }

    void newOrderLinesStartUndispatched()
    {
        test::TestShop shop;
        Db &db = shop.db();
        db.execute(u"insert into 产品销售开票 (单据编号,产品名称) values ('202612110001','炒饭')"_s);
        const SqlRow row = db.first(u"select * from 产品销售开票"_s);
        QCOMPARE(row.integer(u"已发数量"_s), 0);
        QCOMPARE(db.scalar(u"select count(*) from 产品销售开票 where 发货完毕=false and 交款完毕=false"_s).toInt(), 1);
        // deleting an order keeps every column of its lines in the log
        db.execute(u"insert into 订单删除日志 select *, null, null from 产品销售开票 where 单据编号=:bh"_s,
                   {{u"bh"_s, u"202612110001"_s}});
        QCOMPARE(db.scalar(u"select 产品名称 from 订单删除日志"_s).toString(), u"炒饭"_s);
    }

    void oneRowTablesAndFirstOperator()
    {
        test::TestShop shop;
        Db &db = shop.db();
        for (const QString &t : {u"店名"_s, u"颜色显示"_s, u"串口编号"_s, u"来电路数"_s, u"录音设备"_s, u"版本号"_s, u"初始化密码"_s})
            QCOMPARE(db.scalar(u"select count(*) from "_s + quoteIdentifier(t)).toInt(), 1);
        QCOMPARE(db.scalar(u"select 编号 from 串口编号"_s).toInt(), 0);
        QCOMPARE(db.scalar(u"select 初始化密码 from 初始化密码"_s).toString(), u"405168"_s);

        const auto ops = db.rows(u"select * from 登陆"_s);
        QCOMPARE(ops.size(), 1);
        QCOMPARE(ops[0].text(u"用户"_s), u"admin"_s);
        QCOMPARE(ops[0].text(u"权限"_s), u"管理员"_s);
        QCOMPARE(ops[0].text(u"密码"_s), md5Hex(shop.outcome().initialPassword));
        QCOMPARE(shop.outcome().initialPassword.size(), 3);
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(ops[0].text(u"Right"_s + QString::number(i)), QString(31, u'1'));
    }

    void ensuringAgainChangesNothing()
    {
        test::TestShop shop;
        Db &db = shop.db();
        QVERIFY(ensureShopSchema(db).isEmpty());
        QCOMPARE(db.scalar(u"select count(*) from 登陆"_s).toInt(), 1);
        QCOMPARE(db.scalar(u"select count(*) from 店名"_s).toInt(), 1);
        QCOMPARE(schemaLevel(db), latestSchemaLevel());
    }

    void anOlderLevelGetsTheNewIndexes()
    {
        test::TestShop shop;
        Db &db = shop.db();
        db.execute(u"drop index \"ix_客户资料_购物次数_购物金额\""_s);
        db.execute(u"update 架构版本 set 级别=1"_s);
        ensureShopSchema(db);
        QCOMPARE(schemaLevel(db), latestSchemaLevel());
        QCOMPARE(db.scalar(u"select count(*) from sqlite_master where type='index' and name='ix_客户资料_购物次数_购物金额'"_s).toInt(), 1);
    }

    void olderFileGetsMissingColumns()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"db1.db"_s);
        {
            auto db = openSqliteFile(path, u"old"_s);
            db->execute(u"create table 客户资料 (id INTEGER PRIMARY KEY AUTOINCREMENT, 客户姓名 TEXT, 联系电话 TEXT)"_s);
            db->execute(u"insert into 客户资料 (客户姓名,联系电话) values ('李四','666')"_s);
        }
        auto db = openSqliteFile(path, u"old2"_s);
        ensureShopSchema(*db);
        const SqlRow row = db->first(u"select 客户姓名, 帐户余额, 信用等级 from 客户资料"_s);
        QCOMPARE(row.text(u"客户姓名"_s), u"李四"_s);
        QVERIFY(row.values().contains(u"信用等级"_s));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
