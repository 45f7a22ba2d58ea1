#include "LocalCallSocket.h"

#include "common/Text.h"
#include "data/DataFolder.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

constexpr qsizetype kMaxRequest = 256;

} // namespace

std::optional<LocalCall> parseLocalCall(const QString &text, QString *error)
{
    auto refuse = [error](const QString &why) -> std::optional<LocalCall> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QStringList parts = text.simplified().split(u' ', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return refuse(u"empty request"_s);
    if (parts.size() > 2)
        return refuse(u"expected NUMBER [LINE]"_s);
    static const QRegularExpression numberShape(u"^[0-9*#+\\-]{1,32}$"_s);
    if (!numberShape.match(parts[0]).hasMatch())
        return refuse(u"not a telephone number"_s);
    LocalCall call{parts[0], 0};
    if (parts.size() == 2) {
        bool ok = false;
        const int line = parts[1].toInt(&ok);
        if (!ok || line < 1 || line > 64)
            return refuse(u"line must be 1 to 64"_s);
        call.line = line - 1;
    }
    return call;
}

QString localCallSocketName(const DataFolder &folder)
{
    const QString inFolder = QDir(folder.root()).absoluteFilePath(u"calls.sock"_s);
    // sun_path holds 108 bytes with its terminating zero.
    if (QFile::encodeName(inFolder).size() < 100)
        return inFolder;
    return QDir(QDir::tempPath()).absoluteFilePath(
        u"lanfan-calls-"_s + md5Hex(QDir(folder.root()).absolutePath()).left(16));
}

LocalCallServer::LocalCallServer(const DataFolder &folder, Handler onCall, QObject *parent)
    : QObject(parent), m_name(localCallSocketName(folder)), m_onCall(std::move(onCall)),
      m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &LocalCallServer::accept);
}

LocalCallServer::~LocalCallServer()
{
    m_server->close();
}

bool LocalCallServer::listen(QString *error)
{
    if (m_server->listen(m_name))
        return true;
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalSocket probe;
        probe.connectToServer(m_name);
        if (probe.waitForConnected(500)) {
            if (error)
                *error = u"another program is listening on "_s + m_name;
            return false;
        }
        QLocalServer::removeServer(m_name);
        if (m_server->listen(m_name))
            return true;
    }
    if (error)
        *error = m_server->errorString();
    return false;
}

void LocalCallServer::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readLines(socket); });
        readLines(socket);
    }
}

void LocalCallServer::readLines(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QByteArray raw = socket->readLine(kMaxRequest + 1);
        if (raw.size() > kMaxRequest || !raw.endsWith('\n')) {
            socket->write("ERROR request too long\n");
            socket->disconnectFromServer();
            return;
        }
        QString why;
        const auto call = parseLocalCall(QString::fromUtf8(raw), &why);
        if (!call) {
            socket->write("ERROR " + why.toUtf8() + '\n');
            continue;
        }
        socket->write("OK\n");
        socket->flush();
        if (m_onCall)
            m_onCall(*call);
    }
    // A client that sends a long line without an end is cut off.
    if (socket->bytesAvailable() > kMaxRequest) {
        socket->write("ERROR request too long\n");
        socket->disconnectFromServer();
    }
}

bool sendLocalCall(const DataFolder &folder, const QString &number, int lineFromOne, QString *error,
                   int timeoutMsecs)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QString request = number.trimmed();
    if (lineFromOne > 0)
        request += u' ' + QString::number(lineFromOne);
    QString why;
    if (!parseLocalCall(request, &why))
        return fail(why);
    QLocalSocket socket;
    socket.connectToServer(localCallSocketName(folder));
    if (!socket.waitForConnected(timeoutMsecs))
        return fail(u"Lanfan is not running on this data folder ("_s + socket.errorString() + u")"_s);
    socket.write(request.toUtf8() + '\n');
    socket.flush();
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMsecs))
            return fail(u"no answer from Lanfan"_s);
    }
    const QString answer = QString::fromUtf8(socket.readLine()).trimmed();
    socket.disconnectFromServer();
    if (answer != u"OK")
        return fail(answer.startsWith(u"ERROR "_s) ? answer.mid(6) : answer);
    return true;
}

} // namespace lanfan
