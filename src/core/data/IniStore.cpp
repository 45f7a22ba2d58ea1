#include "IniStore.h"

#include "common/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace lanfan {

IniStore::IniStore(QString path) : m_path(std::move(path))
{
    load();
}

bool IniStore::exists() const
{
    return QFileInfo::exists(m_path);
}

void IniStore::load()
{
    m_sections.clear();
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = fromGbk(bytes);

    Section *current = nullptr;
    const auto lines = text.split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            current = find(name);
            if (!current) {
                m_sections.append({name, {}});
                current = &m_sections.last();
            }
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (eq < 0 || !current)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        bool replaced = false;
        for (auto &e : current->entries) {
            if (e.first == key) {
                e.second = value;
                replaced = true;
            }
        }
        if (!replaced)
            current->entries.append({key, value});
    }
}

bool IniStore::save() const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QString text;
    for (const auto &s : m_sections) {
        text += u'[' + s.name + u"]\n";
        for (const auto &e : s.entries)
            text += e.first + u'=' + e.second + u'\n';
        text += u'\n';
    }
    f.write(text.toUtf8());
    return f.commit();
}

IniStore::Section *IniStore::find(const QString &section)
{
    for (auto &s : m_sections)
        if (s.name == section)
            return &s;
    return nullptr;
}

const IniStore::Section *IniStore::find(const QString &section) const
{
    for (const auto &s : m_sections)
        if (s.name == section)
            return &s;
    return nullptr;
}

bool IniStore::contains(const QString &section, const QString &key) const
{
    if (const Section *s = find(section))
        for (const auto &e : s->entries)
            if (e.first == key)
                return true;
    return false;
}

QString IniStore::value(const QString &section, const QString &key, const QString &fallback) const
{
    if (const Section *s = find(section))
        for (const auto &e : s->entries)
            if (e.first == key)
                return e.second;
    return fallback;
}

void IniStore::setValue(const QString &section, const QString &key, const QString &value)
{
    Section *s = find(section);
    if (!s) {
        m_sections.append({section, {}});
        s = &m_sections.last();
    }
    for (auto &e : s->entries) {
        if (e.first == key) {
            e.second = value;
            return;
        }
    }
    s->entries.append({key, value});
}

bool IniStore::write(const QString &section, const QString &key, const QString &value)
{
    setValue(section, key, value);
    return save();
}

QStringList IniStore::sections() const
{
    QStringList out;
    for (const auto &s : m_sections)
        out << s.name;
    return out;
}

} // namespace lanfan
