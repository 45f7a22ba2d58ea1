#pragma once

#include "customers/CustomerPicker.h"
#include "orders/OrderSave.h"
#include "printing/PrintSources.h"

#include <QString>
#include <QStringList>

namespace lanfan {

class AppContext;
class Db;

// What tells the call popup and the manual takeaway form apart. Both windows
// are one implementation; this is its only switch.
struct OrderFormVariant {
    TakeawayDraft::Form form = TakeawayDraft::Form::CallPopup;
    QString caption;                 // window caption outside a discount period
    QString periodCaptionBase;       // what the discount-period text is appended to
    QStringList paymentItems;        // items of the payment box
    QString payNowCaption;           // "直接收款" / "直接收现金"
    QString saveCustomerCaption;     // "保存客户资料" / "只保存客户信息"
    bool hasCallNumber = true;       // "本次来电", call-history row, repeat-call prompt
    bool hasMultiCustomerTab = true; // "一个电话对应多个用户"
    bool hasModifyLastOrder = true;  // "修改上次订单"
    bool hasQqAndAddressLookups = false;
    bool hasCloseAfterSave = false;  // "保存后关闭"
    bool readOnlyAccountFields = false; // purchase count, amount and balance
    bool kitchenPrinterColumn = false;
    bool hiddenOnClose = false;      // one instance that is hidden, not freed
    PickerMode pickerMode = PickerMode::Sale2;
    printing::PrintSource printSource = printing::PrintSource::CallPopup;

    bool isCallPopup() const { return form == TakeawayDraft::Form::CallPopup; }

    static OrderFormVariant callPopup();
    static OrderFormVariant manualTakeaway();
};

// The window caption in a discount period: the base text followed by
// "    优惠时段，优惠折扣：" and the rate (the manual form's base already ends
// with the spaces).
QString discountPeriodCaption(const OrderFormVariant &variant, const QString &baseCaption, const QString &rate);

// A letter typed into a number box of the form (balance, points used,
// rounding-off, discount, fee, tax) refuses the save before anything is
// written: the message to show, or empty when every box holds a number.
// Empty boxes count as 0; the rounding-off box also takes "-".
QString numberBoxRefusal(const TakeawayDraft &draft);

// Closing a call popup: what the call-history row says happened.
// "订餐" with the order number once an order was saved; otherwise
// "未订餐" when the call was recorded, "未接电话" when it was not.
struct CallOutcome {
    QString historyId;   // 来电历史记录表.编号 when the intake gave it
    QString callTime;    // 来电时间, the row's key otherwise
    QString recordingPath;
    QString orderNumber; // empty: no order saved
    QString customerName, customerId, address;

    QString result() const;
};

// Writes the outcome into the call-history row: the row with the intake's
// id when there is one, else the row of that call time. Returns the rows
// changed.
int recordCallOutcome(Db &db, const CallOutcome &outcome);

// "保存客户资料" / "只保存客户信息": the customer record without an order.
struct CustomerOnly {
    QString customerId = QStringLiteral("无");
    QString name, phone, address, type, company, area, remark;
    bool blacklisted = false;
    QString addressMode = QStringLiteral("地址不变");
};

struct CustomerOnlyOutcome {
    enum class Status { Saved, NeedsMerge, Failed };
    Status status = Status::Failed;
    QString message;      // "客户资料保存成功", the question, or the error
    QString customerId;   // the saved customer
    QString existingId;   // NeedsMerge: the customer of that name and address
    QString phoneShown;   // the registered numbers after the save
};

class CustomerOnlySaver {
public:
    explicit CustomerOnlySaver(AppContext &ctx) : m_ctx(ctx) {}

    // A registered customer is updated (and the address kept as the mode
    // says); a new one is inserted unless a customer of the same name and
    // address exists, which asks whether to merge.
    CustomerOnlyOutcome save(const CustomerOnly &customer);
    // The answer OK to the merge question: the existing customer is updated,
    // with the new number joined to his numbers.
    CustomerOnlyOutcome merge(const CustomerOnly &customer, const QString &existingId);

    static QString mergeQuestion() { return QStringLiteral("客户姓名和联系地址同时存在，合并老客户资料并继续吗？"); }

private:
    void update(const CustomerOnly &customer, const QString &id, const QString &phone);
    AppContext &m_ctx;
};

} // namespace lanfan
