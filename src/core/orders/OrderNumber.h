#pragma once

#include <QDate>
#include <QString>

namespace lanfan {

class Db;

// Pure rule: the number that follows `currentMax` on business day `day`.
// Empty, or a maximum of another day, gives yyyymmdd0001.
QString orderNumberAfter(const QString &currentMax, const QDate &day);

// Takes the next order number of business day `day`. Must run inside the
// saving transaction: the transaction holds the write lock, so a second PC
// saving at the same moment waits and continues the sequence.
QString takeOrderNumber(Db &db, const QDate &day);

} // namespace lanfan
