#include "CashDrawer.h"

#include "PrintSink.h"
#include "RawPort.h"
#include "ReportTemplate.h"
#include "app/AppContext.h"
#include "common/Prompter.h"

using namespace Qt::StringLiterals;

namespace lanfan::printing {

QByteArray drawerCommand(const QString &type)
{
    if (type == u"普通")
        return QByteArray::fromHex("1b70003cff");
    if (type == u"芯烨" || type == u"USB钱箱")
        return QByteArray::fromHex("1b70008080");
    if (type == u"浩顺")
        return QByteArray::fromHex("1b700019ff");
    return {};
}

QString drawerErrorMessage(const QString &systemError)
{
    return u"开钱箱出错！请检查连接，没有钱箱请将系统设置的“钱箱接口”选择成空的。"_s + u'\n' + systemError;
}

CashDrawer::CashDrawer(AppContext &ctx, PrintSink &sink) : m_ctx(ctx), m_sink(sink) {}

bool CashDrawer::writePort(const QByteArray &command)
{
    const QString port = m_ctx.settings().value(u"钱箱端口"_s).trimmed();
    if (port.isEmpty())
        return true;
    QString error;
    if (!writeToPort(port, command, &error)) {
        m_ctx.prompter().error(drawerErrorMessage(error));
        return false;
    }
    return true;
}

bool CashDrawer::openByPort()
{
    QByteArray command = drawerCommand(m_ctx.settings().value(u"钱箱类型"_s));
    if (command.isEmpty())
        command = drawerCommand(u"普通"_s);
    return writePort(command);
}

bool CashDrawer::open()
{
    const QString type = m_ctx.settings().value(u"钱箱类型"_s);
    if (type == u"中崎") {
        m_ctx.prompter().information(u"请向澜帆软件公司索取中崎连接钱箱专用版软件"_s);
        return false;
    }
    if (type == u"USB钱箱") {
        QString error;
        if (!m_sink.sendRaw(QString(), drawerCommand(type), &error)) {
            m_ctx.prompter().error(drawerErrorMessage(error));
            return false;
        }
        return true;
    }
    if (type == u"其他") {
        ReportTemplate t;
        QString error;
        if (!loadTemplate(m_ctx.folder(), u"打开钱箱"_s, &t, &error)) {
            m_ctx.prompter().error(error);
            return false;
        }
        PrintJob job;
        job.title = u"打开钱箱"_s;
        job.pages = {renderTemplate(t, {}, {}, 0)};
        if (!m_sink.print(job, QString(), 1, &error)) {
            m_ctx.prompter().error(drawerErrorMessage(error));
            return false;
        }
        return true;
    }
    return writePort(drawerCommand(type));
}

} // namespace lanfan::printing
