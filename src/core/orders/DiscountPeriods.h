#pragma once

#include <QList>
#include <QString>
#include <QTime>

#include <optional>

namespace lanfan {

class AppContext;

// A happy hour: from `start` to `end` (times of day "HH:mm:ss") the orders
// start with `rate` (tenths of the price, "10" = full price).
struct DiscountPeriod {
    QString start;
    QString end;
    QString rate;
};

// The periods of 优惠时段 and the lookup of the one in force.
class DiscountPeriods {
public:
    explicit DiscountPeriods(AppContext &ctx) : m_ctx(ctx) {}

    QList<DiscountPeriod> all();

    // Rate of the period in force at `time`: the first row whose start is not
    // after and whose end is not before the time. A period whose start is
    // later than its end (across midnight) never applies.
    std::optional<QString> rateAt(const QTime &time);
    // The same for the clock's current time of day.
    std::optional<QString> rateNow();

    // Adds a period; returns the refusal to show, or an empty text.
    QString add(const QTime &from, const QTime &to, const QString &rateText);
    // Removes the period (rows with exactly these values).
    void remove(const DiscountPeriod &period);

private:
    AppContext &m_ctx;
};

// Caption suffix of an order form during a discount period:
// prefix + "    优惠时段，优惠折扣：" + rate.
QString discountPeriodCaption(const QString &prefix, const QString &rate);

} // namespace lanfan
