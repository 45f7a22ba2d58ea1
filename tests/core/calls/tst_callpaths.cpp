#include "calls/CallPaths.h"

#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lanfan::CallPath)

class TestCallPaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numbersAndKeys_data()
    {
        QTest::addColumn<CallPath>("path");
        QTest::addColumn<QString>("reported");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("key");
        QTest::newRow("manual strips one zero") << CallPath::ManualPhone << "0571-8888" << true << "571-8888" << "a5718888";
        QTest::newRow("only one zero") << CallPath::ManualPhone << "00852" << true << "0852" << "a0852";
        QTest::newRow("modem keeps the zero") << CallPath::Modem << "0571-8888" << true << "0571-8888" << "a05718888";
        QTest::newRow("serial box strips") << CallPath::SerialBox << "013812345678" << true << "13812345678" << "a13812345678";
        QTest::newRow("Q-type needs more than 6") << CallPath::QTypeUsb << "123456" << false << "123456" << "a123456";
        QTest::newRow("Q-type 7 digits") << CallPath::QTypeUsb << "1234567" << true << "1234567" << "a1234567";
        QTest::newRow("empty manual") << CallPath::ManualPhone << "" << false << "" << "a";
        QTest::newRow("star and hash stay") << CallPath::XType << "*31#888" << true << "*31#888" << "a*31#888";
        QTest::newRow("member code") << CallPath::ManualMemberCode << "VIP-08" << true << "VIP-08" << "asgvip-08";
    }
    void numbersAndKeys()
    {
        QFETCH(CallPath, path);
        QFETCH(QString, reported);
        QFETCH(bool, accepted);
        QFETCH(QString, number);
        QFETCH(QString, key);
        const QString n = normaliseNumber(path, reported);
        QCOMPARE(n, number);
        QCOMPARE(acceptsNumber(path, n), accepted);
        QCOMPARE(popupKey(path, n), key);
    }

    void typingTheSameNumberAgainFindsTheSameKey()
    {
        const QString first = popupKey(CallPath::ManualPhone, normaliseNumber(CallPath::ManualPhone, u"0571-8888"_s));
        const QString again = popupKey(CallPath::ManualPhone, normaliseNumber(CallPath::ManualPhone, u"0571-8888"_s));
        QCOMPARE(first, again);
        // the device reporting the stripped number meets the same popup
        QCOMPARE(popupKey(CallPath::Modem, u"5718888"_s), first);
    }

    void captionsAndSources()
    {
        QCOMPARE(popupCaption(CallPath::Modem, u"123"_s), u"来电MODEM订餐：123"_s);
        QCOMPARE(popupCaption(CallPath::HTypeUsb, u"123"_s, 1, u"2026-12-11 12:00:00"_s),
                 u"线路2--来电订餐：123    ----时间：2026-12-11 12:00:00"_s);
        QCOMPARE(orderSource(CallPath::HTypeUsb, false), u"H型USB来电不录音开单"_s);
        QCOMPARE(orderSource(CallPath::ManualMemberCode), u"快速开单"_s);
        QVERIFY(rulesFor(CallPath::Modem).writesHistory);
        QVERIFY(!rulesFor(CallPath::ManualPhone).writesHistory);
        QVERIFY(!rulesFor(CallPath::QTypeUsb).writesHistory);
    }
};

QTEST_GUILESS_MAIN(TestCallPaths)
#include "tst_callpaths.moc"
