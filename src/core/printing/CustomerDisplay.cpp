#include "CustomerDisplay.h"

#include "RawPort.h"
#include "app/AppContext.h"
#include "common/Prompter.h"

#include <QSerialPort>

using namespace Qt::StringLiterals;

namespace lanfan::printing {

CustomerDisplay::CustomerDisplay() = default;

CustomerDisplay::~CustomerDisplay()
{
    if (isOpen())
        m_port->close();
}

QByteArray CustomerDisplay::amountCommand(const QString &amount)
{
    return QByteArray("\x1bQA") + amount.trimmed().toLatin1() + '\r';
}

QByteArray CustomerDisplay::indicatorCommand(char digit)
{
    return QByteArray("\x1bs") + digit;
}

QString CustomerDisplay::portPath(const QString &setting)
{
    return portDevicePath(setting);
}

bool CustomerDisplay::open(const QString &portSetting, QString *error)
{
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(portPath(portSetting));
    if (!m_port->open(QIODevice::ReadWrite)) {
        if (error)
            *error = m_port->errorString();
        m_port.reset();
        return false;
    }
    m_port->setBaudRate(QSerialPort::Baud2400);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    return true;
}

bool CustomerDisplay::isOpen() const
{
    return m_port && m_port->isOpen();
}

bool CustomerDisplay::send(const QByteArray &bytes)
{
    if (!isOpen())
        return false;
    if (m_port->write(bytes) != bytes.size())
        return false;
    return m_port->waitForBytesWritten(1000) || m_port->bytesToWrite() == 0;
}

bool CustomerDisplay::showIdle()
{
    return send(amountCommand(u"0"_s)) && send(indicatorCommand('0'));
}

bool CustomerDisplay::showTotal(const QString &amount)
{
    return send(amountCommand(amount)) && send(indicatorCommand('2'));
}

bool CustomerDisplay::showChange(const QString &amount)
{
    return send(amountCommand(amount)) && send(indicatorCommand('4'));
}

void CustomerDisplay::reset()
{
    if (!isOpen())
        return;
    // ESC @ puts the display back to its power-on state.
    send(QByteArray("\x1b@"));
    m_port->close();
    m_port.reset();
}

bool openCustomerDisplayAtLogin(AppContext &ctx, CustomerDisplay &display)
{
    if (ctx.settings().value(u"客显功能"_s) != u"是")
        return false;
    if (!display.open(ctx.settings().value(u"客显串口号"_s))) {
        ctx.prompter().error(u"串口打开失败！！"_s);
        return false;
    }
    return true;
}

} // namespace lanfan::printing
