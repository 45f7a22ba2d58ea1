#pragma once

#include "common/Money.h"

#include <QDate>
#include <QStringList>
#include <QTime>

namespace lanfan {

class AppContext;

// What a takeaway order form hands to the save: the customer panel, the
// totals strip, the bottom bar and the delivery boxes, as the operator left them.
struct TakeawayDraft {
    enum class Form { CallPopup, ManualTakeaway };
    Form form = Form::CallPopup;

    QString cartKey;                   // the form's rows in 销售临时表
    QString customerId = QStringLiteral("无"); // 客户资料.id, or "无" for a caller nobody knows
    QString name, registeredPhone, callNumber, address, area, company, customerType, remark, memberCode, qq;
    bool blacklisted = false;
    QString addressMode = QStringLiteral("地址不变"); // "修改默认地址", "地址不变", "增加新地址"

    QString balanceText;    // account balance shown
    QString pointsText;     // customer's points shown
    QString purchaseText;   // customer's purchase total shown
    QString totalText;      // total after discount, as shown
    QString discountText = QStringLiteral("10");
    QString roundOffText;   // "抹零", empty or "-" count as 0
    QString pointsUsedText;
    QString feeText, taxText;

    QString paymentMethod = QStringLiteral("现金");
    bool payNow = false;        // "直接收款" / "直接收现金"
    bool inStore = false;       // "店内消费"
    bool smsToWorker = false;   // "短信通知配送工"
    QString deliveryWorker;
    QDate deliveryDate;
    QTime deliveryTime;
    QString dispatchNote;
    QString mealPeriod;         // "午餐", "晚餐", "夜宵"

    QString orderSource;        // how the form was opened ("快速开单", "Q型来电开单", ...)
    QString recordingPath;

    QString reenterOrder;       // re-entering the caller's previous order: its number
    QString reenterPoints;      // and the points it used
};

struct OrderSaveOutcome {
    enum class Status {
        Saved,      // stored whole
        Refused,    // a check refused; nothing was written
        NeedsMerge, // a customer of this name and address exists: ask what to do
        Failed,     // the database refused; nothing was written
    };
    Status status = Status::Refused;
    QString message;          // what to show (refusal, error, or "订单录入完毕！！" when the setting asks for it)
    QString orderNumber;
    QString customerId;
    Money accountBalanceAfter;
    QString existingCustomerId; // NeedsMerge: the customer found
    QString existingPhones;     // NeedsMerge: his registered numbers
    QString mergedPhones;       // after a merge: the numbers the phone box now shows
    QString clipboardText;      // when 自动粘贴到剪切板 is "是"
    bool checkLowStock = false; // the attempt got past the phone check

    bool saved() const { return status == Status::Saved; }
};

// Saves takeaway orders: the customer, the account payment, the address,
// every cart line, the stock and the SMS to the delivery worker, all in one
// transaction together with the order number.
class TakeawaySaver {
public:
    explicit TakeawaySaver(AppContext &ctx);

    OrderSaveOutcome save(const TakeawayDraft &draft);
    // The two answers to the same-name-and-address question.
    OrderSaveOutcome mergeIntoExisting(const TakeawayDraft &draft, const QString &existingId);
    OrderSaveOutcome saveAsNewCustomer(const TakeawayDraft &draft);

    // Names of the dishes at or below their low-stock alarm level.
    QStringList lowStockDishes();

private:
    OrderSaveOutcome checks(const TakeawayDraft &draft, Money *total, Money *accountPay);
    void writeLines(const TakeawayDraft &draft, const QString &number, const QString &customerId, Money total,
                    Money accountPay, Money balanceAfter);
    OrderSaveOutcome finish(const TakeawayDraft &draft, OrderSaveOutcome out, Money total);
    Money earnedPoints(const TakeawayDraft &draft, Money total, Money accountPay, bool newCustomer) const;
    bool settledNow(const TakeawayDraft &draft) const;
    QString errorPrefix(const TakeawayDraft &draft) const;

    AppContext &m_ctx;
};

// The order as one line of text for a messaging tool:
// number/name/phone/address[dish1份dish2份]总计:X元/delivery/worker.
QString orderSummaryText(const QString &orderNumber, const QString &name, const QString &phone,
                         const QString &address, const QList<QPair<QString, Money>> &lines, const QString &totalText,
                         const QString &delivery, const QString &worker);

} // namespace lanfan
