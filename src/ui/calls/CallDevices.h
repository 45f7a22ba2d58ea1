#pragma once

#include "calls/DeviceRunLog.h"
#include "calls/ModemCallerId.h"
#include "calls/XTypeFrames.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QLineEdit;

namespace lanfan {

class AppContext;
class CallIntake;
class LocalCallServer;
class SerialLink;
class Tmain;

// The caller-ID device of this run, chosen at login: opened when the main
// window is first shown, its numbers handed to the intake. Only one serial
// port is used: the voice modem's (text, 9600 baud) or the X-type box's
// (bytes, 1200 baud). The local call socket of the data folder is open in
// every device mode.
class CallDevices : public QObject {
    Q_OBJECT
public:
    CallDevices(AppContext &ctx, CallIntake &intake, QLineEdit *phoneBox, QObject *parent = nullptr);
    ~CallDevices() override;

    // Opens the device of the login's device mode; a port that does not open
    // is reported and the program runs on without caller-ID.
    void start();
    // Writes the run log to the logs folder when it holds anything.
    void saveLogAtExit();

    DeviceRunLog &log() { return m_log; }
    ModemCallerId *modem() const { return m_modem; }
    SerialLink *serialLink() const { return m_link; }
    LocalCallServer *localServer() const { return m_server; }

    // Probe timing of the modem (tests shorten it).
    ModemCallerId::Intervals modemIntervals;

private:
    SerialLink *newLink();
    void startModem();
    void startXType();
    void startLocalSocket();
    void xTypeBytes(const QByteArray &bytes);
    QString logPath(const QString &fileName) const;

    AppContext &m_ctx;
    CallIntake &m_intake;
    QPointer<QLineEdit> m_phoneBox;
    DeviceRunLog m_log;
    SerialLink *m_link = nullptr;
    ModemCallerId *m_modem = nullptr;
    XTypeAccumulator m_xtype;
    QElapsedTimer m_xtypeClock;
    LocalCallServer *m_server = nullptr;
};

// Puts the devices on the main window: started at its first show, the run
// log under "X型来电接收盒运行日志", the log saved when the program ends.
void connectCallDevices(Tmain &main, AppContext &context, CallIntake &intake, QLineEdit *phoneBox);

} // namespace lanfan
