#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

namespace lanfan {

class Clock;
class DeviceRunLog;
class Prompter;

// Cuts the calling number out of a voice modem's caller-ID report. The
// number follows the keyword NMBR and an equals sign; the next ring
// indication begins with "R":
//
//     DATE = 1211 / TIME = 1205 / NMBR = 5551234 / RING   →   5551234
//
// Text accumulates until at least 18 characters follow the first "B".
class ModemNumberCutter {
public:
    // Adds received text (ignored when it is blank); returns the number once
    // the report is complete, an empty number when it held none.
    std::optional<QString> feed(const QString &received);
    const QString &buffer() const { return m_buffer; }
    void clear() { m_buffer.clear(); }

private:
    QString m_buffer;
};

// Switches a voice modem into caller-ID mode and takes numbers from it. Five
// caller-ID commands are tried in turn: each is sent a second after the last
// try, and once the modem has answered anything, a watchdog moves on to the
// next command every three seconds until an answer accepts one. After the
// fifth the modem is given up (one message; the log is written to a file).
//
// The class does no input or output of its own: `send` carries a command
// to the port, `received` feeds the port's text back.
class ModemCallerId : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Requesting, Waiting, GivenUp };

    struct Intervals {
        int senderMsecs = 1000;
        int watchdogMsecs = 3000;
    };

    ModemCallerId(const Clock &clock, Prompter &prompter, DeviceRunLog &log, QString giveUpLogPath,
                  Intervals intervals, QObject *parent = nullptr);
    ModemCallerId(const Clock &clock, Prompter &prompter, DeviceRunLog &log, QString giveUpLogPath,
                  QObject *parent = nullptr)
        : ModemCallerId(clock, prompter, log, std::move(giveUpLogPath), Intervals(), parent) {}

    // The port is open: note it in the log and start with the first command.
    void start();
    // Text read from the port.
    void received(const QString &text);
    // The port was opened again after an error: a modem that lost power
    // forgets caller-ID mode, so the accepted command is sent once more.
    void portReopened();

    State state() const { return m_state; }
    int method() const { return m_method; }
    QString stateText() const;

    // Command of a probe method 1..5, without the CR.
    static QString command(int method);
    // Text whose presence in the reply accepts method 1..5 (besides "OK").
    static QString acceptance(int method);
    static QString giveUpMessage();

Q_SIGNALS:
    void send(const QByteArray &bytes);
    void numberReceived(const QString &number);

private:
    void sendProbe();
    void watchdogTick();
    QString now() const;

    const Clock &m_clock;
    Prompter &m_prompter;
    DeviceRunLog &m_log;
    QString m_giveUpLogPath;
    State m_state = State::Idle;
    int m_method = 1;
    QString m_reply;
    ModemNumberCutter m_cutter;
    QTimer m_sender;
    QTimer m_watchdog;
};

} // namespace lanfan
