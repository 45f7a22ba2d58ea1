#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>

#include <compare>
#include <cstdint>
#include <optional>

namespace lanfan {

// Exact fixed-point amount: a signed count of ten-thousandths.
// Quantities of order lines are Money too, so half portions stay exact.
class Money {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Money() = default;

    static constexpr Money fromUnits(qint64 tenThousandths) { Money m; m.m_units = tenThousandths; return m; }
    static constexpr Money fromInt(qint64 whole) { return fromUnits(whole * Scale); }

    // Parses "12", "-3.5", "0.1234", " 7.00 ". Digits beyond four decimals are
    // rounded half to even. Returns nullopt for anything that is not a number.
    static std::optional<Money> parse(const QString &text);
    // Parses, and treats anything that is not a number as zero.
    static Money parseOrZero(const QString &text);

    // Value read from the database: integers, doubles (SQLite stores natural
    // units) or decimal text (PostgreSQL). Doubles are rounded to four decimals.
    static Money fromVariant(const QVariant &v);
    // Value from a double that crossed the database boundary, rounded to four decimals.
    static Money fromDouble(double d);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / Scale; }
    bool isZero() const { return m_units == 0; }

    // Four-decimal text without trailing zeros beyond `minDecimals`: "12", "12.5", "0.0001".
    QString toString(int minDecimals = 0) const;
    // Fixed number of decimals (0..4), rounded half away from zero.
    QString toFixed(int decimals) const;

    // Rounding to `decimals` places (0..4).
    Money roundHalfAwayFromZero(int decimals) const;
    Money roundToEven(int decimals) const;

    constexpr Money operator-() const { return fromUnits(-m_units); }
    constexpr Money operator+(Money o) const { return fromUnits(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return fromUnits(m_units - o.m_units); }
    Money &operator+=(Money o) { m_units += o.m_units; return *this; }
    Money &operator-=(Money o) { m_units -= o.m_units; return *this; }
    constexpr Money operator*(qint64 n) const { return fromUnits(m_units * n); }

    // Product of two fixed-point values (price × quantity, amount × rate),
    // rounded to four decimals half to even.
    Money times(Money factor) const;
    // Quotient rounded to four decimals half to even; division by zero gives zero.
    Money dividedBy(Money divisor) const;

    constexpr auto operator<=>(const Money &) const = default;

private:
    qint64 m_units = 0;
};

} // namespace lanfan

Q_DECLARE_METATYPE(lanfan::Money)

namespace lanfan {

// A money value as a statement parameter.
inline QVariant moneyParam(Money m)
{
    return QVariant::fromValue(m);
}

} // namespace lanfan
