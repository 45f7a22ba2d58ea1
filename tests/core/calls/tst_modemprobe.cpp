#include "PtyPair.h"
#include "calls/DeviceRunLog.h"
#include "calls/ModemCallerId.h"
#include "calls/SerialLink.h"
#include "common/Clock.h"
#include "common/Prompter.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

// The far end of the cable: a modem that answers every command it reads
// the same way ("OK", an echo of the command without OK, or "ERROR").
class FakeModem : public QObject {
public:
    enum class Answer { Ok, Echo, Error, Silent };

    FakeModem(const QString &device, Answer answer) : m_answer(answer)
    {
        m_port.setPortName(device);
        m_port.setBaudRate(9600);
        m_port.open(QIODevice::ReadWrite);
        connect(&m_port, &QSerialPort::readyRead, this, [this] { read(); });
    }
    bool isOpen() const { return m_port.isOpen(); }
    void send(const QByteArray &bytes)
    {
        m_port.write(bytes);
        m_port.flush();
    }
    QStringList commands;

private:
    void read()
    {
        m_pending += m_port.readAll();
        qsizetype cr;
        while ((cr = m_pending.indexOf('\r')) >= 0) {
            const QByteArray command = m_pending.left(cr);
            m_pending.remove(0, cr + 1);
            commands << QString::fromLatin1(command);
            switch (m_answer) {
            case Answer::Ok: send("\r\nOK\r\n"); break;
            case Answer::Echo: send(command + "\r\n"); break;
            case Answer::Error: send("\r\nERROR\r\n"); break;
            case Answer::Silent: break;
            }
        }
    }

    QSerialPort m_port;
    Answer m_answer;
    QByteArray m_pending;
};

// The program's end: the link, the probe and its log.
struct Probe {
    explicit Probe(const QString &device, const QString &giveUpLog)
        : modem(clock, prompter, log, giveUpLog, ModemCallerId::Intervals{30, 120})
    {
        opened = link.open(device, 9600);
        QObject::connect(&modem, &ModemCallerId::send, &link, &SerialLink::write);
        QObject::connect(&link, &SerialLink::received, &modem,
                         [this](const QByteArray &bytes) { modem.received(QString::fromLatin1(bytes)); });
    }
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(12, 0))};
    RecordingPrompter prompter;
    DeviceRunLog log;
    SerialLink link;
    ModemCallerId modem;
    bool opened = false;
};

} // namespace

class TestModemProbe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"socat"_s).isEmpty())
            QSKIP("socat is not installed");
    }

    void anAcceptingModemIsTakenAtOnce_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("logLine");
        QTest::newRow("OK") << int(FakeModem::Answer::Ok) << u"以第一种方式接收到信息：\r\nOK\r\n2026-12-11 12:00:00"_s;
        QTest::newRow("echo without OK") << int(FakeModem::Answer::Echo) << u"以第一种方式接收到信息：at+vcid=1\r\n2026-12-11 12:00:00"_s;
    }
    void anAcceptingModemIsTakenAtOnce()
    {
        QFETCH(int, answer);
        QFETCH(QString, logLine);
        QTemporaryDir dir;
        test::PtyPair pty(dir.path());
        QVERIFY(pty.isReady());
        FakeModem far(pty.b, FakeModem::Answer(answer));
        Probe probe(pty.a, dir.filePath(u"giveup.txt"_s));
        QVERIFY(probe.opened && far.isOpen());
        probe.modem.start();
        QTRY_COMPARE(probe.modem.state(), ModemCallerId::State::Waiting);
        QCOMPARE(probe.modem.stateText(), u"等待来电"_s);
        QCOMPARE(probe.log.lines().first(), u"版本号：2012.04.25.00.00开始检测来电显示设备2026-12-11 12:00:00"_s);
        QCOMPARE(probe.log.lines().at(1), u"发送at+vcid=1来进行测试2026-12-11 12:00:00"_s);
        QVERIFY(probe.log.lines().contains(logLine));
        // no further command once accepted
        QTest::qWait(400);
        QCOMPARE(far.commands, QStringList{u"at+vcid=1"_s});
        QVERIFY(probe.prompter.entries().isEmpty());

        // a call: the report, in pieces, then the next ring
        QSignalSpy numbers(&probe.modem, &ModemCallerId::numberReceived);
        far.send("\r\nRING\r\n\r\nDATE = 1211\r\nTIME = 1205\r\nNMBR = 555");
        QTest::qWait(100);
        far.send("1234\r\n");
        QTest::qWait(100);
        QCOMPARE(numbers.size(), 0);
        far.send("\r\nRING\r\n");
        QTRY_COMPARE(numbers.size(), 1);
        QCOMPARE(numbers.first().first().toString(), u"5551234"_s);
    }

    void aModemThatRefusesEverythingIsGivenUpOnce()
    {
        QTemporaryDir dir;
        test::PtyPair pty(dir.path());
        QVERIFY(pty.isReady());
        FakeModem far(pty.b, FakeModem::Answer::Error);
        const QString giveUpLog = dir.filePath(u"来电接收猫运行日志.txt"_s);
        Probe probe(pty.a, giveUpLog);
        probe.modem.start();
        QTRY_COMPARE_WITH_TIMEOUT(probe.modem.state(), ModemCallerId::State::GivenUp, 5000);
        QCOMPARE(far.commands, (QStringList{u"at+vcid=1"_s, u"at#cid=1"_s, u"at%ccid=1"_s, u"at#cc1"_s, u"at*id1"_s}));
        QCOMPARE(probe.prompter.texts(), QStringList{ModemCallerId::giveUpMessage()});
        const QStringList &lines = probe.log.lines();
        QVERIFY(lines.contains(u"第一种请求未收到合适的返回，开始第2种请求"_s));
        QVERIFY(lines.contains(u"第4种请求未收到合适的返回，开始第5种请求"_s));
        QCOMPARE(lines.last(), u"第5种命令仍然无效"_s);
        QVERIFY(QFile::exists(giveUpLog));

        // the modem goes on talking: no second message, no number
        QSignalSpy numbers(&probe.modem, &ModemCallerId::numberReceived);
        far.send("\r\nERROR\r\nNMBR = 5551234\r\n\r\nRING\r\n");
        QTest::qWait(500);
        QCOMPARE(probe.prompter.entries().size(), 1);
        QCOMPARE(numbers.size(), 0);
    }

    void aSilentModemWaitsForItsFirstAnswer()
    {
        QTemporaryDir dir;
        test::PtyPair pty(dir.path());
        FakeModem far(pty.b, FakeModem::Answer::Silent);
        Probe probe(pty.a, dir.filePath(u"giveup.txt"_s));
        probe.modem.start();
        QTRY_COMPARE(far.commands.size(), 1);
        QTest::qWait(500);
        // the watchdog starts with the first answer only
        QCOMPARE(far.commands.size(), 1);
        QCOMPARE(probe.modem.stateText(), u"请求猫"_s);
    }

    void aLostPortIsOpenedAgain()
    {
        QTemporaryDir dir;
        const QString device = dir.filePath(u"COM5"_s), far = dir.filePath(u"far"_s);
        auto pty = std::make_unique<test::PtyPair>(device, far);
        QVERIFY(pty->isReady());
        SerialLink link;
        link.setReopenInterval(100);
        link.setCheckInterval(100);
        QSignalSpy lost(&link, &SerialLink::lost), reopened(&link, &SerialLink::reopened), received(&link, &SerialLink::received);
        QVERIFY(link.open(device, 9600));
        pty.reset();  // the adapter is pulled out
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(!link.isOpen());
        QTest::qWait(300);  // retries fail while it is away
        QCOMPARE(reopened.size(), 0);
        pty = std::make_unique<test::PtyPair>(device, far);  // and plugged in again
        QTRY_COMPARE(reopened.size(), 1);
        QVERIFY(link.isOpen());
        QSerialPort other(far);
        QVERIFY(other.open(QIODevice::ReadWrite));
        other.write("RING\r\n");
        other.flush();
        QTRY_COMPARE(received.size(), 1);
    }

    void anAcceptedCommandIsSentAgainWhenThePortComesBack()
    {
        FixedClock clock;
        RecordingPrompter prompter;
        DeviceRunLog log;
        ModemCallerId modem(clock, prompter, log, QString(), ModemCallerId::Intervals{10, 50});
        QSignalSpy sent(&modem, &ModemCallerId::send);
        modem.start();
        QTRY_COMPARE(sent.size(), 1);
        modem.portReopened();  // still probing: nothing to repeat
        QCOMPARE(sent.size(), 1);
        modem.received(u"ERROR\r\n"_s);
        QTRY_COMPARE(sent.size(), 2);  // the watchdog moves on to the second command
        modem.received(u"OK\r\n"_s);
        QCOMPARE(modem.state(), ModemCallerId::State::Waiting);
        modem.portReopened();
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent.last().first().toByteArray(), QByteArray("at#cid=1\r"));
    }
};

QTEST_GUILESS_MAIN(TestModemProbe)
#include "tst_modemprobe.moc"
