#include "CallDevices.h"

#include "CallIntake.h"
#include "TFxlaidian_rizhi.h"
#include "app/AppContext.h"
#include "app/ComPorts.h"
#include "app/Tmain.h"
#include "calls/LocalCallSocket.h"
#include "calls/SerialLink.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "data/DataFolder.h"
#include "data/Db.h"

#include <QDir>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace lanfan {

CallDevices::CallDevices(AppContext &ctx, CallIntake &intake, QLineEdit *phoneBox, QObject *parent)
    : QObject(parent), m_ctx(ctx), m_intake(intake), m_phoneBox(phoneBox)
{
}

CallDevices::~CallDevices() = default;

QString CallDevices::logPath(const QString &fileName) const
{
    return QDir(m_ctx.folder().logs()).filePath(fileName);
}

SerialLink *CallDevices::newLink()
{
    auto *link = new SerialLink(this);
    connect(link, &SerialLink::lost, this,
            [this](const QString &reason) { m_log.add(u"串口出错，已关闭："_s + reason + runLogTime(m_ctx.clock().now())); });
    connect(link, &SerialLink::reopened, this,
            [this] { m_log.add(u"串口已重新打开"_s + runLogTime(m_ctx.clock().now())); });
    return link;
}

void CallDevices::start()
{
    const CallDeviceMode &mode = m_ctx.deviceMode();
    if (mode.usesSerialDevice() && mode.serialType == u"MODEM")
        startModem();
    else if (mode.usbType() == u"X型")
        startXType();
    startLocalSocket();
}

void CallDevices::startModem()
{
    if (m_link && m_link->isOpen())
        return;
    int port = 0;
    try {
        port = m_ctx.db().scalar(u"select 编号 from 串口编号"_s).toInt();
    } catch (const SqlError &) {
    }
    m_link = newLink();
    if (port <= 0 || !m_link->open(comPortDevice(m_ctx.folder(), port), 9600)) {
        m_ctx.prompter().error(u"未找到来电显示设备！！"_s);
        return;
    }
    m_modem = new ModemCallerId(m_ctx.clock(), m_ctx.prompter(), m_log, logPath(DeviceRunLog::modemLogFileName()),
                                modemIntervals, this);
    connect(m_modem, &ModemCallerId::send, m_link, &SerialLink::write);
    connect(m_link, &SerialLink::received, m_modem,
            [this](const QByteArray &bytes) { m_modem->received(QString::fromLatin1(bytes)); });
    connect(m_link, &SerialLink::reopened, m_modem, &ModemCallerId::portReopened);
    connect(m_modem, &ModemCallerId::numberReceived, this,
            [this](const QString &number) { m_intake.intake(CallPath::Modem, number); });
    m_modem->start();
}

void CallDevices::startXType()
{
    if (m_link && m_link->isOpen())
        return;
    // The login's "编号" box gives a COM port number, or a device path typed in.
    const QString device = chosenPortDevice(m_ctx.folder(), m_ctx.deviceMode().usbLines);
    m_link = newLink();
    if (device.isEmpty() || !m_link->open(device, 1200)) {
        m_ctx.prompter().error(
            u"X型串口编号打开失败，请确认您输入的串口号是否正确或者录入其他串口编号再登陆系统。"_s);
        return;
    }
    m_xtypeClock.start();
    connect(m_link, &SerialLink::received, this, &CallDevices::xTypeBytes);
}

void CallDevices::xTypeBytes(const QByteArray &bytes)
{
    const XTypeAccumulator::Step step = m_xtype.feed(bytes, m_xtypeClock.elapsed());
    for (const QString &line : step.log)
        m_log.add(line);
    for (const QString &number : step.numbers) {
        if (m_phoneBox)
            m_phoneBox->setText(number);
        m_intake.intake(CallPath::XType, number);
    }
}

void CallDevices::startLocalSocket()
{
    if (m_server)
        return;
    m_server = new LocalCallServer(m_ctx.folder(), [this](const LocalCall &call) {
        m_intake.intake(CallPath::LocalSocket, call.number, call.line);
    }, this);
    QString error;
    if (!m_server->listen(&error))
        m_log.add(u"本机来电接口未打开："_s + error);
}

void CallDevices::saveLogAtExit()
{
    if (m_link)
        m_link->close();
    if (m_log.isEmpty())
        return;
    QDir().mkpath(m_ctx.folder().logs());
    m_log.saveTo(logPath(DeviceRunLog::runLogFileName()));
}

void connectCallDevices(Tmain &main, AppContext &context, CallIntake &intake, QLineEdit *phoneBox)
{
    auto *devices = new CallDevices(context, intake, phoneBox, &main);
    devices->setObjectName(u"CallDevices"_s);
    main.addShowStep([devices] { devices->start(); });
    main.addShutdownStep([devices] { devices->saveLogAtExit(); });
    AppContext *ctx = &context;
    Tmain *window = &main;
    main.enableEntry(u"X型来电接收盒运行日志"_s,
                     [ctx, window, devices] { TFxlaidian_rizhi(*ctx, devices->log(), window).exec(); });
}

} // namespace lanfan
