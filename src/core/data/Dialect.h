#pragma once

#include <QString>
#include <QVariant>

#include <memory>

namespace lanfan {

class Db;

// Column types of the shop schema, independent of the engine.
enum class ColumnType { Text, Number, Integer, Money, Bool, Date, DateTime, Time, AutoId };

// What differs between the embedded SQLite engine and a shared PostgreSQL
// server. Everything else is written as portable SQL.
class Dialect {
public:
    virtual ~Dialect() = default;
    virtual QString name() const = 0;
    virtual QString driver() const = 0;
    // Column type in a CREATE TABLE; `length` is 0 when the text has no fixed length.
    virtual QString columnType(ColumnType type, int length) const = 0;
    // "limit 1" or the engine's way of keeping the first row of `select ...`.
    virtual QString firstRowOnly(const QString &select) const { return select + QStringLiteral(" limit 1"); }
    // Statement that opens a transaction holding the write lock at once, so a
    // second writer waits for the first to commit (order numbers, stock).
    virtual QString beginWrite() const = 0;
    // Extra statement run right after beginWrite() inside the transaction, if any.
    virtual QString lockForWriting() const { return {}; }
    // Statement that reads the id of the row just inserted on this connection,
    // for drivers that do not report it themselves; empty when they do.
    virtual QString lastInsertIdQuery() const { return {}; }
    // Converts a bound value to what the driver expects (money as text for an
    // exact decimal column, natural units as double for SQLite).
    virtual QVariant bindValue(const QVariant &v) const = 0;
    // Statement that lists the tables of the database; one column "name".
    virtual QString listTables() const = 0;
    // Statement that lists the columns of `table`; used by the checks.
    virtual QStringList columnsOf(Db &db, const QString &table) const = 0;
    // Tunes a freshly opened connection (journal mode, busy timeout...).
    virtual void configure(Db &db) const = 0;
};

std::unique_ptr<Dialect> makeSqliteDialect();
std::unique_ptr<Dialect> makePostgresDialect();

} // namespace lanfan
