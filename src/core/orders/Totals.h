#pragma once

#include "common/Money.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace lanfan {

class Db;

// The five adjustment boxes of an order form, as typed.
struct TotalsBoxes {
    QString rate = QStringLiteral("10"); // tenths of the price, 10 = full price
    QString roundOff;                   // amount knocked off; empty or "-" is 0
    QString points = QStringLiteral("0"); // points the customer spends
    QString fee = QStringLiteral("0");  // service fee in percent
    QString tax = QStringLiteral("0");  // tax in percent
};

struct TotalsOutcome {
    bool ok = false;
    // The total as shown and stored ("50.60", "50.6", "51"), by the precision.
    QString text;
    // The total before the display rounding (four decimals).
    Money exact;
    // Why nothing was computed; the total keeps its previous value.
    QString refusal;
};

// The message for a box whose text is not a number.
QString notANumberMessage(const QString &box, const QString &text);

// Empty rate, points, fee and tax boxes read as "10", "0", "0", "0"; the
// form writes these back into its boxes.
TotalsBoxes withDefaults(TotalsBoxes boxes);

// Total after discount of a cart whose discounted lines sum to `discounted`
// and whose other lines sum to `undiscounted`:
//   X = rate / 10 × discounted + undiscounted − roundOff − points × pointValue
//   total = (1 + fee / 100 + tax / 100) × X, rounded to four decimals (ties to
//   even), shown by `precision`: "角分" → 0.00, "角" → 0.0, "元" → 0 (half away
//   from zero). Fee and tax are both percentages of X; they add, not compound.
TotalsOutcome orderTotal(const TotalsBoxes &boxes, Money discounted, Money undiscounted,
                         Money pointValue, const QString &precision);

// Display text of an amount by the precision setting.
QString formatByPrecision(Money amount, const QString &precision);

// The rate an order starts with once a customer of a type with `typeRate` is
// loaded, given the rate of the discount period (or "10"). With `lowerOnly`
// (call and takeaway forms) the type's rate applies when it is not empty
// and not above the period's rate (a tie takes the type's text); otherwise
// (dine-in, retail) a non-empty type rate always applies.
QString chooseDiscountRate(const QString &periodRate, const QVariant &typeRate, bool lowerOnly = true);

// The items of the discount box: every 折扣率 of 折扣设置 by 编号, or
// "10" down to "1" when that table is empty.
QStringList discountRateItems(Db &db);

// The rate of a customer type (null when the type is unknown or has none).
QVariant customerTypeRate(Db &db, const QString &type);

} // namespace lanfan
