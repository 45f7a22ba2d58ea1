#include "admin/AdminCommands.h"
#include "common/Text.h"
#include "data/DataFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

int run(const QStringList &args, QString *output = nullptr)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    const int rc = lanfan::runAdminCommand(QStringList{u"lanfan-admin"_s} + args, o, e);
    o.flush();
    e.flush();
    if (output)
        *output = out + err;
    return rc;
}

} // namespace

class TestAdmin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initThenCheckPasses()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(u"shop"_s);
        QString out;
        QCOMPARE(run({u"init"_s, u"--data-dir"_s, data}, &out), 0);
        QVERIFY(QFile::exists(data + u"/db1.db"_s));
        QVERIFY(QFile::exists(data + u"/buding.db"_s));
        QVERIFY(out.contains(u"initial password"_s));
        QCOMPARE(run({u"check"_s, u"--data-dir"_s, data}, &out), 0);
        QVERIFY(out.contains(u"integrity: ok"_s));
        QVERIFY(out.contains(u"登陆: 1 rows"_s));
        // init again keeps the shop as it is
        QCOMPARE(run({u"init"_s, u"--data-dir"_s, data}, &out), 0);
        QVERIFY(!out.contains(u"initial password"_s));
    }

    void checkFailsOnGarbageAndOnMissingDatabase()
    {
        QTemporaryDir dir;
        QCOMPARE(run({u"check"_s, u"--data-dir"_s, dir.path()}), 1);
        QFile f(dir.filePath(u"db1.db"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("not a database").repeated(100));
        f.close();
        QCOMPARE(run({u"check"_s, u"--data-dir"_s, dir.path()}), 1);
    }

    void settingsShowValuesAndSources()
    {
        QTemporaryDir dir;
        QCOMPARE(run({u"init"_s, u"--data-dir"_s, dir.path()}), 0);
        QFile f(dir.filePath(u"cysz.ini"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(u"[开单后打印]\n类型=直接打印\n"_s.toUtf8());
        f.close();
        QString out;
        QCOMPARE(run({u"settings"_s, u"--data-dir"_s, dir.path()}, &out), 0);
        QVERIFY(out.contains(u"开单后打印 = 直接打印  (file)"_s));
        QVERIFY(out.contains(u"计算精度 = 角分  (default)"_s));
        QVERIFY(out.contains(u"店名.打印幅面 = 76mm"_s));
    }

    void unknownCommandIsRefused()
    {
        QCOMPARE(run({u"frobnicate"_s}), 2);
    }
};

QTEST_GUILESS_MAIN(TestAdmin)
#include "tst_admin.moc"
