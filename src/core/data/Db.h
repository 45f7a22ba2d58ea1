#pragma once

#include "Dialect.h"
#include "SqlError.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantMap>

#include <memory>

namespace lanfan {

class Money;

// A table or column name quoted for SQL: "名称".
QString quoteIdentifier(const QString &identifier);

// Named parameters of a statement: {":单据编号" or "单据编号" → value}.
using SqlParams = QVariantMap;

// One row of a result, by column name.
class SqlRow {
public:
    SqlRow() = default;
    explicit SqlRow(QVariantMap values) : m_values(std::move(values)) {}
    QVariant value(const QString &column) const { return m_values.value(column); }
    QString text(const QString &column) const { return m_values.value(column).toString(); }
    Money money(const QString &column) const;
    qint64 integer(const QString &column) const { return m_values.value(column).toLongLong(); }
    bool flag(const QString &column) const;
    bool isNull(const QString &column) const { return m_values.value(column).isNull(); }
    const QVariantMap &values() const { return m_values; }

private:
    QVariantMap m_values;
};

// The one way to the database. Statements are text with named parameters
// (`:名称`, Chinese or ASCII); the adapter turns them into positional
// placeholders and binds the values by name, because Qt's own binding
// silently drops non-ASCII names. Errors throw SqlError.
class Db {
public:
    Db(const QString &connectionName, std::unique_ptr<Dialect> dialect);
    ~Db();
    Db(const Db &) = delete;
    Db &operator=(const Db &) = delete;

    QSqlDatabase handle() const;
    const Dialect &dialect() const { return *m_dialect; }
    QString connectionName() const { return m_connectionName; }

    // Runs a statement and returns the positioned-before-first query.
    QSqlQuery exec(const QString &sql, const SqlParams &params = {});
    // Runs a statement and returns the number of rows it changed.
    int execute(const QString &sql, const SqlParams &params = {});
    // Runs an insert and returns the new row's id.
    qint64 insert(const QString &sql, const SqlParams &params = {});
    // First column of the first row, or a null QVariant when there is no row.
    QVariant scalar(const QString &sql, const SqlParams &params = {});
    // All rows of a query.
    QList<SqlRow> rows(const QString &sql, const SqlParams &params = {});
    // The first row, or an empty row.
    SqlRow first(const QString &sql, const SqlParams &params = {});

    // Runs a script of statements separated by ";" at line ends (no parameters).
    void executeScript(const QString &script);

    bool inTransaction() const { return m_depth > 0; }

    // Statement rewriting, public for tests: returns the SQL with "?" placeholders
    // and the parameter names in their order of appearance.
    static QString rewriteNamed(const QString &sql, QStringList *names);

private:
    friend class Transaction;
    QSqlQuery prepareAndRun(const QString &sql, const SqlParams &params);

    QString m_connectionName;
    std::unique_ptr<Dialect> m_dialect;
    int m_depth = 0;
};

// Begins a transaction that holds the write lock, commits on commit(), rolls
// back in the destructor when not committed. Nested guards join the outer one.
class Transaction {
public:
    explicit Transaction(Db &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Db &m_db;
    bool m_outer = false;
    bool m_done = false;
};

} // namespace lanfan
