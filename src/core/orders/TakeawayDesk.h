#pragma once

#include "common/Money.h"
#include "data/Db.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace lanfan {

class AppContext;
class Settings;

// Meal period of an order taken at `now`: "午餐" up to the lunch boundary,
// "晚餐" up to the dinner boundary, else "夜宵"; and "夜宵" after midnight
// until the business day ends.
QString mealPeriodAt(const QDateTime &now, const Settings &settings);

// Promised delivery: now plus the hours and minutes chosen.
inline QDateTime deliveryAt(const QDateTime &now, int hours, int minutes)
{
    return now.addSecs(qint64(hours) * 3600 + qint64(minutes) * 60);
}

// The customer's most recent order, as the order forms show it.
struct LastOrder {
    QString number;
    QDateTime savedAt;
    QDate businessDate;
    bool dispatched = false;
    bool paid = false;
    QString dispatchNote, paymentMethod, deliveryWorker, discount;
    Money pointsUsed, roundOff;
};

// Lookups and the repeat-call choices of the takeaway order forms.
class TakeawayDesk {
public:
    explicit TakeawayDesk(AppContext &ctx);

    // Customers whose registered numbers contain `number` (one customer may
    // hold several numbers joined by ","), oldest first.
    QList<qint64> customersByPhone(const QString &number);
    QList<qint64> customersByMemberCode(const QString &code);
    QList<qint64> customersByQq(const QString &qq);
    QList<qint64> customersByAddress(const QString &address);
    // The customer of the most recently saved order line.
    std::optional<qint64> previousCustomer();

    std::optional<LastOrder> lastOrder(qint64 customerId);
    // The caller ordered within 再次来电提醒时间 hours: ask what he wants.
    bool repeatCallDue(const LastOrder &order) const;

    // "修改订单": the last order's lines go into the cart as saved lines.
    void reenter(const QString &cartKey, const LastOrder &order);
    // "取消订单": the refusal for a paid order, else empty; `question` gets
    // the confirmation to ask.
    QString cancelRefusal(const LastOrder &order, QString *question) const;
    // Deletes the order; its lines are kept in 订单删除日志 with who and when.
    void cancel(const LastOrder &order);
    // "按上次记录点菜": copies the last order's lines into the cart as new
    // lines. Returns the refusal to show, or empty.
    QString reuse(const QString &cartKey, const QString &customerId, const QString &lastOrderNumber);

private:
    QList<qint64> ids(const QString &sql, const QVariant &value);
    AppContext &m_ctx;
};

} // namespace lanfan
