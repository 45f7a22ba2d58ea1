#include "calls/ModemCallerId.h"
#include "calls/XTypeFrames.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

class TestCallerIdParsers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each row: reads as hex strings (one per receive event), the numbers
    // taken, and what the accumulator holds afterwards.
    void xTypeFrames_data()
    {
        QTest::addColumn<QStringList>("reads");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("left");
        QTest::newRow("one frame") << QStringList{u"015551234F00"_s} << QStringList{u"5551234"_s} << QString();
        QTest::newRow("filler in the high half is no frame")
            << QStringList{u"0155512340F0"_s} << QStringList{} << u"0155512340F0"_s;
        QTest::newRow("byte by byte")
            << QStringList{u"01"_s, u"55"_s, u"51"_s, u"23"_s, u"4F"_s, u"00"_s} << QStringList{u"5551234"_s} << QString();
        QTest::newRow("two frames in one read")
            << QStringList{u"015551234F00016668888F00"_s} << QStringList{u"5551234"_s, u"6668888"_s} << QString();
        QTest::newRow("odd digit count")
            << QStringList{u"0113800138000F00"_s} << QStringList{u"13800138000"_s} << QString();
        QTest::newRow("a frame after a non-frame")
            << QStringList{u"0155512340F0"_s, u"015551234F00"_s} << QStringList{u"5551234"_s} << QString();
        QTest::newRow("a frame after noise full of F")
            << QStringList{u"FFFFFF"_s, u"016668888F00"_s} << QStringList{u"6668888"_s} << QString();
        QTest::newRow("waits for the last byte") << QStringList{u"015551234F"_s} << QStringList{} << u"015551234F"_s;
    }
    void xTypeFrames()
    {
        QFETCH(QStringList, reads);
        QFETCH(QStringList, numbers);
        QFETCH(QString, left);
        XTypeAccumulator acc;
        QStringList taken;
        for (const QString &hex : reads)
            taken += acc.feed(QByteArray::fromHex(hex.toLatin1())).numbers;
        QCOMPARE(taken, numbers);
        QCOMPARE(acc.accumulator(), left);
    }

    void xTypeLogsEveryByteAndTheFrame()
    {
        XTypeAccumulator acc;
        const auto step = acc.feed(QByteArray::fromHex("015551234F00"));
        QCOMPARE(step.log.size(), 7);
        QCOMPARE(step.log.first(), u"累加：01"_s);
        QCOMPARE(step.log.at(5), u"累加：015551234F00"_s);
        QCOMPARE(step.log.last(), u"处理：015551234F00"_s);
        // noise that never becomes a frame logs only what was accumulated
        const auto noise = acc.feed(QByteArray::fromHex("0155512340F0"));
        QVERIFY(std::all_of(noise.log.cbegin(), noise.log.cend(), [](const QString &l) { return l.startsWith(u"累加："_s); }));
    }

    void aPauseStartsANewFrame()
    {
        // Digits without an F cannot be told from the start of a frame; the
        // pause before the box's burst separates them.
        XTypeAccumulator acc(500);
        QVERIFY(acc.feed(QByteArray::fromHex("1234"), 1000).numbers.isEmpty());
        QCOMPARE(acc.feed(QByteArray::fromHex("015551234F00"), 2600).numbers, QStringList{u"5551234"_s});
        // within the gap the bytes belong together
        QVERIFY(acc.feed(QByteArray::fromHex("0155"), 3000).numbers.isEmpty());
        QCOMPARE(acc.feed(QByteArray::fromHex("51234F00"), 3040).numbers, QStringList{u"5551234"_s});
    }

    // Each row: the chunks the modem sends, and the number after each chunk ("-" = none yet).
    void modemReports_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("whole report")
            << QStringList{u"\r\nDATE = 1211\r\nTIME = 1205\r\nNMBR = 5551234\r\n\r\nRING\r\n"_s} << QStringList{u"5551234"_s};
        QTest::newRow("in pieces")
            << QStringList{u"\r\nNMBR = 555"_s, u"1234\r\n"_s, u"\r\nRING\r\n"_s} << QStringList{u"-"_s, u"-"_s, u"5551234"_s};
        QTest::newRow("waits while fewer than 18 follow the B")
            << QStringList{u"NMBR = 5551234\r\n"_s, u"  \r\n"_s} << QStringList{u"-"_s, u"-"_s};
        QTest::newRow("no ring after it")
            << QStringList{u"NMBR=13800138000 \r\n\r\n\r\n"_s} << QStringList{u"13800138000"_s};
        QTest::newRow("rings before the report")
            << QStringList{u"RING\r\n"_s, u"NMBR = 5551234\r\n\r\nRING\r\n"_s} << QStringList{u"-"_s, u"5551234"_s};
    }
    void modemReports()
    {
        QFETCH(QStringList, chunks);
        QFETCH(QStringList, after);
        ModemNumberCutter cutter;
        for (qsizetype i = 0; i < chunks.size(); ++i) {
            const auto number = cutter.feed(chunks[i]);
            QCOMPARE(number ? *number : u"-"_s, after[i]);
        }
    }

    void modemBufferStaysSmallWithoutReports()
    {
        ModemNumberCutter cutter;
        for (int i = 0; i < 10000; ++i)
            QVERIFY(!cutter.feed(u"RING\r\n"_s));
        QVERIFY(cutter.buffer().size() <= 256);
        QCOMPARE(cutter.feed(u"NMBR = 5551234\r\n\r\nRING\r\n"_s).value_or(QString()), u"5551234"_s);
    }

    // Any input: no crash, bounded state, and a frame the box sends after
    // a pause is read exactly, whatever noise came before it.
    void randomInputThroughBothParsers()
    {
        QRandomGenerator random(20261211);
        XTypeAccumulator acc;
        ModemNumberCutter cutter;
        QByteArray bytes;
        qint64 t = 0;
        int realFrames = 0;
        for (int i = 0; i < 1000000; ++i) {
            bytes.resize(random.bounded(1, 12));
            for (char &b : bytes)
                b = char(random.bounded(256));
            const bool real = i % 1000 == 999;
            if (real) {
                bytes = QByteArray::fromHex("015551234F00");
                t += 1000;
            }
            const auto step = acc.feed(bytes, ++t);
            if (real) {
                if (step.numbers != QStringList{u"5551234"_s})
                    QFAIL(qPrintable(u"frame misread: "_s + step.numbers.join(u',')));
                ++realFrames;
            }
            if (acc.accumulator().size() > XTypeAccumulator::kMaxDigits + 2 || acc.accumulator().size() % 2)
                QFAIL("accumulator out of shape");
            cutter.feed(QString::fromLatin1(bytes));
            if (cutter.buffer().size() > 4096)
                QFAIL("modem buffer grows without end");
        }
        QCOMPARE(realFrames, 1000);
    }
};

QTEST_GUILESS_MAIN(TestCallerIdParsers)
#include "tst_callerid_parsers.moc"
