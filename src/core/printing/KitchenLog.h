#pragma once

#include <QObject>
#include <QStringList>

namespace lanfan::printing {

// The log of the kitchen tickets sent to printers ("后厨打印命令发送日志"):
// one line per ticket printed, and a line when a printer named by the
// settings does not exist. The main board shows the lines; they are also
// appended to a text file of the data folder so that they outlive the run.
class KitchenLog : public QObject {
    Q_OBJECT
public:
    explicit KitchenLog(QString filePath = {}, QObject *parent = nullptr);

    void add(const QString &line);
    const QStringList &lines() const { return m_lines; }
    QString filePath() const { return m_filePath; }

    // File name of the log in a data folder's logs folder.
    static QString fileName() { return QStringLiteral("后厨打印命令发送日志.txt"); }

Q_SIGNALS:
    void lineAdded(const QString &line);

private:
    QString m_filePath;
    QStringList m_lines;
};

} // namespace lanfan::printing
