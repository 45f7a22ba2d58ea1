#include "DeviceRunLog.h"

#include <QDateTime>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace lanfan {

void DeviceRunLog::add(const QString &line)
{
    m_lines << line;
    Q_EMIT lineAdded(line);
}

QString DeviceRunLog::text() const
{
    return m_lines.join(u'\n');
}

bool DeviceRunLog::saveTo(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write(text().toUtf8());
        file.write("\n");
        if (file.commit())
            return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

QString runLogTime(const QDateTime &now)
{
    return now.toString(u"yyyy-MM-dd HH:mm:ss"_s);
}

} // namespace lanfan
