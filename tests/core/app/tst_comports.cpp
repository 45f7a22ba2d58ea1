#include "TestShop.h"
#include "app/ComPorts.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

class TestComPorts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numbersComeInNumericOrder_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("ten after nine") << QStringList{u"COM10"_s, u"COM9"_s, u"COM2"_s}
                                        << QStringList{u"2"_s, u"9"_s, u"10"_s};
        QTest::newRow("trimmed, any case") << QStringList{u"  com3 "_s, u"Com1"_s} << QStringList{u"1"_s, u"3"_s};
        QTest::newRow("other names are skipped") << QStringList{u"LPT1"_s, u"\\Device\\Serial0"_s, u"COM"_s, u"COM4"_s}
                                                 << QStringList{u"4"_s};
        QTest::newRow("once each, no leading zeros") << QStringList{u"COM007"_s, u"COM7"_s, u"COM12"_s}
                                                     << QStringList{u"7"_s, u"12"_s};
        QTest::newRow("none") << QStringList{} << QStringList{};
    }

    void numbersComeInNumericOrder()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, numbers);
        QCOMPARE(lanfan::comPortNumbers(names), numbers);
    }

    void theDataFolderNamesItsPorts()
    {
        TestShop shop;
        QVERIFY(QDir().mkpath(shop.path(u"ports"_s)));
        QVERIFY(QFile::link(u"/dev/null"_s, shop.path(u"ports/COM10"_s)));
        QVERIFY(QFile::link(u"/nonexistent/ttyUSB7"_s, shop.path(u"ports/COM2"_s)));
        const QStringList numbers = lanfan::comPortNumbers(lanfan::systemComPortNames(shop.folder()));
        QVERIFY(numbers.contains(u"2"_s));
        QVERIFY(numbers.contains(u"10"_s));
        QVERIFY(numbers.indexOf(u"2"_s) < numbers.indexOf(u"10"_s));
        QCOMPARE(lanfan::comPortDevice(shop.folder(), 10), u"/dev/null"_s);
        QCOMPARE(lanfan::comPortDevice(shop.folder(), 2), u"/nonexistent/ttyUSB7"_s);
        QCOMPARE(lanfan::comPortDevice(shop.folder(), 1), u"/dev/ttyS0"_s);
    }
};

QTEST_GUILESS_MAIN(TestComPorts)
#include "tst_comports.moc"
