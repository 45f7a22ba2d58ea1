#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

namespace lanfan {

// One serial port of a caller-ID device: opened with its line settings and
// DTR/RTS on, the input buffer cleared, every byte that arrives passed on.
// When the device goes away (a USB adapter pulled out) the port is closed
// and opened again every few seconds until the device is back.
class SerialLink : public QObject {
    Q_OBJECT
public:
    explicit SerialLink(QObject *parent = nullptr);

    // `device` is a device file (/dev/ttyUSB0, a link, a pseudo-terminal).
    bool open(const QString &device, qint32 baudRate);
    bool isOpen() const { return m_port.isOpen(); }
    QString errorString() const { return m_port.errorString(); }
    void write(const QByteArray &bytes);
    void close();

    void setReopenInterval(int msecs) { m_reopen.setInterval(msecs); }
    // How often an open port checks that its device file is still there (a
    // pulled-out adapter or a pseudo-terminal whose other end went away
    // does not always raise an error on the port).
    void setCheckInterval(int msecs) { m_check.setInterval(msecs); }

Q_SIGNALS:
    void received(const QByteArray &bytes);
    // The port failed while open and has been closed; it will be retried.
    void lost(const QString &reason);
    // The port is open again after a loss.
    void reopened();

private:
    bool openPort();
    void readAll();
    void failed(QSerialPort::SerialPortError error);
    void retry();
    void check();
    void lose(const QString &reason);

    QSerialPort m_port;
    QTimer m_reopen;
    QTimer m_check;
    QString m_device;
};

} // namespace lanfan
