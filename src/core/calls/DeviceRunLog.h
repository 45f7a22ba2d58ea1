#pragma once

#include <QObject>
#include <QStringList>

namespace lanfan {

// The run log of the serial caller-ID devices (voice modem, X-type box):
// plain text lines, shown by the window "X型及串口MODEM运行日志" and written
// to a text file of the data folder's logs folder when the program ends.
class DeviceRunLog : public QObject {
    Q_OBJECT
public:
    explicit DeviceRunLog(QObject *parent = nullptr) : QObject(parent) {}

    void add(const QString &line);
    const QStringList &lines() const { return m_lines; }
    bool isEmpty() const { return m_lines.isEmpty(); }
    QString text() const;

    // Writes the lines as UTF-8 text, one per line; false with the reason
    // in `error` when the file cannot be written.
    bool saveTo(const QString &path, QString *error = nullptr) const;

    // Names of the log files in the logs folder.
    static QString runLogFileName() { return QStringLiteral("X型来电接收盒运行日志.txt"); }
    static QString modemLogFileName() { return QStringLiteral("来电接收猫运行日志.txt"); }

Q_SIGNALS:
    void lineAdded(const QString &line);

private:
    QStringList m_lines;
};

// The date and time appended to the log's lines.
QString runLogTime(const QDateTime &now);

} // namespace lanfan
