#include "OrderNumber.h"

#include "data/Db.h"

#include <QtGlobal>

using namespace Qt::StringLiterals;

namespace lanfan {

QString orderNumberAfter(const QString &currentMax, const QDate &day)
{
    const QString prefix = day.toString(u"yyyyMMdd"_s);
    if (currentMax.isEmpty() || currentMax.left(8) != prefix)
        return prefix + u"0001"_s;
    bool ok = false;
    const qulonglong n = currentMax.toULongLong(&ok);
    if (!ok)
        return prefix + u"0001"_s;
    return QString::number(n + 1);
}

QString takeOrderNumber(Db &db, const QDate &day)
{
    Q_ASSERT_X(db.inTransaction(), "takeOrderNumber", "order numbers are taken inside the saving transaction");
    const QVariant max = db.scalar(u"select max(单据编号) as cc from 产品销售开票 where 购物日期=:gwrq"_s,
                                   {{u"gwrq"_s, day}});
    return orderNumberAfter(max.isNull() ? QString() : max.toString(), day);
}

} // namespace lanfan
