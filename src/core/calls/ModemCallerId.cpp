#include "ModemCallerId.h"

#include "DeviceRunLog.h"
#include "common/Clock.h"
#include "common/Prompter.h"

using namespace Qt::StringLiterals;

namespace lanfan {

std::optional<QString> ModemNumberCutter::feed(const QString &received)
{
    if (received.trimmed().isEmpty())
        return std::nullopt;
    m_buffer += received;
    const qsizetype b = m_buffer.indexOf(u'B');
    // Text before the first "B" never reaches the number; a modem that
    // only rings must not fill the buffer all day.
    if (b < 0 && m_buffer.size() > 256)
        m_buffer = m_buffer.right(64);
    if (b < 0 || m_buffer.size() - (b + 1) < 18)
        return std::nullopt;
    // Skip the "B" and the character after it (the "R" of NMBR).
    QString number = m_buffer.mid(b + 2).trimmed();
    number.remove(u'=');
    number.removeIf([](QChar c) { return c.isSpace(); });
    const qsizetype r = number.indexOf(u'R');
    if (r >= 0)
        number.truncate(r);
    m_buffer.clear();
    return number.trimmed();
}

ModemCallerId::ModemCallerId(const Clock &clock, Prompter &prompter, DeviceRunLog &log, QString giveUpLogPath,
                             Intervals intervals, QObject *parent)
    : QObject(parent), m_clock(clock), m_prompter(prompter), m_log(log), m_giveUpLogPath(std::move(giveUpLogPath))
{
    m_sender.setSingleShot(true);
    m_sender.setInterval(intervals.senderMsecs);
    m_watchdog.setInterval(intervals.watchdogMsecs);
    connect(&m_sender, &QTimer::timeout, this, &ModemCallerId::sendProbe);
    connect(&m_watchdog, &QTimer::timeout, this, &ModemCallerId::watchdogTick);
}

QString ModemCallerId::command(int method)
{
    static const char16_t *const commands[] = {u"at+vcid=1", u"at#cid=1", u"at%ccid=1", u"at#cc1", u"at*id1"};
    return QString::fromUtf16(commands[qBound(1, method, 5) - 1]);
}

QString ModemCallerId::acceptance(int method)
{
    return method == 5 ? u"*id1"_s : command(method);
}

QString ModemCallerId::giveUpMessage()
{
    return u"该设置不支持来电显示或者软件不支持，如有疑问，请联系软件开发商。"_s;
}

QString ModemCallerId::stateText() const
{
    switch (m_state) {
    case State::Requesting: return u"请求猫"_s;
    case State::Waiting: return u"等待来电"_s;
    default: return {};
    }
}

QString ModemCallerId::now() const
{
    return runLogTime(m_clock.now());
}

void ModemCallerId::start()
{
    m_log.add(u"版本号：2012.04.25.00.00开始检测来电显示设备"_s + now());
    m_method = 1;
    m_state = State::Idle;
    m_sender.start();
}

void ModemCallerId::sendProbe()
{
    m_sender.stop();
    if (m_state == State::GivenUp || m_state == State::Waiting)
        return;
    m_state = State::Requesting;
    const QString cmd = command(m_method);
    m_log.add(u"发送"_s + cmd + u"来进行测试"_s + now());
    Q_EMIT send(cmd.toLatin1() + '\r');
    // The third command's reply is read together with what came before it.
    if (m_method != 3)
        m_reply.clear();
}

void ModemCallerId::received(const QString &text)
{
    if (m_state == State::Requesting && !text.trimmed().isEmpty()) {
        if (!m_watchdog.isActive())
            m_watchdog.start();
        m_reply += text;
        static const char16_t *const heads[] = {u"以第一种方式接收到信息：", u"以第二种方式接收到信息：",
                                                 u"以第3种方式接收到信息：", u"以第4种方式接收到信息：",
                                                 u"以第5种方式接收到信息："};
        m_log.add(QString::fromUtf16(heads[m_method - 1]) + m_reply + now());
        if (m_reply.contains(u"OK"_s) || m_reply.contains(acceptance(m_method))) {
            m_state = State::Waiting;
            m_watchdog.stop();
            m_cutter.clear();
            if (m_method == 1)
                m_reply.clear();
        }
    }
    if (m_state != State::Waiting)
        return;
    if (const auto number = m_cutter.feed(text); number && !number->isEmpty())
        Q_EMIT numberReceived(*number);
}

void ModemCallerId::watchdogTick()
{
    if (m_state != State::Requesting) {
        m_watchdog.stop();
        return;
    }
    if (m_method < 5) {
        static const char16_t *const lines[] = {u"第一种请求未收到合适的返回，开始第2种请求",
                                                 u"第2种请求未收到合适的返回，开始第3种请求",
                                                 u"第3种请求未收到合适的返回，开始第4种请求",
                                                 u"第4种请求未收到合适的返回，开始第5种请求"};
        m_log.add(QString::fromUtf16(lines[m_method - 1]));
        ++m_method;
        m_sender.start();
        return;
    }
    // Given up for this run: later text from the port is not read, so the
    // message is shown once.
    m_watchdog.stop();
    m_state = State::GivenUp;
    m_log.add(u"第5种命令仍然无效"_s);
    QString error;
    if (!m_giveUpLogPath.isEmpty() && !m_log.saveTo(m_giveUpLogPath, &error))
        m_log.add(u"运行日志无法保存："_s + error);
    m_prompter.information(giveUpMessage());
}

void ModemCallerId::portReopened()
{
    if (m_state != State::Waiting)
        return;
    const QString cmd = command(m_method);
    m_log.add(u"串口重新打开，再次发送"_s + cmd + now());
    Q_EMIT send(cmd.toLatin1() + '\r');
    m_cutter.clear();
}

} // namespace lanfan
