#include "SerialLink.h"

#include <QFileInfo>

namespace lanfan {

SerialLink::SerialLink(QObject *parent) : QObject(parent)
{
    m_reopen.setInterval(5000);
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::readAll);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::failed);
    connect(&m_reopen, &QTimer::timeout, this, &SerialLink::retry);
    m_check.setInterval(2000);
    connect(&m_check, &QTimer::timeout, this, &SerialLink::check);
}

bool SerialLink::open(const QString &device, qint32 baudRate)
{
    if (m_port.isOpen())
        return true;
    m_device = device;
    m_port.setPortName(device);
    m_port.setBaudRate(baudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    return openPort();
}

bool SerialLink::openPort()
{
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    // Pseudo-terminals have no modem lines; the settings still apply.
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    m_port.clear(QSerialPort::Input);
    m_check.start();
    return true;
}

void SerialLink::write(const QByteArray &bytes)
{
    if (m_port.isOpen()) {
        m_port.write(bytes);
        m_port.flush();
    }
}

void SerialLink::close()
{
    m_reopen.stop();
    m_check.stop();
    m_port.close();
}

void SerialLink::readAll()
{
    const QByteArray bytes = m_port.readAll();
    if (!bytes.isEmpty())
        Q_EMIT received(bytes);
}

void SerialLink::failed(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ResourceError || !m_port.isOpen())
        return;
    const QString reason = m_port.errorString();
    // Closed outside the port's own signal.
    QMetaObject::invokeMethod(this, [this, reason] { lose(reason); }, Qt::QueuedConnection);
}

void SerialLink::lose(const QString &reason)
{
    if (!m_port.isOpen())
        return;
    m_check.stop();
    m_port.close();
    Q_EMIT lost(reason);
    m_reopen.start();
}

void SerialLink::check()
{
    // QSerialPort shortens /dev/ttyUSB0 to ttyUSB0: check the path as given.
    if (m_port.isOpen() && !QFileInfo::exists(m_device))
        lose(QStringLiteral("device removed"));
}

void SerialLink::retry()
{
    m_port.clearError();
    if (openPort()) {
        m_reopen.stop();
        Q_EMIT reopened();
    }
}

} // namespace lanfan
