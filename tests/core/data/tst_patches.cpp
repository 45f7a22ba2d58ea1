#include "TestShop.h"
#include "data/Schema.h"

#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

using PatchList = QList<QPair<QString, QString>>; // version, statement
Q_DECLARE_METATYPE(PatchList)

class TestPatches : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void appliesPendingPatches_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<PatchList>("patches");
        QTest::addColumn<QStringList>("areasAfter");
        QTest::addColumn<QString>("versionAfter");
        QTest::addColumn<int>("failed");

        const auto add = [](const QString &area) -> QString { return u"insert into 区域 (区域) values ('"_s + area + u"')"_s; };
        QTest::newRow("equal versions run nothing")
            << "20121201" << PatchList{{u"20121201"_s, add(u"甲"_s)}} << QStringList{} << "20121201" << 0;
        QTest::newRow("newer patch runs") << "20121201"
                                          << PatchList{{u"20121201"_s, add(u"甲"_s)}, {u"20130105"_s, add(u"乙"_s)}}
                                          << QStringList{u"乙"_s} << "20130105" << 0;
        QTest::newRow("dots removed on both sides")
            << "2012.12.01" << PatchList{{u"2012.12.01"_s, add(u"甲"_s)}, {u"2012.12.15"_s, add(u"乙"_s)}}
            << QStringList{u"乙"_s} << "20121215" << 0;
        QTest::newRow("failing statement skipped, next runs")
            << "1" << PatchList{{u"2"_s, u"alter table 区域 add column 区域 TEXT"_s}, {u"3"_s, add(u"丙"_s)}}
            << QStringList{u"丙"_s} << "3" << 1;
        QTest::newRow("numeric order, not text order")
            << "8" << PatchList{{u"10"_s, u"update 区域 set 区域='后'"_s}, {u"9"_s, add(u"先"_s)}}
            << QStringList{u"后"_s} << "10" << 0;
        QTest::newRow("empty patch file keeps the version") << "20121201" << PatchList{} << QStringList{} << "20121201" << 0;
        QTest::newRow("older patch file never moves the version back")
            << "20150101" << PatchList{{u"20121201"_s, add(u"甲"_s)}} << QStringList{} << "20150101" << 0;
    }
    void appliesPendingPatches()
    {
        QFETCH(QString, current);
        QFETCH(PatchList, patches);
        QFETCH(QStringList, areasAfter);
        QFETCH(QString, versionAfter);
        QFETCH(int, failed);

        test::TestShop shop;
        Db &db = shop.db();
        db.execute(u"update 版本号 set 版本号=:v"_s, {{u"v"_s, current}});
        auto patchDb = openSqliteFile(shop.folder().patchDatabase(), u"patches"_s);
        ensurePatchSchema(*patchDb);
        for (const auto &[version, sql] : patches)
            patchDb->execute(u"insert into 命令表 (版本号,sql语句) values (:v,:s)"_s, {{u"v"_s, version}, {u"s"_s, sql}});

        const PatchOutcome out = applyPatches(db, *patchDb);
        QCOMPARE(out.failed, failed);
        QVERIFY(out.error.isEmpty());
        QStringList areas;
        for (const auto &r : db.rows(u"select 区域 from 区域"_s))
            areas << r.text(u"区域"_s);
        QCOMPARE(areas, areasAfter);
        QCOMPARE(db.scalar(u"select count(*) from 版本号"_s).toInt(), 1);
        QCOMPARE(db.scalar(u"select 版本号 from 版本号"_s).toString(), versionAfter);
    }

    void patchesRunAtStart()
    {
        test::TestShop shop([](const DataFolder &folder) {
            folder.ensure();
            auto patchDb = openSqliteFile(folder.patchDatabase(), u"prepare"_s);
            ensurePatchSchema(*patchDb);
            patchDb->execute(u"insert into 命令表 (版本号,sql语句) values ('2.0.1','insert into 风味 (风味) values (''川菜'')')"_s);
        });
        QCOMPARE(shop.outcome().patchesRun, 1);
        QCOMPARE(shop.db().scalar(u"select 风味 from 风味"_s).toString(), u"川菜"_s);
        QCOMPARE(shop.db().scalar(u"select 版本号 from 版本号"_s).toString(), u"201"_s);
    }

    void unreadablePatchFileIsReportedAndStartGoesOn()
    {
        test::TestShop shop([](const DataFolder &folder) {
            test::writeFile(folder.patchDatabase(), QByteArray("garbage").repeated(500));
        });
        QVERIFY(!shop.outcome().patchError.isEmpty());
        QCOMPARE(int(shop.outcome().status), int(OpenOutcome::Status::Opened));
    }
};

QTEST_GUILESS_MAIN(TestPatches)
#include "tst_patches.moc"
