#pragma once

#include "IniStore.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace lanfan {

class Db;

// One setting of this PC (kept in the settings file, section = name, key 类型).
struct SettingDef {
    QString name;
    QString defaultValue;
};

// Every setting of the settings file with its default, in the order in which
// the login loads them.
const QList<SettingDef> &settingDefs();
bool isKnownSetting(const QString &name);

// The current values of every setting: the PC's settings from the settings
// file (a missing key takes the default, a present but empty key stays
// empty) and the shop's settings from the one-row table 店名. Readers ask
// here, never the stores; writers store and update the current value at once.
class Settings {
public:
    enum class Source { Default, File, Shop, Derived };

    // The marker a missing key reads as.
    static constexpr const char *MissingMarker = "default";

    explicit Settings(const QString &iniPath);

    // Reads every PC setting from the file.
    void loadFile();
    // Reads the shop's row of 店名 with its conversions.
    void loadShop(Db &db);
    // Both, in the login's order (shop values first).
    void loadAll(Db &db);

    // Current value of a PC setting; empty for an unknown name.
    QString value(const QString &name) const;
    bool is(const QString &name, const QString &word) const { return value(name) == word; }
    Source source(const QString &name) const;
    // Stores a PC setting in the file and updates the current value.
    bool write(const QString &name, const QString &value);
    // Updates a current value without storing it (values built at run time).
    void setCurrent(const QString &name, const QString &value, Source source = Source::Derived);

    // Current value of a column of 店名 (as text), after the login's conversions.
    QString shop(const QString &column) const;
    Source shopSource(const QString &column) const;
    // Stores a shop value and updates the current value.
    void writeShop(Db &db, const QString &column, const QVariant &value);

    // Numbers read from settings; text that is not a number gives `fallback`.
    int intValue(const QString &name, int fallback = 0) const;

    IniStore &file() { return m_ini; }
    QStringList shopColumns() const { return m_shopOrder; }

private:
    IniStore m_ini;
    QHash<QString, QString> m_values;
    QHash<QString, Source> m_sources;
    QHash<QString, QString> m_shop;
    QHash<QString, Source> m_shopSources;
    QStringList m_shopOrder;
};

// Title of the main window and caption of the question boxes: 程序名称 when
// set, otherwise built from 公司简称.
QString programTitleFor(const QString &programName, const QString &companyShortName);

QString sourceName(Settings::Source s);

} // namespace lanfan
