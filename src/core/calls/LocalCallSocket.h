#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace lanfan {

class DataFolder;

// A calling number handed over on the local call socket: one per line,
// "NUMBER" or "NUMBER LINE" (the telephone line, counted from 1).
struct LocalCall {
    QString number;
    int line = 0;  // from 0
};

// Reads one request line; the reason of a refusal in `error`. A number holds
// at most 32 of the characters 0-9 * # + - and blanks inside are refused.
std::optional<LocalCall> parseLocalCall(const QString &line, QString *error = nullptr);

// Name of the local socket of a data folder: a socket file in the folder
// (which only its owner can enter), or, when that path is too long for a
// socket, a name derived from the folder in the temporary folder.
QString localCallSocketName(const DataFolder &folder);

// The running program's end of the socket. Only the local user can connect
// (the socket's permissions); every accepted number is passed to `onCall`
// on the thread of the server, and answered "OK" or "ERROR <reason>".
class LocalCallServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const LocalCall &)>;

    LocalCallServer(const DataFolder &folder, Handler onCall, QObject *parent = nullptr);
    ~LocalCallServer() override;

    // Starts listening. A socket left behind by a program that ended without
    // closing it is replaced; a socket another running program answers on is
    // left alone (false with the reason).
    bool listen(QString *error = nullptr);
    QString name() const { return m_name; }

private:
    void accept();
    void readLines(QLocalSocket *socket);

    QString m_name;
    Handler m_onCall;
    QLocalServer *m_server;
};

// Sends one call to the program running on the data folder and waits for
// its answer; false with the reason when nobody listens or it refused.
bool sendLocalCall(const DataFolder &folder, const QString &number, int lineFromOne, QString *error,
                   int timeoutMsecs = 3000);

} // namespace lanfan
