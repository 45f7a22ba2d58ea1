#pragma once

#include "data/Db.h"

#include <QList>
#include <QString>

#include <functional>

namespace lanfan {

// One of the fixed schema upgrades that run at every login, in order.
struct LoginUpgrade {
    // A column type conversion ("ALTER TABLE t ALTER COLUMN c <type>") names
    // its table, column and the type it converts to; an update names none and
    // carries its statement.
    QString table;
    QString column;
    QString type;      // the type text of the conversion, e.g. "text (255)"
    QString sql;       // the update statement
    SqlParams params;

    bool isConversion() const { return !column.isEmpty(); }
};

const QList<LoginUpgrade> &loginUpgrades();

// Runs the upgrades in order. A column conversion has nothing to change on
// our engines: the schema is created from one definition that already gives
// these columns the converted types, so the step only makes sure the column
// is there (what a failing conversion would have reported). The updates fill
// the empty values of older rows. When the first step fails, the SMS queue is
// emptied, `wait` is given one second and the step runs again. Returns the
// database's error text of the step that failed (the login stops), or an
// empty text.
QString runLoginUpgrades(Db &db, const std::function<void(int milliseconds)> &wait);

} // namespace lanfan
