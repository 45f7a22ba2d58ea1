#include "ShopDatabase.h"

#include "DataFolder.h"
#include "Schema.h"
#include "common/Clock.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

QString uniqueConnectionName(const QString &stem)
{
    static QAtomicInt counter;
    return stem + u'-' + QString::number(counter.fetchAndAddRelaxed(1));
}

} // namespace

bool looksDamaged(const QString &engineMessage)
{
    const QString m = engineMessage.toLower();
    return m.contains(u"not a database"_s) || m.contains(u"malformed"_s) || m.contains(u"不可识别"_s)
        || m.contains(u"file is encrypted"_s);
}

std::unique_ptr<Db> openSqliteFile(const QString &path, const QString &connectionName, bool readOnly)
{
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(u"QSQLITE"_s, connectionName);
        raw.setDatabaseName(path);
        QString options = u"QSQLITE_BUSY_TIMEOUT=15000"_s;
        if (readOnly)
            options += u";QSQLITE_OPEN_READONLY"_s;
        raw.setConnectOptions(options);
        if (!raw.open()) {
            const QString text = raw.lastError().text();
            raw = QSqlDatabase();
            QSqlDatabase::removeDatabase(connectionName);
            throw SqlError(text);
        }
    }
    auto db = std::make_unique<Db>(connectionName, makeSqliteDialect());
    // The first read of the file: finds a file that is not a database,
    // without scanning a healthy one.
    db->scalar(u"select count(*) from sqlite_master"_s);
    if (!readOnly)
        db->dialect().configure(*db);
    return db;
}

QString normaliseVersion(const QString &version)
{
    QString v = version.trimmed();
    v.remove(u'.');
    return v;
}

int compareVersions(const QString &a, const QString &b)
{
    auto digitsOnly = [](const QString &s) {
        return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c.isDigit(); });
    };
    QString x = normaliseVersion(a), y = normaliseVersion(b);
    if (digitsOnly(x) && digitsOnly(y)) {
        while (x.size() > 1 && x.startsWith(u'0'))
            x.remove(0, 1);
        while (y.size() > 1 && y.startsWith(u'0'))
            y.remove(0, 1);
        if (x.size() != y.size())
            return x.size() < y.size() ? -1 : 1;
    }
    if (x.isEmpty() != y.isEmpty())
        return x.isEmpty() ? -1 : 1;
    return x < y ? -1 : (x > y ? 1 : 0);
}

PatchOutcome applyPatches(Db &shop, Db &patches)
{
    PatchOutcome out;
    struct Patch {
        QString version;
        QString sql;
        qint64 order;
    };
    QList<Patch> list;
    QString current;
    try {
        qint64 n = 0;
        QSqlQuery q = patches.exec(u"select 版本号, sql语句 from 命令表"_s);
        while (q.next())
            list.append({normaliseVersion(q.value(0).toString()), q.value(1).toString(), n++});
        current = normaliseVersion(shop.scalar(u"select 版本号 from 版本号"_s).toString());
    } catch (const SqlError &e) {
        out.error = e.text();
        return out;
    }

    QString target;
    for (const auto &p : list)
        if (target.isEmpty() || compareVersions(p.version, target) > 0)
            target = p.version;

    // Run in version order; statements of one version in the order they were stored.
    std::stable_sort(list.begin(), list.end(), [](const Patch &a, const Patch &b) {
        return compareVersions(a.version, b.version) < 0;
    });
    for (const auto &p : list) {
        if (compareVersions(p.version, current) <= 0 || compareVersions(p.version, target) > 0)
            continue;
        try {
            shop.execute(p.sql);
            ++out.run;
        } catch (const SqlError &) {
            // A failing statement is skipped; the version still advances, so
            // it is not tried again at the next start.
            ++out.failed;
        }
    }

    // Never move the stored version backwards (a newer database with an older
    // patch file), and keep it when the patch file holds nothing.
    if (target.isEmpty() || compareVersions(target, current) < 0)
        target = current;
    out.target = target;
    try {
        Transaction tx(shop);
        shop.execute(u"delete from 版本号"_s);
        shop.execute(u"insert into 版本号 (版本号) values (:版本号)"_s, {{u"版本号"_s, target}});
        tx.commit();
    } catch (const SqlError &e) {
        out.error = e.text();
    }
    return out;
}

QString repairDatabase(const QString &path, const Clock &clock)
{
    const QString stamp = clock.now().toString(u"yyyyMMdd-HHmmss"_s);
    QString kept = path + u".damaged-"_s + stamp;
    for (int i = 2; QFileInfo::exists(kept); ++i)
        kept = path + u".damaged-"_s + stamp + u'-' + QString::number(i);
    const QString fresh = path + u".repair"_s;
    QFile::remove(fresh);

    {
        auto target = openSqliteFile(fresh, uniqueConnectionName(u"repair-target"_s));
        // Tables of our definition first, so that they keep their types.
        {
            Transaction tx(*target);
            for (const auto &t : shopTables())
                target->execute(createTableSql(target->dialect(), t));
            tx.commit();
        }

        std::unique_ptr<Db> source;
        try {
            source = openSqliteFile(path, uniqueConnectionName(u"repair-source"_s), true);
        } catch (const SqlError &) {
            // nothing of the file is readable
        }
        if (source) {
            QList<QPair<QString, QString>> tables; // name, create statement
            try {
                QSqlQuery q = source->exec(u"select name, sql from sqlite_master where type='table' and name not like 'sqlite_%'"_s);
                while (q.next())
                    tables.append({q.value(0).toString(), q.value(1).toString()});
            } catch (const SqlError &) {
            }
            for (const auto &[name, createSql] : tables) {
                try {
                    if (!findShopTable(name))
                        target->execute(createSql);
                    const QStringList targetCols = target->dialect().columnsOf(*target, name);
                    Transaction tx(*target);
                    QSqlQuery rows = source->exec(u"select * from "_s + quoteIdentifier(name));
                    const QSqlRecord rec = rows.record();
                    QStringList cols;
                    QList<int> index;
                    for (int c = 0; c < rec.count(); ++c) {
                        if (targetCols.contains(rec.fieldName(c), Qt::CaseInsensitive)) {
                            cols << quoteIdentifier(rec.fieldName(c));
                            index << c;
                        }
                    }
                    QStringList marks;
                    SqlParams params;
                    for (int i = 0; i < cols.size(); ++i)
                        marks << u":p"_s + QString::number(i);
                    const QString insert = u"insert into "_s + quoteIdentifier(name) + u" ("_s + cols.join(u',') + u") values ("_s
                                           + marks.join(u',') + u')';
                    // Copy row by row until the first unreadable page.
                    while (rows.next()) {
                        for (int i = 0; i < index.size(); ++i)
                            params.insert(u"p"_s + QString::number(i), rows.value(index[i]));
                        target->execute(insert, params);
                    }
                    rows.finish();
                    tx.commit();
                } catch (const SqlError &) {
                    // keep what was copied of the other tables
                }
            }
        }
        ensureShopSchema(*target);
        target->execute(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    }

    // The damaged original is never deleted: it stays beside the new file.
    if (!QFile::rename(path, kept))
        throw SqlError(u"无法保留损坏的数据库文件 "_s + path);
    for (const QString &suffix : {u"-wal"_s, u"-shm"_s}) {
        if (QFileInfo::exists(path + suffix))
            QFile::rename(path + suffix, kept + suffix);
    }
    for (const QString &suffix : {u"-wal"_s, u"-shm"_s})
        QFile::remove(fresh + suffix);
    if (!QFile::rename(fresh, path))
        throw SqlError(u"无法替换数据库文件 "_s + path);
    return kept;
}

std::unique_ptr<Db> openShopDatabase(const DataFolder &folder, const Clock &clock, OpenOutcome *outcome)
{
    OpenOutcome local;
    OpenOutcome &out = outcome ? *outcome : local;
    out = OpenOutcome();
    const QString path = folder.shopDatabase();
    out.databasePath = path;

    const bool workstation = folder.workMode().isWorkstation();
    if (workstation && !QFileInfo::exists(path)) {
        // Never create an empty shop on a wrong or unreachable server folder.
        out.status = OpenOutcome::Status::Failed;
        out.message = kConnectFailedMessage;
        return nullptr;
    }

    std::unique_ptr<Db> db;
    try {
        db = openSqliteFile(path, uniqueConnectionName(u"shop"_s));
        out.initialPassword = ensureShopSchema(*db);
    } catch (const SqlError &e) {
        db.reset();
        if (!looksDamaged(e.text())) {
            out.status = OpenOutcome::Status::Failed;
            out.message = kConnectFailedMessage;
            return nullptr;
        }
        try {
            out.keptDamagedAs = repairDatabase(path, clock);
            out.status = OpenOutcome::Status::Repaired;
            out.message = kRepairedMessage;
        } catch (const SqlError &) {
            out.status = OpenOutcome::Status::Failed;
            out.message = kConnectFailedMessage;
        }
        return nullptr;
    }

    // The patch database: a missing one is created empty.
    try {
        auto patches = openSqliteFile(folder.patchDatabase(), uniqueConnectionName(u"patch"_s));
        ensurePatchSchema(*patches);
        const PatchOutcome p = applyPatches(*db, *patches);
        out.patchesRun = p.run;
        out.patchesFailed = p.failed;
        out.patchError = p.error;
    } catch (const SqlError &e) {
        out.patchError = e.text();
    }
    out.status = OpenOutcome::Status::Opened;
    return db;
}

} // namespace lanfan
