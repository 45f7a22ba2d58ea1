#include "CustomerPicker.h"

#include "orders/Totals.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QList<std::pair<PickerMode, QString>> &modeTexts()
{
    static const QList<std::pair<PickerMode, QString>> texts = {
        {PickerMode::Sale, u"销售"_s},          {PickerMode::Sale2, u"销售2"_s},
        {PickerMode::DineIn, u"堂食"_s},        {PickerMode::Barcode, u"条码销售"_s},
        {PickerMode::Modify, u"修改"_s},        {PickerMode::ConsumptionQuery, u"客户消费查询"_s},
        {PickerMode::PointsRedemption, u"积分兑换"_s}};
    return texts;
}

QString rateText(const QVariant &v)
{
    if (v.isNull() || v.toString().trimmed().isEmpty())
        return {};
    return Money::fromVariant(v).toString();
}

} // namespace

PickerMode pickerModeFromText(const QString &text)
{
    for (const auto &[mode, t] : modeTexts())
        if (t == text)
            return mode;
    return PickerMode::None;
}

QString pickerModeText(PickerMode mode)
{
    for (const auto &[m, t] : modeTexts())
        if (m == mode)
            return t;
    return {};
}

bool pickerCopiesWholeCustomer(PickerMode mode)
{
    switch (mode) {
    case PickerMode::Sale:
    case PickerMode::Sale2:
    case PickerMode::DineIn:
    case PickerMode::Barcode:
    case PickerMode::Modify: return true;
    default: return false;
    }
}

bool pickerShowsLastOrder(PickerMode mode)
{
    return mode == PickerMode::Sale || mode == PickerMode::Sale2;
}

QString pickerDiscount(PickerMode mode, const QString &typeRate, const QString &periodRate)
{
    const QVariant type = typeRate.trimmed().isEmpty() ? QVariant() : QVariant(typeRate.trimmed());
    switch (mode) {
    case PickerMode::Sale:
    case PickerMode::Sale2: return chooseDiscountRate(periodRate.trimmed().isEmpty() ? u"10"_s : periodRate, type, true);
    case PickerMode::DineIn:
    case PickerMode::Barcode:
    case PickerMode::Modify: return chooseDiscountRate(u"10"_s, type, false);
    default: return {};
    }
}

CreditMark creditMarkFor(const QString &rating)
{
    if (rating == u"中"_s)
        return {CreditMark::Colour::Blue, u"客户信用等级：中"_s};
    if (rating == u"好"_s)
        return {CreditMark::Colour::Green, u"客户信用等级：好"_s};
    if (rating == u"差"_s)
        return {CreditMark::Colour::Red, u"客户信用等级：差"_s};
    if (rating.isEmpty())
        return {CreditMark::Colour::Hidden, {}};
    return {CreditMark::Colour::Unchanged, {}};
}

QString CustomerTransfer::paymentMethodAfter(const QString &current) const
{
    return balance > Money() ? accountPayment() : current;
}

CustomerTransfer customerTransfer(Db &db, qint64 id, PickerMode mode, const QString &periodRate)
{
    CustomerTransfer t;
    t.mode = mode;
    const SqlRow r = db.first(u"select * from 客户资料 where id=:id"_s, {{u"id"_s, id}});
    if (r.values().isEmpty())
        return t;
    t.id = r.integer(u"id"_s);
    t.name = r.text(u"客户姓名"_s);
    t.phone = r.text(u"联系电话"_s);
    if (mode == PickerMode::ConsumptionQuery)
        return t;
    t.type = r.text(u"客户类型"_s);
    t.card = r.text(u"手工编码"_s);
    t.company = r.text(u"客户单位"_s);
    t.address = r.text(u"联系地址"_s);
    t.points = r.money(u"积分"_s);
    if (mode == PickerMode::PointsRedemption)
        return t;

    t.area = r.text(u"客户地区"_s);
    t.remark = r.text(u"客户备注"_s);
    t.qq = r.text(u"QQ"_s);
    t.purchaseCount = r.money(u"购物次数"_s);
    t.purchaseAmount = r.money(u"购物金额"_s);
    t.balance = r.money(u"帐户余额"_s);
    t.blacklisted = r.text(u"黑名单"_s) == u"是"_s;
    t.credit = r.text(u"信用等级"_s);
    for (const SqlRow &a : db.rows(u"select 客户地址 from 多个地址 where 客户编号=:客户编号 order by id"_s, {{u"客户编号"_s, id}}))
        t.otherAddresses << a.text(u"客户地址"_s);

    t.discount = pickerDiscount(mode, rateText(customerTypeRate(db, t.type)), periodRate);

    if (pickerShowsLastOrder(mode)) {
        const SqlRow last = db.first(
            db.dialect().firstRowOnly(u"select 单据编号 from 产品销售开票 where 客户编号=:客户编号 order by id desc"_s),
            {{u"客户编号"_s, QString::number(id)}});
        t.lastOrderNumber = last.text(u"单据编号"_s);
        if (!t.lastOrderNumber.isEmpty())
            t.lastOrderLines = db.rows(u"select * from 产品销售开票 where 单据编号=:单据编号 order by id"_s,
                                       {{u"单据编号"_s, t.lastOrderNumber}});
    }
    return t;
}

bool CustomerPickRequest::deliver(const CustomerTransfer &transfer) const
{
    if (!isActive())
        return false;
    m_receiver(transfer);
    return true;
}

} // namespace lanfan
