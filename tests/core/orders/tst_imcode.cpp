#include "common/Text.h"
#include "orders/ImCode.h"

#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

class TestImCode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dishNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::newRow("宫保鸡丁") << u"宫保鸡丁"_s << u"GBJD"_s;
        QTest::newRow("鱼香肉丝") << u"鱼香肉丝"_s << u"YXRS"_s;
        QTest::newRow("炒饭") << u"炒饭"_s << u"CF"_s;
        QTest::newRow("digits and letters kept") << u"可乐2L"_s << u"KL2L"_s;
        QTest::newRow("lower-case letters raised") << u"pizza饼"_s << u"PIZZAB"_s;
        QTest::newRow("full-width brackets dropped") << u"套餐（大）"_s << u"TCD"_s;
        QTest::newRow("ascii punctuation dropped") << u"牛肉面 (大)"_s << u"NRMD"_s;
        QTest::newRow("circled number") << u"①号饭"_s << u"1HF"_s;
        QTest::newRow("numbered symbols") << u"⒈⑴㈠Ⅰⅰ"_s << u"11111"_s;
        QTest::newRow("twenty reads as its first digit") << u"⒛"_s << u"2"_s;
        QTest::newRow("full-width letters and digits") << u"Ａ１ｂ"_s << u"A1B"_s;
        QTest::newRow("greek") << u"αΒΩ"_s << u"ABO"_s;
        QTest::newRow("行 as in a shop") << u"银行"_s << u"YH"_s;
        QTest::newRow("长 reads zhang") << u"长"_s << u"Z"_s;
        QTest::newRow("和 reads he") << u"和"_s << u"H"_s;
        QTest::newRow("重 reads zhong") << u"重庆"_s << u"ZQ"_s;
        QTest::newRow("GBK extension character") << u"炝锅"_s << u"QG"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void dishNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QCOMPARE(imCode(toGbk(name), false, false, 20), code);
        QCOMPARE(dishMnemonic(name), code.toLower());
    }

    void options_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("markMissing");
        QTest::addColumn<bool>("keepAll");
        QTest::addColumn<QString>("code");
        const QByteArray bracketed = toGbk(u"套餐（大）"_s);
        QTest::newRow("keep-all keeps full-width brackets") << bracketed << false << true << u"TC(D)"_s;
        QTest::newRow("keep-all keeps blanks") << toGbk(u"a b-c"_s) << false << true << u"A B-C"_s;
        // A1A1 is the ideographic space: a symbol without a reading.
        QTest::newRow("symbol dropped") << QByteArray("\xA1\xA1" "a", 3) << false << false << u"A"_s;
        QTest::newRow("symbol marked") << QByteArray("\xA1\xA1" "a", 3) << true << false << u"?A"_s;
        QTest::newRow("row A2 without number marked") << QByteArray("\xA2\xA0", 2) << true << false << u"?"_s;
        QTest::newRow("greek gap gives nothing") << QByteArray("\xA6\xB9", 2) << true << false << QString();
        // A trail byte 0xFF is not GBK; it must not read past the table.
        QTest::newRow("trail FF in last row") << QByteArray("\xFE\xFF", 2) << true << false << u"?"_s;
        QTest::newRow("lead FF") << QByteArray("\xFF\xA1", 2) << true << false << u"?"_s;
        QTest::newRow("lone lead byte at the end") << QByteArray("a\xB0", 2) << false << false << u"A"_s;
        QTest::newRow("lead before a low byte is single") << QByteArray("\xB0" "1", 2) << false << false << u"1"_s;
    }
    void options()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, markMissing);
        QFETCH(bool, keepAll);
        QFETCH(QString, code);
        QCOMPARE(imCode(bytes, markMissing, keepAll, 20), code);
    }

    void maximumLength()
    {
        const QString name = u"一二三四五六七八九十一二三四五六七八九十一二三"_s; // 23 characters
        QCOMPARE(imCode(toGbk(name), false, false, 20), u"YESSWLQBJSYESSWLQBJS"_s);
        QCOMPARE(dishMnemonic(name).size(), 20);
        QCOMPARE(imCode(toGbk(name), false, false, 3), u"YES"_s);
        QCOMPARE(imCode(toGbk(name), false, false, -1), QString());
    }

    // Every GB2312 character of level 1 (B0A1..D7F9) and level 2 (D8A1..F7FE)
    // has a reading, and the reading is a letter.
    void everyGb2312CharacterHasAReading()
    {
        QStringList missing;
        int checked = 0;
        for (int lead = 0xB0; lead <= 0xF7; ++lead) {
            for (int trail = 0xA1; trail <= 0xFE; ++trail) {
                if (lead == 0xD7 && trail > 0xF9)
                    continue;
                const char bytes[2] = {char(lead), char(trail)};
                const QString code = imCode(QByteArray(bytes, 2), true, false, 20);
                ++checked;
                if (code.size() != 1 || code[0] < u'A' || code[0] > u'Z')
                    missing << u"%1%2=%3"_s.arg(lead, 2, 16).arg(trail, 2, 16).arg(code);
            }
        }
        QCOMPARE(checked, 3755 + 3008);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.mid(0, 20).join(u' ')));
    }

    // Spot checks of the readings against the pinyin of well-known characters.
    void readings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::newRow("啊 first of level 1") << u"啊"_s << u"A"_s;
        QTest::newRow("座 last of level 1") << u"座"_s << u"Z"_s;
        QTest::newRow("亍 first of level 2") << u"亍"_s << u"C"_s;
        QTest::newRow("齄 last of level 2") << u"齄"_s << u"Z"_s;
        QTest::newRow("common menu words") << u"红烧排骨酸辣土豆丝麻婆豆腐"_s << u"HSPGSLTDSMPDF"_s;
        QTest::newRow("drinks") << u"雪碧绿茶啤酒"_s << u"XBLCPJ"_s;
    }
    void readings()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        QCOMPARE(imCode(toGbk(text), true, false, 20), code);
    }
};

QTEST_GUILESS_MAIN(TestImCode)
#include "tst_imcode.moc"
