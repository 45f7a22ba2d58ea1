#pragma once

#include "Db.h"

#include <QString>

#include <memory>

namespace lanfan {

class Clock;
class DataFolder;

// What opening the shop database came to.
struct OpenOutcome {
    enum class Status { Opened, Repaired, Failed };
    Status status = Status::Failed;
    QString message;          // text to show the user (repair or failure)
    QString databasePath;
    QString keptDamagedAs;    // after a repair: where the damaged original is kept
    QString initialPassword;  // when a new database was created just now
    QString patchError;       // the patch database could not be read
    int patchesRun = 0;
    int patchesFailed = 0;
};

inline const QString kRepairedMessage = QStringLiteral("本地数据库文件损坏，自动修复完成，请重新登录软件");
inline const QString kConnectFailedMessage = QStringLiteral("数据库连接失败！！");

// Opens an SQLite file on a connection of its own name. Throws SqlError.
std::unique_ptr<Db> openSqliteFile(const QString &path, const QString &connectionName, bool readOnly = false);

// True when an engine message says the file is not a database or is damaged.
bool looksDamaged(const QString &engineMessage);

// The start sequence's database step: opens the database of this PC's work
// mode (a new one in the data folder on the first start of a server),
// repairs a damaged file, brings the schema up to date and applies the
// pending patches. Returns the open database, or null when the program must
// end (after a repair or a failure; `outcome` says which and what to show).
std::unique_ptr<Db> openShopDatabase(const DataFolder &folder, const Clock &clock, OpenOutcome *outcome);

// Copies everything readable of a damaged database into a new file that takes
// its place; the damaged original is kept beside it under a dated name,
// which is returned. Throws SqlError when the new file cannot be written.
QString repairDatabase(const QString &path, const Clock &clock);

// The schema patches shipped in the patch database.
struct PatchOutcome {
    int run = 0;
    int failed = 0;
    QString target;  // version written, dots removed
    QString error;   // the patch database could not be read
};
PatchOutcome applyPatches(Db &shop, Db &patches);

// Version text with its dots removed, compared as a whole number.
QString normaliseVersion(const QString &version);
int compareVersions(const QString &a, const QString &b);

} // namespace lanfan
