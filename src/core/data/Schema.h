#pragma once

#include "Dialect.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace lanfan {

class Db;

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Text;
    int length = 0;          // fixed text length, 0 = free
    QString defaultValue;    // SQL literal, empty = none
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
    QStringList columnNames() const;
};

struct IndexDef {
    QString table;
    QStringList columns;
    QString name() const;
};

// The shop database, defined once.
const QList<TableDef> &shopTables();
const QList<IndexDef> &shopIndexes();
const TableDef *findShopTable(const QString &name);
// The patch database: one table of versioned statements.
const TableDef &patchTable();

QString createTableSql(const Dialect &dialect, const TableDef &table);

// Our own upgrade steps, numbered; the current level of the definition.
int latestSchemaLevel();

// Creates whatever is missing of the schema (tables, indexes, the one-row
// tables with their row, the first operator) and runs our upgrade steps, all
// in one transaction. Returns the initial password of the first operator when
// this call created him, else an empty text.
QString ensureShopSchema(Db &db);
void ensurePatchSchema(Db &db);

// Level of our own upgrade steps that this database has been brought to.
int schemaLevel(Db &db);

// The password of the first operator of a new database.
QString initialPassword();

} // namespace lanfan
