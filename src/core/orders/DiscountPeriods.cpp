#include "DiscountPeriods.h"

#include "Totals.h"
#include "app/AppContext.h"
#include "common/Clock.h"
#include "common/Money.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

QString timeText(const QTime &t)
{
    return t.toString(u"HH:mm:ss"_s);
}

QString rateText(const QVariant &v)
{
    return v.isNull() ? QString() : Money::fromVariant(v).toString();
}

} // namespace

QList<DiscountPeriod> DiscountPeriods::all()
{
    QList<DiscountPeriod> out;
    for (const SqlRow &r : m_ctx.db().rows(u"select 开始时间,结束时间,折扣率 from 优惠时段"_s))
        out.append({r.text(u"开始时间"_s), r.text(u"结束时间"_s), rateText(r.value(u"折扣率"_s))});
    return out;
}

std::optional<QString> DiscountPeriods::rateAt(const QTime &time)
{
    const QString now = timeText(time);
    const SqlRow r = m_ctx.db().first(
        u"select 折扣率 from 优惠时段 where 开始时间<=:开始时间 and 结束时间>=:结束时间"_s,
        {{u"开始时间"_s, now}, {u"结束时间"_s, now}});
    if (r.values().isEmpty())
        return std::nullopt;
    return rateText(r.value(u"折扣率"_s));
}

std::optional<QString> DiscountPeriods::rateNow()
{
    return rateAt(m_ctx.clock().now().time());
}

QString DiscountPeriods::add(const QTime &from, const QTime &to, const QString &rate)
{
    if (rate.trimmed().isEmpty())
        return u"折扣率不能为空"_s;
    const std::optional<Money> value = Money::parse(rate);
    if (!value)
        return notANumberMessage(u"折扣率"_s, rate);
    m_ctx.db().execute(u"insert into 优惠时段 (开始时间,结束时间,折扣率) values (:开始时间,:结束时间,:折扣率)"_s,
                       {{u"开始时间"_s, timeText(from)},
                        {u"结束时间"_s, timeText(to)},
                        {u"折扣率"_s, QVariant::fromValue(*value)}});
    return {};
}

void DiscountPeriods::remove(const DiscountPeriod &p)
{
    m_ctx.db().execute(
        u"delete from 优惠时段 where 开始时间=:开始时间 and 结束时间=:结束时间 and 折扣率=:折扣率"_s,
        {{u"开始时间"_s, p.start},
         {u"结束时间"_s, p.end},
         {u"折扣率"_s, QVariant::fromValue(Money::parseOrZero(p.rate))}});
}

QString discountPeriodCaption(const QString &prefix, const QString &rate)
{
    return prefix + u"    优惠时段，优惠折扣："_s + rate;
}

} // namespace lanfan
