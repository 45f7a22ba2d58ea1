#pragma once

#include "common/Money.h"
#include "data/Db.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace lanfan {

// Who asked the customer list for a customer, by the mode text that form
// stores in the list.
enum class PickerMode {
    None,             // the list is not a picker
    Sale,             // "销售": the manual takeaway form
    Sale2,            // "销售2": a call order form
    DineIn,           // "堂食"
    Barcode,          // "条码销售": the retail form
    Modify,           // "修改": order modification
    ConsumptionQuery, // "客户消费查询"
    PointsRedemption, // "积分兑换"
};

PickerMode pickerModeFromText(const QString &text);
QString pickerModeText(PickerMode mode);
// The forms that take the whole customer (the order forms and the modification form).
bool pickerCopiesWholeCustomer(PickerMode mode);
// The forms that also show the customer's last order.
bool pickerShowsLastOrder(PickerMode mode);

// The discount a picked customer brings to the asking form. `typeRate` is
// the customer type's 折扣率 (empty when none); `periodRate` is the rate of
// the discount period in force when the form was shown ("10" when none).
// Takeaway and call forms: the type's rate when it is set and not greater
// than the period rate, else the period rate. Dine-in, retail and
// modification: the type's rate, "10" when empty. Other forms: empty.
QString pickerDiscount(PickerMode mode, const QString &typeRate, const QString &periodRate);

// The credit mark an order form shows for a rating.
struct CreditMark {
    enum class Colour { Hidden, Blue, Green, Red, Unchanged };
    Colour colour = Colour::Hidden;
    QString hint;
};
CreditMark creditMarkFor(const QString &rating);

// Everything the list hands to the form that asked for a customer.
struct CustomerTransfer {
    PickerMode mode = PickerMode::None;
    qint64 id = 0;
    QString type;
    QString area;
    QString name;
    QString company;
    QString remark;
    QString card;
    QString phone;
    QString qq;
    QString address;              // the default address
    QStringList otherAddresses;   // further choices of the address box
    Money purchaseCount;
    Money purchaseAmount;
    Money points;
    Money balance;
    bool blacklisted = false;
    QString credit;
    QString discount;             // empty when the mode takes none
    QString lastOrderNumber;      // for the forms that show the last order
    QList<SqlRow> lastOrderLines;

    // The payment method after the pick: "帐户支付" for a positive balance,
    // otherwise the form's current method, unchanged.
    QString paymentMethodAfter(const QString &current) const;
    static QString accountPayment() { return QStringLiteral("帐户支付"); }
};

// Reads customer `id` for the mode. The customer must exist.
CustomerTransfer customerTransfer(Db &db, qint64 id, PickerMode mode, const QString &periodRate = QStringLiteral("10"));

// A form's request for a customer: the mode, the discount period rate it
// was shown with, and where the customer goes. The asking form is watched:
// when it is gone, the customer goes nowhere.
class CustomerPickRequest {
public:
    using Receiver = std::function<void(const CustomerTransfer &)>;

    CustomerPickRequest() = default;
    CustomerPickRequest(PickerMode mode, QObject *asker, Receiver receiver, QString periodRate = QStringLiteral("10"))
        : m_mode(mode), m_asker(asker), m_receiver(std::move(receiver)), m_periodRate(std::move(periodRate)) {}

    PickerMode mode() const { return m_mode; }
    QString periodRate() const { return m_periodRate; }
    QObject *asker() const { return m_asker; }
    bool isActive() const { return m_mode != PickerMode::None && m_asker && m_receiver; }

    // Hands the customer to the asking form; false when it is gone.
    bool deliver(const CustomerTransfer &transfer) const;

private:
    PickerMode m_mode = PickerMode::None;
    QPointer<QObject> m_asker;
    Receiver m_receiver;
    QString m_periodRate = QStringLiteral("10");
};

} // namespace lanfan
