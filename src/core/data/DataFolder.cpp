#include "DataFolder.h"

#include "IniStore.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace lanfan {

DataFolder::DataFolder(QString root) : m_root(QDir(root).absolutePath())
{
}

QString DataFolder::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/lanfan"_s;
}

bool DataFolder::ensure(QString *error) const
{
    const bool existed = QDir(m_root).exists();
    if (!QDir().mkpath(m_root)) {
        if (error)
            *error = u"无法创建数据目录 "_s + m_root;
        return false;
    }
    if (!existed)
        QFile::setPermissions(m_root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const QString &sub : {recordings(), logs(), backups(), templates()})
        QDir().mkpath(sub);
    return true;
}

QString DataFolder::path(const QString &name) const
{
    return m_root + u'/' + name;
}

WorkMode DataFolder::workMode() const
{
    const IniStore ini(workModeIni());
    WorkMode m;
    m.mode = ini.value(u"工作模式"_s, u"值"_s, u"default"_s);
    if (m.mode == u"default" || m.mode.isEmpty())
        m.mode = u"服务器"_s;
    m.directory = ini.value(u"目录"_s, u"值"_s);
    return m;
}

void DataFolder::writeWorkMode(const WorkMode &mode) const
{
    IniStore ini(workModeIni());
    ini.setValue(u"工作模式"_s, u"值"_s, mode.mode);
    ini.setValue(u"目录"_s, u"值"_s, mode.directory);
    ini.save();
}

QString DataFolder::shopDatabase() const
{
    const WorkMode m = workMode();
    if (m.isWorkstation())
        return QDir(m.directory).filePath(shopDatabaseFileName());
    return path(shopDatabaseFileName());
}

} // namespace lanfan
