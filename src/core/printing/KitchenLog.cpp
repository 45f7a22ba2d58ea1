#include "KitchenLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lanfan::printing {

KitchenLog::KitchenLog(QString filePath, QObject *parent) : QObject(parent), m_filePath(std::move(filePath)) {}

void KitchenLog::add(const QString &line)
{
    m_lines << line;
    if (!m_filePath.isEmpty()) {
        QDir().mkpath(QFileInfo(m_filePath).absolutePath());
        QFile f(m_filePath);
        if (f.open(QIODevice::Append | QIODevice::Text))
            f.write(line.toUtf8() + '\n');
    }
    Q_EMIT lineAdded(line);
}

} // namespace lanfan::printing
