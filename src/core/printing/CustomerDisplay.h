#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QSerialPort;

namespace lanfan {
class AppContext;
}

namespace lanfan::printing {

// The customer pole display on a serial port at 2400 baud. It shows an amount
// (ESC "QA" amount CR) and lights one of its indicators (ESC "s" digit):
// "0" when idle, "2" with an order total, "4" with the change of a payment.
class CustomerDisplay {
public:
    CustomerDisplay();
    ~CustomerDisplay();

    static QByteArray amountCommand(const QString &amount);
    static QByteArray indicatorCommand(char digit);
    // The serial device of 客显串口号: "1".."8" (or "COMn") is /dev/ttyS(n-1); a path as it is.
    static QString portPath(const QString &setting);

    // Opens the port; false with the system's error text when it cannot.
    bool open(const QString &portSetting, QString *error = nullptr);
    bool isOpen() const;
    // Sends bytes as they are; false when the port is not open.
    bool send(const QByteArray &bytes);

    bool showIdle();                        // "0", indicator 0 (the main window is shown)
    bool showTotal(const QString &amount);  // an order saved: its total, indicator 2
    bool showChange(const QString &amount); // a payment: the change, indicator 4
    // Resets the display and closes the port (the program ends).
    void reset();

private:
    std::unique_ptr<QSerialPort> m_port;
};

// At login: opens the display when 客显功能 is "是"; shows "串口打开失败！！"
// through the prompter when the port cannot be opened.
bool openCustomerDisplayAtLogin(AppContext &ctx, CustomerDisplay &display);

} // namespace lanfan::printing
