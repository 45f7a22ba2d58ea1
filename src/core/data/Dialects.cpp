#include "Db.h"

#include "common/Money.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace lanfan {

namespace {

class SqliteDialect final : public Dialect {
public:
    QString name() const override { return QStringLiteral("sqlite"); }
    QString driver() const override { return QStringLiteral("QSQLITE"); }

    QString columnType(ColumnType type, int length) const override
    {
        switch (type) {
        case ColumnType::Text: return length > 0 ? QStringLiteral("VARCHAR(%1)").arg(length) : QStringLiteral("TEXT");
        case ColumnType::Number: return QStringLiteral("REAL");
        case ColumnType::Integer: return QStringLiteral("INTEGER");
        case ColumnType::Money: return QStringLiteral("DECIMAL(19,4)");
        case ColumnType::Bool: return QStringLiteral("BOOLEAN");
        case ColumnType::Date:
        case ColumnType::DateTime:
        case ColumnType::Time: return QStringLiteral("TEXT");
        case ColumnType::AutoId: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        }
        return QStringLiteral("TEXT");
    }

    QString beginWrite() const override { return QStringLiteral("BEGIN IMMEDIATE"); }

    QVariant bindValue(const QVariant &v) const override
    {
        if (!v.isValid() || v.isNull())
            return v;
        const int id = v.metaType().id();
        if (v.metaType() == QMetaType::fromType<Money>())
            return v.value<Money>().toDouble();
        switch (id) {
        case QMetaType::QDate: return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        case QMetaType::QTime: return v.toTime().toString(QStringLiteral("HH:mm:ss"));
        case QMetaType::Bool: return v.toBool() ? 1 : 0;
        default: return v;
        }
    }

    QString listTables() const override
    {
        return QStringLiteral("select name from sqlite_master where type='table' and name not like 'sqlite_%' order by name");
    }

    QStringList columnsOf(Db &db, const QString &table) const override
    {
        QStringList cols;
        QSqlQuery q = db.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(table)));
        while (q.next())
            cols << q.value(1).toString();
        return cols;
    }

    void configure(Db &db) const override
    {
        // A committed order must survive a power cut: full sync in WAL mode.
        db.scalar(QStringLiteral("PRAGMA journal_mode=WAL"));
        db.execute(QStringLiteral("PRAGMA synchronous=FULL"));
    }
};

class PostgresDialect final : public Dialect {
public:
    QString name() const override { return QStringLiteral("postgresql"); }
    QString driver() const override { return QStringLiteral("QPSQL"); }

    QString columnType(ColumnType type, int length) const override
    {
        switch (type) {
        case ColumnType::Text: return length > 0 ? QStringLiteral("VARCHAR(%1)").arg(length) : QStringLiteral("TEXT");
        case ColumnType::Number: return QStringLiteral("DOUBLE PRECISION");
        case ColumnType::Integer: return QStringLiteral("INTEGER");
        case ColumnType::Money: return QStringLiteral("DECIMAL(19,4)");
        case ColumnType::Bool: return QStringLiteral("BOOLEAN");
        case ColumnType::Date: return QStringLiteral("DATE");
        case ColumnType::DateTime: return QStringLiteral("TIMESTAMP");
        case ColumnType::Time: return QStringLiteral("TEXT");
        case ColumnType::AutoId: return QStringLiteral("SERIAL PRIMARY KEY");
        }
        return QStringLiteral("TEXT");
    }

    QString beginWrite() const override { return QStringLiteral("BEGIN"); }
    // One advisory lock serialises the writers of the shop's PCs.
    QString lockForWriting() const override { return QStringLiteral("select pg_advisory_xact_lock(20061)"); }
    // The driver only reports OIDs; serial keys are read from their sequence.
    QString lastInsertIdQuery() const override { return QStringLiteral("select lastval()"); }

    QVariant bindValue(const QVariant &v) const override
    {
        if (v.metaType() == QMetaType::fromType<Money>())
            return v.value<Money>().toFixed(4);
        return v;
    }

    QString listTables() const override
    {
        return QStringLiteral("select table_name as name from information_schema.tables "
                              "where table_schema=current_schema() order by table_name");
    }

    QStringList columnsOf(Db &db, const QString &table) const override
    {
        QStringList cols;
        QSqlQuery q = db.exec(QStringLiteral("select column_name from information_schema.columns "
                                             "where table_schema=current_schema() and table_name=:t order by ordinal_position"),
                              {{QStringLiteral("t"), table}});
        while (q.next())
            cols << q.value(0).toString();
        return cols;
    }

    void configure(Db &) const override {}
};

} // namespace

std::unique_ptr<Dialect> makeSqliteDialect()
{
    return std::make_unique<SqliteDialect>();
}

std::unique_ptr<Dialect> makePostgresDialect()
{
    return std::make_unique<PostgresDialect>();
}

} // namespace lanfan
