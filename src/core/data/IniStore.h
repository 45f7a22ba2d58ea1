#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace lanfan {

// A small INI file store: sections and keys in any language, written as
// readable UTF-8 (QSettings escapes non-ASCII keys). Reads files saved in
// UTF-8 or in GBK. Keeps the order of sections and keys.
class IniStore {
public:
    explicit IniStore(QString path);

    const QString &path() const { return m_path; }
    bool exists() const;

    // Re-reads the file. A missing file is an empty store.
    void load();
    // Writes the whole store. Returns false when the file cannot be written.
    bool save() const;

    bool contains(const QString &section, const QString &key) const;
    // The value, or `fallback` when the key is missing.
    QString value(const QString &section, const QString &key, const QString &fallback = {}) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    // Sets and saves at once.
    bool write(const QString &section, const QString &key, const QString &value);

    QStringList sections() const;

private:
    struct Section {
        QString name;
        QList<QPair<QString, QString>> entries;
    };
    Section *find(const QString &section);
    const Section *find(const QString &section) const;

    QString m_path;
    QList<Section> m_sections;
};

} // namespace lanfan
