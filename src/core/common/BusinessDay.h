#pragma once

#include <QDate>
#include <QDateTime>

namespace lanfan {

// The business day ends at the cut-off hour: a moment belongs to today only
// when its time of day is strictly later than HH:00:00; until then (and at
// the cut-off itself) it still belongs to yesterday.
inline QDate businessDate(const QDateTime &now, int cutOffHour)
{
    const QString time = now.time().toString(QStringLiteral("HH:mm:ss"));
    const QString cutOff = QStringLiteral("%1:00:00").arg(cutOffHour, 2, 10, QLatin1Char('0'));
    return time > cutOff ? now.date() : now.date().addDays(-1);
}

} // namespace lanfan
