#include "TestShop.h"
#include "data/IniStore.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeWorkMode(const DataFolder &folder, const QString &mode, const QString &dir)
{
    IniStore ini(folder.workModeIni());
    ini.setValue(u"工作模式"_s, u"值"_s, mode);
    ini.setValue(u"目录"_s, u"值"_s, dir);
    QVERIFY(ini.save());
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingWorkModeMeansServer()
    {
        QTemporaryDir dir;
        DataFolder folder(dir.path());
        QCOMPARE(folder.workMode().mode, u"服务器"_s);
        QCOMPARE(folder.shopDatabase(), dir.filePath(u"db1.db"_s));
    }

    void workstationUsesTheServerFolder()
    {
        QTemporaryDir server;
        QTemporaryDir here;
        DataFolder serverFolder(server.path());
        FixedClock clock;
        OpenOutcome outcome;
        QVERIFY(openShopDatabase(serverFolder, clock, &outcome));

        DataFolder folder(here.path());
        writeWorkMode(folder, u"工作站"_s, server.path());
        QCOMPARE(folder.shopDatabase(), server.filePath(u"db1.db"_s));
        auto db = openShopDatabase(folder, clock, &outcome);
        QVERIFY(db);
        QCOMPARE(outcome.databasePath, server.filePath(u"db1.db"_s));
        // the patch database stays in this PC's own folder
        QVERIFY(QFile::exists(here.filePath(u"buding.db"_s)));
        QVERIFY(!QFile::exists(here.filePath(u"db1.db"_s)));
    }

    void workstationWithoutServerFileFails()
    {
        QTemporaryDir here;
        DataFolder folder(here.path());
        writeWorkMode(folder, u"工作站"_s, here.filePath(u"nowhere"_s));
        FixedClock clock;
        OpenOutcome outcome;
        QVERIFY(!openShopDatabase(folder, clock, &outcome));
        QCOMPARE(outcome.message, u"数据库连接失败！！"_s);
        QVERIFY(!QFile::exists(here.filePath(u"nowhere/db1.db"_s)));
    }

    void dataFolderIsPrivate()
    {
        QTemporaryDir dir;
        DataFolder folder(dir.filePath(u"shop"_s));
        QVERIFY(folder.ensure());
        const auto perms = QFile::permissions(folder.root());
        QVERIFY(perms & QFile::ReadOwner);
        QVERIFY(!(perms & QFile::ReadOther));
        QVERIFY(!(perms & QFile::ReadGroup));
    }

    void damagedFileIsRepairedAndKept_data()
    {
        QTest::addColumn<bool>("withData");
        QTest::newRow("garbage file") << false;
        QTest::newRow("database with a damaged page") << true;
    }
    void damagedFileIsRepairedAndKept()
    {
        QFETCH(bool, withData);
        QTemporaryDir dir;
        DataFolder folder(dir.path());
        const QString path = folder.shopDatabase();
        FixedClock clock(QDateTime(QDate(2026, 12, 11), QTime(9, 30, 5)));

        if (withData) {
            {
                OpenOutcome first;
                auto db = openShopDatabase(folder, clock, &first);
                QVERIFY(db);
                db->execute(u"insert into 区域 (区域) values ('城东')"_s);
                db->execute(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
            }
            // break the header's page size so the engine calls the file malformed
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(16);
            f.write("\x00\x03", 2);
            f.close();
            QFile::remove(path + u"-wal"_s);
            QFile::remove(path + u"-shm"_s);
        } else {
            test::writeFile(path, QByteArray("this is not a database at all, just some bytes").repeated(200));
        }
        const QByteArray damaged = readAll(path);

        OpenOutcome outcome;
        QVERIFY(!openShopDatabase(folder, clock, &outcome));
        QCOMPARE(int(outcome.status), int(OpenOutcome::Status::Repaired));
        QCOMPARE(outcome.message, u"本地数据库文件损坏，自动修复完成，请重新登录软件"_s);
        QVERIFY(outcome.keptDamagedAs.contains(u"20261211-093005"_s));
        QCOMPARE(readAll(outcome.keptDamagedAs), damaged);

        // the next start opens the repaired file with the whole schema
        OpenOutcome again;
        auto db = openShopDatabase(folder, clock, &again);
        QVERIFY(db);
        QCOMPARE(db->scalar(u"select count(*) from 登陆"_s).toInt(), 1);
        QCOMPARE(schemaLevel(*db), latestSchemaLevel());
    }

    void openingDoesNotReadTheWholeFile()
    {
        // A healthy file opens without a scan: breaking a data page far from
        // the schema does not stop the start.
        QTemporaryDir dir;
        DataFolder folder(dir.path());
        FixedClock clock;
        {
            OpenOutcome o;
            auto db = openShopDatabase(folder, clock, &o);
            Transaction tx(*db);
            for (int i = 0; i < 3000; ++i)
                db->execute(u"insert into 来电历史记录表 (电话号码,方向) values (:n,'打入')"_s, {{u"n"_s, QString::number(i)}});
            tx.commit();
            db->execute(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
        }
        QFile f(folder.shopDatabase());
        QVERIFY(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        f.seek(size - 4096 + 100);
        f.write(QByteArray(64, '\xff'));
        f.close();
        OpenOutcome outcome;
        QVERIFY(openShopDatabase(folder, clock, &outcome));
        QCOMPARE(int(outcome.status), int(OpenOutcome::Status::Opened));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
