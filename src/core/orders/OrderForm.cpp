#include "orders/OrderForm.h"

#include "app/AppContext.h"
#include "common/Money.h"
#include "data/Db.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {
const QString kNoCustomer = u"无"_s;
const QString kPeriodText = u"    优惠时段，优惠折扣："_s;
} // namespace

OrderFormVariant OrderFormVariant::callPopup()
{
    OrderFormVariant v;
    v.form = TakeawayDraft::Form::CallPopup;
    v.caption = u"来电订餐"_s;
    v.periodCaptionBase = QString(); // the caption the intake gave
    v.paymentItems = {u"现金"_s, u"签单"_s};
    v.payNowCaption = u"直接收款"_s;
    v.saveCustomerCaption = u"保存客户资料"_s;
    v.pickerMode = PickerMode::Sale2;
    v.printSource = printing::PrintSource::CallPopup;
    return v;
}

OrderFormVariant OrderFormVariant::manualTakeaway()
{
    OrderFormVariant v;
    v.form = TakeawayDraft::Form::ManualTakeaway;
    v.caption = u"手工开单--外卖模式"_s;
    v.periodCaptionBase = u"手工开单"_s;
    v.paymentItems = {u"现金"_s, u"帐户支付"_s, u"签单"_s};
    v.payNowCaption = u"直接收现金"_s;
    v.saveCustomerCaption = u"只保存客户信息"_s;
    v.hasCallNumber = false;
    v.hasMultiCustomerTab = false;
    v.hasModifyLastOrder = false;
    v.hasQqAndAddressLookups = true;
    v.hasCloseAfterSave = true;
    v.readOnlyAccountFields = true;
    v.kitchenPrinterColumn = true;
    v.hiddenOnClose = true;
    v.pickerMode = PickerMode::Sale;
    v.printSource = printing::PrintSource::Takeaway;
    return v;
}

QString discountPeriodCaption(const OrderFormVariant &variant, const QString &baseCaption, const QString &rate)
{
    const QString base = variant.periodCaptionBase.isEmpty() ? baseCaption : variant.periodCaptionBase;
    return base + kPeriodText + rate;
}

QString numberBoxRefusal(const TakeawayDraft &draft)
{
    struct Box {
        const QString &text;
        const char16_t *label;
        bool dashIsZero;
    };
    const Box boxes[] = {
        {draft.balanceText, u"帐户余额", false}, {draft.pointsUsedText, u"使用积分", false},
        {draft.roundOffText, u"抹零", true},     {draft.discountText, u"打折", false},
        {draft.feeText, u"服务费", false},       {draft.taxText, u"税率", false},
    };
    for (const Box &box : boxes) {
        const QString text = box.text.trimmed();
        if (text.isEmpty() || (box.dashIsZero && text == u"-"))
            continue;
        if (!Money::parse(text))
            return QString::fromUtf16(box.label) + u"只能输入数字：“"_s + text + u"”不是数字"_s;
    }
    return {};
}

QString CallOutcome::result() const
{
    if (!orderNumber.isEmpty())
        return u"订餐"_s;
    return recordingPath.isEmpty() ? u"未接电话"_s : u"未订餐"_s;
}

int recordCallOutcome(Db &db, const CallOutcome &outcome)
{
    const QString set = u"update 来电历史记录表 set 处理结果=:处理结果,录音文件=:录音文件,订单编号=:订单编号,"
                        u"客户名称=:客户名称,客户编号=:客户编号,联系地址=:联系地址 "_s;
    SqlParams params{{u"处理结果"_s, outcome.result()},
                     {u"录音文件"_s, outcome.recordingPath},
                     {u"订单编号"_s, outcome.orderNumber},
                     {u"客户名称"_s, outcome.customerName},
                     {u"客户编号"_s, outcome.customerId},
                     {u"联系地址"_s, outcome.address}};
    if (!outcome.historyId.isEmpty()) {
        params.insert(u"编号"_s, outcome.historyId.toLongLong());
        return db.execute(set + u"where 编号=:编号"_s, params);
    }
    params.insert(u"来电时间"_s, outcome.callTime);
    return db.execute(set + u"where 来电时间=:来电时间"_s, params);
}

void CustomerOnlySaver::update(const CustomerOnly &c, const QString &id, const QString &phone)
{
    Db &db = m_ctx.db();
    db.execute(u"update 客户资料 set 客户姓名=:客户姓名,联系电话=:联系电话,客户类型=:客户类型,客户地区=:客户地区,"
               u"客户备注=:客户备注,黑名单=:黑名单 where id=:id"_s,
               {{u"客户姓名"_s, c.name},
                {u"联系电话"_s, phone},
                {u"客户类型"_s, c.type},
                {u"客户地区"_s, c.area},
                {u"客户备注"_s, c.remark},
                {u"黑名单"_s, c.blacklisted ? u"是"_s : u"否"_s},
                {u"id"_s, id.toLongLong()}});
    if (c.addressMode == u"修改默认地址")
        db.execute(u"update 客户资料 set 联系地址=:联系地址 where id=:id"_s,
                   {{u"联系地址"_s, c.address}, {u"id"_s, id.toLongLong()}});
    else if (!c.address.trimmed().isEmpty()) {
        // Another address of the customer; one already known is not repeated.
        const qint64 known = db.scalar(u"select count(*) from 多个地址 where 客户编号=:客户编号 and 客户地址=:客户地址"_s,
                                       {{u"客户编号"_s, id}, {u"客户地址"_s, c.address}})
                                 .toLongLong();
        const qint64 isDefault = db.scalar(u"select count(*) from 客户资料 where id=:id and 联系地址=:联系地址"_s,
                                           {{u"id"_s, id.toLongLong()}, {u"联系地址"_s, c.address}})
                                     .toLongLong();
        if (known == 0 && isDefault == 0)
            db.execute(u"insert into 多个地址 (客户编号,客户地址) values (:客户编号,:客户地址)"_s,
                       {{u"客户编号"_s, id}, {u"客户地址"_s, c.address}});
    }
}

CustomerOnlyOutcome CustomerOnlySaver::save(const CustomerOnly &c)
{
    CustomerOnlyOutcome out;
    Db &db = m_ctx.db();
    try {
        if (c.customerId != kNoCustomer && !c.customerId.isEmpty()) {
            Transaction tx(db);
            update(c, c.customerId, c.phone);
            tx.commit();
            out.status = CustomerOnlyOutcome::Status::Saved;
            out.customerId = c.customerId;
            out.phoneShown = c.phone;
            out.message = u"客户资料保存成功"_s;
            return out;
        }
        const SqlRow same = db.first(u"select id from 客户资料 where 客户姓名=:客户姓名 and 联系地址=:联系地址"_s,
                                     {{u"客户姓名"_s, c.name}, {u"联系地址"_s, c.address}});
        if (!same.values().isEmpty()) {
            out.status = CustomerOnlyOutcome::Status::NeedsMerge;
            out.existingId = same.text(u"id"_s);
            out.message = mergeQuestion();
            return out;
        }
        const qint64 id = db.insert(
            u"insert into 客户资料 (客户姓名,联系电话,联系地址,客户类型,客户单位,客户地区,客户备注,购物次数,购物金额,黑名单,帐户余额) "
            u"values (:客户姓名,:联系电话,:联系地址,:客户类型,:客户单位,:客户地区,:客户备注,0,0,:黑名单,0)"_s,
            {{u"客户姓名"_s, c.name},
             {u"联系电话"_s, c.phone},
             {u"联系地址"_s, c.address},
             {u"客户类型"_s, c.type},
             {u"客户单位"_s, c.company},
             {u"客户地区"_s, c.area},
             {u"客户备注"_s, c.remark},
             {u"黑名单"_s, c.blacklisted ? u"是"_s : u"否"_s}});
        out.status = CustomerOnlyOutcome::Status::Saved;
        out.customerId = QString::number(id);
        out.phoneShown = c.phone;
        out.message = u"客户资料保存成功"_s;
    } catch (const SqlError &e) {
        out.status = CustomerOnlyOutcome::Status::Failed;
        out.message = e.text();
    }
    return out;
}

CustomerOnlyOutcome CustomerOnlySaver::merge(const CustomerOnly &c, const QString &existingId)
{
    CustomerOnlyOutcome out;
    Db &db = m_ctx.db();
    try {
        Transaction tx(db);
        const QString old = db.scalar(u"select 联系电话 from 客户资料 where id=:id"_s, {{u"id"_s, existingId.toLongLong()}})
                                .toString();
        const QStringList numbers = old.split(u',', Qt::SkipEmptyParts);
        QString joined = old;
        if (!c.phone.isEmpty() && !numbers.contains(c.phone))
            joined = old.isEmpty() ? c.phone : old + u',' + c.phone;
        update(c, existingId, joined);
        tx.commit();
        out.status = CustomerOnlyOutcome::Status::Saved;
        out.customerId = existingId;
        out.phoneShown = joined;
        out.message = u"客户资料保存成功"_s;
    } catch (const SqlError &e) {
        out.status = CustomerOnlyOutcome::Status::Failed;
        out.message = e.text();
    }
    return out;
}

} // namespace lanfan
