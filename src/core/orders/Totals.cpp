#include "Totals.h"

#include "data/Db.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

// Divides rounding half to even (the divisor is positive).
qint64 divideToEven(__int128 num, __int128 den)
{
    __int128 q = num / den;
    __int128 r = num % den;
    if (r < 0) {
        q -= 1;
        r += den;
    }
    if (r * 2 > den || (r * 2 == den && q % 2 != 0))
        q += 1;
    return qint64(q);
}

} // namespace

QString notANumberMessage(const QString &box, const QString &text)
{
    return u"%1“%2”不是有效的数字，请重新输入！！"_s.arg(box, text);
}

TotalsBoxes withDefaults(TotalsBoxes b)
{
    if (b.rate.trimmed().isEmpty())
        b.rate = u"10"_s;
    if (b.points.trimmed().isEmpty())
        b.points = u"0"_s;
    if (b.fee.trimmed().isEmpty())
        b.fee = u"0"_s;
    if (b.tax.trimmed().isEmpty())
        b.tax = u"0"_s;
    return b;
}

QString formatByPrecision(Money amount, const QString &precision)
{
    if (precision == u"元")
        return amount.toFixed(0);
    if (precision == u"角")
        return amount.toFixed(1);
    return amount.toFixed(2);
}

TotalsOutcome orderTotal(const TotalsBoxes &input, Money discounted, Money undiscounted, Money pointValue,
                         const QString &precision)
{
    TotalsOutcome out;
    const TotalsBoxes b = withDefaults(input);

    Money roundOff;
    const QString m = b.roundOff.trimmed();
    if (!m.isEmpty() && m != u"-") {
        const auto v = Money::parse(m);
        if (!v) {
            out.refusal = notANumberMessage(u"抹零"_s, b.roundOff);
            return out;
        }
        roundOff = *v;
    }
    struct Box {
        const QString &text;
        const char16_t *name;
        Money value;
    };
    Box boxes[] = {{b.rate, u"打折", {}}, {b.points, u"使用积分", {}}, {b.fee, u"服务费", {}}, {b.tax, u"税率", {}}};
    for (Box &box : boxes) {
        const auto v = Money::parse(box.text);
        if (!v) {
            out.refusal = notANumberMessage(QString::fromUtf16(box.name), box.text);
            return out;
        }
        box.value = *v;
    }
    const Money rate = boxes[0].value, points = boxes[1].value, fee = boxes[2].value, tax = boxes[3].value;

    // X in units of 1e-9: rate (1e-4) × D (1e-4) / 10 is 1e-9; amounts in 1e-4 scale by 1e5;
    // points (1e-4) × value (1e-4) is 1e-8, scale by 10.
    const __int128 x = __int128(rate.units()) * discounted.units()
        + (__int128(undiscounted.units()) - roundOff.units()) * 100000
        - __int128(points.units()) * pointValue.units() * 10;
    // Multiplier in units of 1e-6: 1 + fee/100 + tax/100 with fee and tax in 1e-4.
    const __int128 factor = __int128(1000000) + fee.units() + tax.units();
    // x × factor is in 1e-15; the total in 1e-4.
    out.exact = Money::fromUnits(divideToEven(x * factor, __int128(100000000000LL)));
    out.text = formatByPrecision(out.exact, precision);
    out.ok = true;
    return out;
}

QString chooseDiscountRate(const QString &periodRate, const QVariant &typeRate, bool lowerOnly)
{
    if (typeRate.isNull() || typeRate.toString().trimmed().isEmpty())
        return periodRate;
    const Money type = Money::fromVariant(typeRate);
    const QString typeText = type.toString();
    if (!lowerOnly)
        return typeText;
    const auto period = Money::parse(periodRate);
    if (!period || type <= *period)
        return typeText;
    return periodRate;
}

QStringList discountRateItems(Db &db)
{
    QStringList items;
    for (const SqlRow &r : db.rows(u"select 折扣率 from 折扣设置 order by 编号"_s))
        if (!r.isNull(u"折扣率"_s))
            items << r.money(u"折扣率"_s).toString();
    if (items.isEmpty())
        for (int i = 10; i >= 1; --i)
            items << QString::number(i);
    return items;
}

QVariant customerTypeRate(Db &db, const QString &type)
{
    return db.scalar(u"select 折扣率 from 客户类型 where 客户类型=:客户类型"_s, {{u"客户类型"_s, type}});
}

} // namespace lanfan
