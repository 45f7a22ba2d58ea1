#include "common/Text.h"

#include <QtTest>

class TestText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wrapByBytes_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("wrapped");
        const QString cr(QChar(13));
        QTest::newRow("ab at 1") << 1 << "ab" << QString(u"a" + cr + u"b");
        QTest::newRow("two Chinese at 2") << 2 << "中文" << QString(u"中" + cr + u"文");
        QTest::newRow("empty") << 5 << "" << "";
        QTest::newRow("fits") << 28 << "宫保鸡丁" << "宫保鸡丁";
        QTest::newRow("Chinese may end one byte past") << 2 << "a中b" << QString(u"a中" + cr + u"b");
        QTest::newRow("address at 20")
            << 20 << "北京市海淀区中关村大街27号" << QString(u"北京市海淀区中关村大" + cr + u"街27号");
    }
    void wrapByBytes()
    {
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(QString, wrapped);
        QCOMPARE(lanfan::wrapTextByBytes(width, text), wrapped);
    }

    void md5Digest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digest");
        QTest::newRow("empty password") << "" << "d41d8cd98f00b204e9800998ecf8427e";
        QTest::newRow("digits") << "123" << "202cb962ac59075b964b07152d234b70";
    }
    void md5Digest()
    {
        QFETCH(QString, text);
        QFETCH(QString, digest);
        QCOMPARE(lanfan::md5Hex(text), digest);
    }

    void gbkWidths()
    {
        QCOMPARE(lanfan::gbkWidth(QStringLiteral("中a")), 3);
        QCOMPARE(lanfan::fromGbk(lanfan::toGbk(QStringLiteral("鱼香肉丝"))), QStringLiteral("鱼香肉丝"));
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
