#pragma once

#include "app/AppContext.h"
#include "app/DeviceMode.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace lanfan {

class Db;

// What the login says when it refuses or fails.
inline const QString kDeviceTypeWrongMessage = QStringLiteral("接收设备类型选择错误！！");
inline const QString kBoxPortRangeMessage =
    QStringLiteral("一路和二路和四路的来电显示接收盒有效串口编号为1-4，请重新进行设置！！");
inline const QString kChoosePortMessage = QStringLiteral("请选择串口编号！！");
inline const QString kNoSuchOperatorMessage = QStringLiteral("您无权登陆本系统！！");
inline const QString kWindowFailedPrefix =
    QStringLiteral("请关闭程序，删除不需要的打印驱动，然后重新运行程序,错误提示：");
inline const QString kDisplayPortFailedMessage = QStringLiteral("串口打开失败！！");

// The choices the login window offers for the caller-ID device.
QStringList serialPortChoices();   // "1" .. "8"
QStringList serialTypeChoices();   // "MODEM", "一路", "二路", "四路"
QStringList usbTypeChoices();      // "H型", "Q型", "X型", "H型无录音"
QStringList usbLineChoices();      // "1", "2", "4", "8", "16"

// The device boxes of the login window. The texts are kept when a box is
// unticked, as the window keeps them.
struct DeviceChoice {
    bool serial = false;   // "串口来电"
    QString serialPort;    // its COM port number, as text
    QString serialType;    // "MODEM", "一路", "二路", "四路"
    bool usb = false;      // "USB来电录音"
    QString usbType;       // "H型", "Q型", "X型", "H型无录音"
    QString usbLines;      // lines; the COM port number for "X型"
};

// The choice remembered by the last login (the device tables), as the
// window shows it: a port other than 0 ticks the serial device, a USB box
// type ticks the USB box (which unticks the serial device).
DeviceChoice loadDeviceChoice(Db &db);

// Checks a choice before anything else happens; returns the message to show,
// or an empty text when the choice may be used. Only a ticked serial device
// is checked: an unticked one is not used.
QString checkDeviceChoice(const DeviceChoice &choice);

// Stores the choice in the device tables for the next login and returns the
// device mode of this run.
CallDeviceMode recordDeviceChoice(Db &db, const DeviceChoice &choice);

// The operator names for the login list, in table order.
QStringList operatorNames(Db &db);

// The operator whose name and password (compared as its MD5 digest) match.
std::optional<Operator> findOperator(Db &db, const QString &name, const QString &password);

// The parts of a login that belong to the windows. The login calls them in
// the order of the start-up; a test host records them.
class LoginHost {
public:
    virtual ~LoginHost() = default;
    // The login window's caption shows how far start-up has come.
    virtual void showStep(const QString &code) = 0;
    // Creates the main window (once; a second login attempt after a failure
    // finds it there). Throws std::exception when a window cannot be made.
    virtual void createWindows() = 0;
    virtual void applyRights(const Operator &op) = 0;
    virtual void showOperator(const QString &name) = 0;
    // Waits while the windows stay responsive.
    virtual void wait(int milliseconds) = 0;
    // The settings are loaded: apply their effects to the main window.
    virtual void settingsLoaded() = 0;
    // Opens the customer display's port; false when it cannot be opened.
    virtual bool openCustomerDisplay(int port, int baud) = 0;
    // Shows the main window, which hides the login window.
    virtual void showMainWindow() = 0;
};

struct LoginRequest {
    QString name;
    QString password;
    DeviceChoice device;
};

struct LoginResult {
    bool ok = false;
    QString message;  // what was shown when the login stopped
};

// The login: checks the device choice and the operator, builds the main
// window, applies the rights, records the device, stores the operator,
// loads the shop values, runs the in-code upgrades, loads the settings,
// opens the customer display and shows the main window. Every message goes
// through the context's prompter; a refusal leaves the login window open
// for another attempt.
LoginResult logIn(AppContext &context, const LoginRequest &request, LoginHost &host);

} // namespace lanfan
