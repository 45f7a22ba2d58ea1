#pragma once

#include <QString>

namespace lanfan {

// Where this PC works: "服务器" keeps the database in its own data folder
// (a stand-alone shop, or the PC that holds the shared file), "工作站" uses
// the database in the folder named by 目录.
struct WorkMode {
    QString mode;      // "服务器" or "工作站"
    QString directory; // the server's folder, for "工作站"
    // Any value other than "服务器" names the server's folder.
    bool isWorkstation() const { return mode != QStringLiteral("服务器"); }
};

// Everything the program keeps lives in one folder: the database, the patch
// database, the settings files, templates, logo, recordings, logs and backups.
class DataFolder {
public:
    explicit DataFolder(QString root);

    // The per-user application data folder.
    static QString defaultRoot();

    // Creates the folder (owner-only permissions) and its sub-folders.
    bool ensure(QString *error = nullptr) const;

    const QString &root() const { return m_root; }
    QString path(const QString &name) const;

    QString settingsIni() const { return path(QStringLiteral("cysz.ini")); }
    QString workModeIni() const { return path(QStringLiteral("moshi.ini")); }
    QString patchDatabase() const { return path(QStringLiteral("buding.db")); }
    QString logo() const { return path(QStringLiteral("店标.bmp")); }
    QString skin() const { return path(QStringLiteral("skin.qss")); }
    QString recordings() const { return path(QStringLiteral("录音文件")); }
    QString logs() const { return path(QStringLiteral("logs")); }
    QString backups() const { return path(QStringLiteral("backups")); }
    QString templates() const { return path(QStringLiteral("templates")); }

    WorkMode workMode() const;
    void writeWorkMode(const WorkMode &mode) const;
    // The shop database of this PC's work mode.
    QString shopDatabase() const;
    static QString shopDatabaseFileName() { return QStringLiteral("db1.db"); }

private:
    QString m_root;
};

} // namespace lanfan
