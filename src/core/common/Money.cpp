#include "Money.h"

#include <cmath>
#include <cstdlib>

namespace lanfan {

namespace {

qint64 pow10(int n)
{
    qint64 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

// Divides a 128-bit numerator by a positive divisor, rounding half to even.
qint64 divRoundEven(__int128 num, __int128 den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    __int128 q = num / den;
    __int128 r = num % den;
    if (r < 0) {
        // make the remainder non-negative: floor division
        q -= 1;
        r += den;
    }
    __int128 twice = r * 2;
    if (twice > den || (twice == den && (q % 2 != 0)))
        q += 1;
    return qint64(q);
}

qint64 divRoundAway(qint64 num, qint64 den)
{
    const bool neg = num < 0;
    qint64 a = neg ? -num : num;
    qint64 q = a / den;
    if ((a % den) * 2 >= den)
        q += 1;
    return neg ? -q : q;
}

} // namespace

std::optional<Money> Money::parse(const QString &input)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    int i = 0;
    bool neg = false;
    if (text[0] == u'-' || text[0] == u'+') {
        neg = text[0] == u'-';
        ++i;
    }
    __int128 whole = 0;
    int wholeDigits = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        whole = whole * 10 + (text[i].unicode() - u'0');
        if (whole > (__int128(1) << 62))
            return std::nullopt;
        ++i;
        ++wholeDigits;
    }
    __int128 frac = 0; // in units of 10^-fracDigits
    int fracDigits = 0;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            if (fracDigits < 18) {
                frac = frac * 10 + (text[i].unicode() - u'0');
                ++fracDigits;
            }
            ++i;
        }
    }
    if (i != text.size() || (wholeDigits == 0 && fracDigits == 0))
        return std::nullopt;
    __int128 scaled = whole * Scale;
    if (fracDigits <= 4) {
        scaled += frac * pow10(4 - fracDigits);
    } else {
        scaled += divRoundEven(frac, pow10(fracDigits - 4));
    }
    return fromUnits(qint64(neg ? -scaled : scaled));
}

Money Money::parseOrZero(const QString &text)
{
    return parse(text).value_or(Money());
}

Money Money::fromDouble(double d)
{
    if (!std::isfinite(d))
        return Money();
    // Go through the shortest decimal text so that 0.1 stays 0.1000.
    return parse(QString::number(d, 'f', 6)).value_or(Money());
}

Money Money::fromVariant(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return Money();
    if (v.metaType() == QMetaType::fromType<Money>())
        return v.value<Money>();
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return fromInt(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(v.toDouble());
    default:
        return parseOrZero(v.toString());
    }
}

QString Money::toString(int minDecimals) const
{
    QString s = toFixed(4);
    int dot = s.indexOf(u'.');
    int keep = s.size();
    while (keep > dot + 1 + minDecimals && s[keep - 1] == u'0')
        --keep;
    if (keep == dot + 1)
        --keep;
    return s.left(keep);
}

QString Money::toFixed(int decimals) const
{
    decimals = std::clamp(decimals, 0, 4);
    const qint64 rounded = roundHalfAwayFromZero(decimals).m_units;
    const bool neg = rounded < 0;
    const quint64 a = neg ? quint64(-rounded) : quint64(rounded);
    QString s = QString::number(a / Scale);
    if (decimals > 0) {
        const quint64 frac = (a % Scale) / pow10(4 - decimals);
        s += u'.' + QString::number(frac).rightJustified(decimals, u'0');
    }
    return neg ? u'-' + s : s;
}

Money Money::roundHalfAwayFromZero(int decimals) const
{
    decimals = std::clamp(decimals, 0, 4);
    const qint64 step = pow10(4 - decimals);
    return fromUnits(divRoundAway(m_units, step) * step);
}

Money Money::roundToEven(int decimals) const
{
    decimals = std::clamp(decimals, 0, 4);
    const qint64 step = pow10(4 - decimals);
    return fromUnits(divRoundEven(m_units, step) * step);
}

Money Money::times(Money factor) const
{
    return fromUnits(divRoundEven(__int128(m_units) * factor.m_units, Scale));
}

Money Money::dividedBy(Money divisor) const
{
    if (divisor.m_units == 0)
        return Money();
    return fromUnits(divRoundEven(__int128(m_units) * Scale, divisor.m_units));
}

} // namespace lanfan
