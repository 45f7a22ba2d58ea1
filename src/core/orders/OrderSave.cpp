#include "OrderSave.h"

#include "app/AppContext.h"
#include "common/BusinessDay.h"
#include "common/Clock.h"
#include "data/Db.h"
#include "orders/OrderNumber.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QString kNoCustomer = u"无"_s;
const QString kAccountPay = u"帐户支付"_s;

Money amountOf(const QString &text)
{
    return Money::parseOrZero(text.trimmed() == u"-" ? QString() : text);
}

struct CartLine {
    QString name, flavour, setMeal, discountable, replaces, printer, category;
    Money quantity, price, listPrice, amount, commission;
};

QList<CartLine> cartLines(Db &db, const QString &key)
{
    QList<CartLine> out;
    for (const SqlRow &r : db.rows(u"select * from 销售临时表 where 时间=:key order by ID"_s, {{u"key"_s, key}})) {
        CartLine l;
        l.name = r.text(u"产品名称"_s);
        l.flavour = r.text(u"口味"_s);
        l.setMeal = r.text(u"套餐名称"_s);
        l.discountable = r.text(u"是否打折"_s);
        l.replaces = r.text(u"默认菜品"_s);
        l.printer = r.text(u"后厨打印机"_s);
        l.category = r.text(u"菜品种类"_s);
        l.quantity = r.money(u"数量"_s);
        l.price = r.money(u"单价"_s);
        l.listPrice = r.isNull(u"原价"_s) ? l.price : r.money(u"原价"_s);
        l.amount = r.money(u"应付货款"_s);
        l.commission = r.money(u"提成"_s);
        out.append(l);
    }
    return out;
}

QString orderState(bool dispatched, bool paid)
{
    if (dispatched)
        return paid ? u"已发货已收款"_s : u"已发货未收款"_s;
    return paid ? u"未发货已收款"_s : u"未发货未收款"_s;
}

} // namespace

TakeawaySaver::TakeawaySaver(AppContext &ctx) : m_ctx(ctx)
{
}

QString TakeawaySaver::errorPrefix(const TakeawayDraft &draft) const
{
    return draft.form == TakeawayDraft::Form::ManualTakeaway ? u"101错误提示："_s : u"102错误提示："_s;
}

bool TakeawaySaver::settledNow(const TakeawayDraft &draft) const
{
    // Settled at the counter: nothing left to pay, or paid in cash on the manual form.
    const bool nothingDue = amountOf(draft.totalText).isZero();
    if (draft.form == TakeawayDraft::Form::ManualTakeaway)
        return nothingDue || draft.payNow;
    return nothingDue;
}

Money TakeawaySaver::earnedPoints(const TakeawayDraft &draft, Money total, Money accountPay, bool newCustomer) const
{
    const Money rule = amountOf(m_ctx.settings().shop(u"积分规则"_s));
    const Money used = amountOf(draft.pointsUsedText);
    Money base;
    if (!accountPay.isZero())
        base = accountPay;
    else if (draft.form == TakeawayDraft::Form::ManualTakeaway && draft.payNow)
        base = total;
    const Money earned = rule.isZero() ? Money() : base.dividedBy(rule);
    return newCustomer ? earned : earned - used;
}

OrderSaveOutcome TakeawaySaver::checks(const TakeawayDraft &draft, Money *total, Money *accountPay)
{
    OrderSaveOutcome out;
    out.status = OrderSaveOutcome::Status::Refused;
    Db &db = m_ctx.db();
    if (db.scalar(u"select count(*) from 销售临时表 where 时间=:key"_s, {{u"key"_s, draft.cartKey}}).toLongLong() == 0) {
        out.message = u"购物车不能空，不能保存订单！！"_s;
        return out;
    }
    *total = amountOf(draft.totalText);
    *accountPay = Money();
    if (draft.paymentMethod == kAccountPay) {
        if (draft.customerId == kNoCustomer || draft.customerId.isEmpty()) {
            out.message = u"未注册用户不能使用帐户支付"_s;
            return out;
        }
        if (*total > amountOf(draft.balanceText)) {
            out.message = u"帐户余额不足！！"_s;
            return out;
        }
        *accountPay = *total;
    }
    const bool manual = draft.form == TakeawayDraft::Form::ManualTakeaway;
    if (!manual || !draft.inStore) {
        if (draft.registeredPhone.trimmed().isEmpty()) {
            out.message = u"客户电话不能空！！"_s;
            out.checkLowStock = !manual;
            return out;
        }
        if (manual && draft.address.trimmed().isEmpty()) {
            out.message = u"客户地址不能空！！"_s;
            return out;
        }
    }
    out.status = OrderSaveOutcome::Status::Saved;
    return out;
}

OrderSaveOutcome TakeawaySaver::save(const TakeawayDraft &input)
{
    Money total, accountPay;
    OrderSaveOutcome out = checks(input, &total, &accountPay);
    if (out.status != OrderSaveOutcome::Status::Saved)
        return out;
    out.checkLowStock = true;
    TakeawayDraft draft = input;
    if (draft.name.isEmpty())
        draft.name = u"  "_s;

    Db &db = m_ctx.db();
    const bool registered = draft.customerId != kNoCustomer && !draft.customerId.isEmpty();
    if (!registered && m_ctx.settings().is(u"地址姓名重复提示"_s, u"是"_s)) {
        const SqlRow same = db.first(u"select id, 联系电话 from 客户资料 where 客户姓名=:客户姓名 and 联系地址=:联系地址"_s,
                                     {{u"客户姓名"_s, draft.name}, {u"联系地址"_s, draft.address}});
        if (!same.values().isEmpty()) {
            out.status = OrderSaveOutcome::Status::NeedsMerge;
            out.message = u"客户姓名和联系地址同时存在，讲此电话合并到老客户资料并继续吗？"_s;
            out.existingCustomerId = same.text(u"id"_s);
            out.existingPhones = same.text(u"联系电话"_s);
            return out;
        }
    }

    try {
        Transaction tx(db);
        const QDate day = businessDate(m_ctx.clock().now(), m_ctx.settings().intValue(u"营业延长时间"_s));
        QString orderNumber;
        if (!draft.reenterOrder.isEmpty() && draft.form == TakeawayDraft::Form::CallPopup) {
            // Re-entering the caller's previous order: its lines are replaced
            // and the points it used given back, in the same transaction.
            orderNumber = draft.reenterOrder;
            db.execute(u"delete from 产品销售开票 where 单据编号=:单据编号"_s, {{u"单据编号"_s, orderNumber}});
            if (registered)
                db.execute(u"update 客户资料 set 积分=coalesce(积分,0)+:积分 where id=:id"_s,
                           {{u"积分"_s, moneyParam(amountOf(draft.reenterPoints))}, {u"id"_s, draft.customerId}});
        } else {
            orderNumber = takeOrderNumber(db, day);
        }

        const bool settled = settledNow(draft);
        const Money pointValue = amountOf(m_ctx.settings().shop(u"积分抵现金"_s));
        const Money purchase = settled ? amountOf(draft.pointsUsedText).times(pointValue) : Money();
        QString customerId = draft.customerId;
        Money balanceAfter;
        if (registered) {
            const SqlRow before = db.first(u"select 帐户余额 from 客户资料 where id=:id"_s, {{u"id"_s, customerId}});
            if (before.values().isEmpty())
                throw SqlError(u"客户资料不存在"_s);
            const Money balanceBefore = before.money(u"帐户余额"_s);
            // Another PC may have spent from the account since the form was filled.
            if (accountPay > balanceBefore) {
                out.status = OrderSaveOutcome::Status::Refused;
                out.message = u"帐户余额不足！！"_s;
                return out;
            }
            const bool manual = draft.form == TakeawayDraft::Form::ManualTakeaway;
            db.execute(u"update 客户资料 set 客户姓名=:客户姓名,联系电话=:联系电话,客户类型=:客户类型,客户地区=:客户地区,"
                       "客户备注=:客户备注,黑名单=:黑名单,购物次数=coalesce(购物次数,0)+:购物次数,"
                       "购物金额=coalesce(购物金额,0)+:购物金额,积分=coalesce(积分,0)+:积分,"
                       "帐户余额=coalesce(帐户余额,0)-:本次消费,手工编码=:手工编码"_s
                           + (manual ? u",qq=:qq"_s : QString()) + u" where id=:id"_s,
                       {{u"客户姓名"_s, draft.name},
                        {u"联系电话"_s, draft.registeredPhone},
                        {u"客户类型"_s, draft.customerType},
                        {u"客户地区"_s, draft.area},
                        {u"客户备注"_s, draft.remark},
                        {u"黑名单"_s, draft.blacklisted ? u"是"_s : u"否"_s},
                        {u"购物次数"_s, settled ? 1 : 0},
                        {u"购物金额"_s, moneyParam(purchase)},
                        {u"积分"_s, moneyParam(earnedPoints(draft, total, accountPay, false))},
                        {u"本次消费"_s, moneyParam(accountPay)},
                        {u"手工编码"_s, draft.memberCode},
                        {u"qq"_s, draft.qq},
                        {u"id"_s, customerId}});
            balanceAfter = amountOf(draft.balanceText) - accountPay;
            if (!accountPay.isZero()) {
                const Money after = Money::fromVariant(
                    db.scalar(u"select 帐户余额 from 客户资料 where id=:id"_s, {{u"id"_s, customerId}}));
                balanceAfter = after;
                db.execute(u"insert into 充值记录 (客户编号,客户姓名,客户类型,客户地区,联系电话,充值前余额,充值金额,充值后余额,"
                           "充值时间,类型,单据编号) values (:客户编号,:客户姓名,:客户类型,:客户地区,:联系电话,:充值前余额,"
                           ":充值金额,:充值后余额,:充值时间,'下单扣除',:单据编号)"_s,
                           {{u"客户编号"_s, customerId},
                            {u"客户姓名"_s, draft.name},
                            {u"客户类型"_s, draft.customerType},
                            {u"客户地区"_s, draft.area},
                            {u"联系电话"_s, draft.registeredPhone},
                            {u"充值前余额"_s, moneyParam(balanceBefore)},
                            {u"充值金额"_s, moneyParam(-accountPay)},
                            {u"充值后余额"_s, moneyParam(after)},
                            {u"充值时间"_s, m_ctx.clock().now()},
                            {u"单据编号"_s, orderNumber}});
            }
            if (draft.addressMode == u"修改默认地址") {
                db.execute(u"update 客户资料 set 联系地址=:联系地址 where id=:id"_s,
                           {{u"联系地址"_s, draft.address}, {u"id"_s, customerId}});
            } else if (!draft.address.trimmed().isEmpty()) {
                // The delivery address joins the customer's other addresses
                // unless he has it already.
                const bool known = db.scalar(u"select count(*) from 客户资料 where id=:id and 联系地址=:a"_s,
                                             {{u"id"_s, customerId}, {u"a"_s, draft.address}}).toLongLong() > 0
                                   || db.scalar(u"select count(*) from 多个地址 where 客户编号=:id and 客户地址=:a"_s,
                                                {{u"id"_s, customerId.toLongLong()}, {u"a"_s, draft.address}}).toLongLong() > 0;
                if (!known)
                    db.execute(u"insert into 多个地址 (客户编号,客户地址) values (:客户编号,:客户地址)"_s,
                               {{u"客户编号"_s, customerId.toLongLong()}, {u"客户地址"_s, draft.address}});
            }
        } else {
            customerId = QString::number(db.insert(
                u"insert into 客户资料 (客户姓名,联系电话,联系地址,客户类型,客户单位,客户地区,客户备注,购物次数,购物金额,积分,"
                "帐户余额,手工编码,qq) values (:客户姓名,:联系电话,:联系地址,:客户类型,:客户单位,:客户地区,:客户备注,"
                ":购物次数,:购物金额,:积分,0,:手工编码,:qq)"_s,
                {{u"客户姓名"_s, draft.name},
                 {u"联系电话"_s, draft.registeredPhone},
                 {u"联系地址"_s, draft.address},
                 {u"客户类型"_s, draft.customerType},
                 {u"客户单位"_s, draft.company},
                 {u"客户地区"_s, draft.area},
                 {u"客户备注"_s, draft.remark},
                 {u"购物次数"_s, settled ? 1 : 0},
                 {u"购物金额"_s, moneyParam(purchase)},
                 {u"积分"_s, moneyParam(earnedPoints(draft, total, accountPay, true))},
                 {u"手工编码"_s, draft.memberCode},
                 {u"qq"_s, draft.form == TakeawayDraft::Form::ManualTakeaway ? QVariant(draft.qq) : QVariant()}}));
        }
        writeLines(draft, orderNumber, customerId, total, accountPay, balanceAfter);
        tx.commit();
        out.orderNumber = orderNumber;
        out.customerId = customerId;
        out.accountBalanceAfter = balanceAfter;
    } catch (const SqlError &e) {
        out.status = OrderSaveOutcome::Status::Failed;
        out.message = errorPrefix(draft) + e.text();
        return out;
    }
    return finish(draft, out, total);
}

OrderSaveOutcome TakeawaySaver::mergeIntoExisting(const TakeawayDraft &input, const QString &existingId)
{
    TakeawayDraft draft = input;
    draft.reenterOrder.clear();
    Money total, accountPay;
    OrderSaveOutcome out = checks(draft, &total, &accountPay);
    if (out.status != OrderSaveOutcome::Status::Saved)
        return out;
    out.checkLowStock = true;
    Db &db = m_ctx.db();
    try {
        Transaction tx(db);
        const QString phones = db.scalar(u"select 联系电话 from 客户资料 where id=:id"_s, {{u"id"_s, existingId}}).toString();
        const QStringList known = phones.split(u',', Qt::SkipEmptyParts);
        const QString merged = known.contains(draft.registeredPhone) || phones.isEmpty()
                                   ? (phones.isEmpty() ? draft.registeredPhone : phones)
                                   : draft.registeredPhone + u',' + phones;
        const QString number = takeOrderNumber(db, businessDate(m_ctx.clock().now(), m_ctx.settings().intValue(u"营业延长时间"_s)));
        const bool settled = settledNow(draft);
        const Money purchase = settled ? Money::parseOrZero(draft.pointsUsedText).times(
                                             Money::parseOrZero(m_ctx.settings().shop(u"积分抵现金"_s)))
                                       : Money();
        db.execute(u"update 客户资料 set 客户姓名=:客户姓名,联系电话=:联系电话,客户类型=:客户类型,客户地区=:客户地区,"
                   "客户备注=:客户备注,黑名单=:黑名单,购物次数=coalesce(购物次数,0)+:购物次数,"
                   "购物金额=coalesce(购物金额,0)+:购物金额,积分=coalesce(积分,0)+:积分,qq=:qq,"
                   "帐户余额=coalesce(帐户余额,0)-:本次消费,手工编码=:手工编码,联系地址=:联系地址 where id=:id"_s,
                   {{u"客户姓名"_s, draft.name.isEmpty() ? u"  "_s : draft.name},
                    {u"联系电话"_s, merged},
                    {u"客户类型"_s, draft.customerType},
                    {u"客户地区"_s, draft.area},
                    {u"客户备注"_s, draft.remark},
                    {u"黑名单"_s, draft.blacklisted ? u"是"_s : u"否"_s},
                    {u"购物次数"_s, settled ? 1 : 0},
                    {u"购物金额"_s, moneyParam(purchase)},
                    {u"积分"_s, moneyParam(earnedPoints(draft, total, accountPay, false))},
                    {u"qq"_s, draft.qq},
                    {u"本次消费"_s, moneyParam(accountPay)},
                    {u"手工编码"_s, draft.memberCode},
                    {u"联系地址"_s, draft.address},
                    {u"id"_s, existingId}});
        draft.registeredPhone = merged;
        writeLines(draft, number, existingId, total, accountPay, Money());
        tx.commit();
        out.orderNumber = number;
        out.customerId = existingId;
        out.mergedPhones = merged;
    } catch (const SqlError &e) {
        out.status = OrderSaveOutcome::Status::Failed;
        out.message = u"保存失败，错误提示信息"_s + e.text();
        return out;
    }
    return finish(draft, out, total);
}

OrderSaveOutcome TakeawaySaver::saveAsNewCustomer(const TakeawayDraft &input)
{
    TakeawayDraft draft = input;
    draft.reenterOrder.clear();
    draft.customerId = kNoCustomer;
    // The operator chose a new record: do not ask again.
    const QString ask = m_ctx.settings().value(u"地址姓名重复提示"_s);
    m_ctx.settings().setCurrent(u"地址姓名重复提示"_s, u"否"_s, m_ctx.settings().source(u"地址姓名重复提示"_s));
    OrderSaveOutcome out = save(draft);
    m_ctx.settings().setCurrent(u"地址姓名重复提示"_s, ask, m_ctx.settings().source(u"地址姓名重复提示"_s));
    if (out.status == OrderSaveOutcome::Status::Failed)
        out.message = u"保存失败，错误提示信息"_s + out.message.mid(errorPrefix(draft).size());
    return out;
}

void TakeawaySaver::writeLines(const TakeawayDraft &draft, const QString &number, const QString &customerId,
                               Money total, Money accountPay, Money balanceAfter)
{
    Db &db = m_ctx.db();
    const QDateTime now = m_ctx.clock().now();
    const QDate day = businessDate(now, m_ctx.settings().intValue(u"营业延长时间"_s));
    const QString entryTime = now.toString(u"HH:mm:ss"_s);
    const bool manual = draft.form == TakeawayDraft::Form::ManualTakeaway;
    const bool accountPaid = draft.paymentMethod == kAccountPay;
    const bool paid = draft.payNow || accountPaid;
    const QString phone = (!manual && m_ctx.settings().is(u"来电打印电话模式"_s, u"来电号码"_s)) ? draft.callNumber
                                                                                            : draft.registeredPhone;
    QString recording;
    if (!manual) {
        if (draft.orderSource == u"Q型来电开单" || draft.orderSource == u"H型USB来电录音开单")
            recording = draft.recordingPath;
        else if (draft.orderSource == u"快速开单")
            recording = u"快速开单"_s;
    }
    const QDateTime delivery(draft.deliveryDate, draft.deliveryTime);
    QString sms = draft.name + u'/' + draft.registeredPhone + u'/' + draft.address + u'[';

    const QString insert =
        u"insert into 产品销售开票 (单据编号,购物日期,产品名称,数量,应付货款,配送工,客户编号,提成,欠款,区域,地址,电话,时间,"
        "收款方式,客户姓名,送餐日期,送餐时间,发货备注,单价,口味,录音文件,打折,折后金额,抹零金额,QQ,订单状态,发货完毕,交款完毕,"
        "积分,上下午,账户支付,现金收入,代金卷,信用卡收取,发货时间,客户单位,开单日期时间,实付货款,账户余额,客户类型,历史购物总额,"
        "原价,订单类型,送餐日期时间,服务费,税率,套餐名称,是否打折,默认菜品,后厨打印机,使用积分,菜品种类,收款时间) values "
        "(:单据编号,:购物日期,:产品名称,:数量,:应付货款,:配送工,:客户编号,:提成,:欠款,:区域,:地址,:电话,:时间,:收款方式,"
        ":客户姓名,:送餐日期,:送餐时间,:发货备注,:单价,:口味,:录音文件,:打折,:折后金额,:抹零金额,:QQ,:订单状态,:发货完毕,"
        ":交款完毕,:积分,:上下午,:账户支付,:现金收入,:代金卷,:信用卡收取,:发货时间,:客户单位,:开单日期时间,:实付货款,"
        ":账户余额,:客户类型,:历史购物总额,:原价,:订单类型,:送餐日期时间,:服务费,:税率,:套餐名称,:是否打折,:默认菜品,"
        ":后厨打印机,:使用积分,:菜品种类,:收款时间)"_s;

    SqlParams order{
        {u"单据编号"_s, number},
        {u"购物日期"_s, day},
        {u"配送工"_s, draft.deliveryWorker},
        {u"客户编号"_s, customerId},
        {u"区域"_s, draft.area},
        {u"地址"_s, draft.address},
        {u"电话"_s, phone},
        {u"时间"_s, entryTime},
        {u"收款方式"_s, draft.paymentMethod},
        {u"客户姓名"_s, draft.name},
        {u"送餐日期"_s, draft.deliveryDate},
        {u"送餐时间"_s, draft.deliveryTime.toString(u"HH:mm:ss"_s)},
        {u"发货备注"_s, draft.dispatchNote},
        {u"录音文件"_s, recording},
        {u"打折"_s, moneyParam(amountOf(draft.discountText))},
        {u"折后金额"_s, moneyParam(total)},
        {u"抹零金额"_s, moneyParam(amountOf(draft.roundOffText))},
        {u"QQ"_s, draft.qq},
        {u"订单状态"_s, orderState(draft.inStore, paid)},
        {u"发货完毕"_s, draft.inStore},
        {u"交款完毕"_s, paid},
        {u"积分"_s, moneyParam(amountOf(draft.pointsText))},
        {u"上下午"_s, draft.mealPeriod},
        {u"账户支付"_s, accountPaid && !draft.payNow ? moneyParam(total) : QVariant()},
        {u"现金收入"_s, draft.payNow ? moneyParam(total) : QVariant()},
        {u"代金卷"_s, QVariant()},
        {u"信用卡收取"_s, QVariant()},
        {u"发货时间"_s, draft.inStore ? QVariant(now.date().toString(u"yyyy-MM-dd"_s) + u' ' + entryTime) : QVariant()},
        {u"客户单位"_s, draft.company},
        {u"开单日期时间"_s, now},
        {u"实付货款"_s, paid ? moneyParam(total) : QVariant()},
        {u"账户余额"_s, moneyParam(balanceAfter)},
        {u"客户类型"_s, draft.customerType},
        {u"历史购物总额"_s, moneyParam(amountOf(draft.purchaseText))},
        {u"订单类型"_s, u"外卖"_s},
        {u"送餐日期时间"_s, delivery},
        {u"服务费"_s, moneyParam(amountOf(draft.feeText))},
        {u"税率"_s, moneyParam(amountOf(draft.taxText))},
        {u"使用积分"_s, moneyParam(amountOf(draft.pointsUsedText))},
        // A paid order carries its payment time, so the day's takings find it.
        {u"收款时间"_s, paid ? QVariant(now) : QVariant()},
    };
    Q_UNUSED(accountPay);

    for (const CartLine &line : cartLines(db, draft.cartKey)) {
        sms += line.name + line.quantity.toString() + u"份"_s;
        SqlParams p = order;
        p.insert(u"产品名称"_s, line.name);
        p.insert(u"数量"_s, moneyParam(line.quantity));
        p.insert(u"应付货款"_s, moneyParam(line.amount));
        p.insert(u"提成"_s, moneyParam(line.commission));
        p.insert(u"欠款"_s, moneyParam(line.amount));
        p.insert(u"单价"_s, moneyParam(line.price));
        p.insert(u"原价"_s, moneyParam(line.listPrice));
        p.insert(u"口味"_s, line.flavour);
        p.insert(u"套餐名称"_s, line.setMeal);
        p.insert(u"是否打折"_s, line.discountable);
        p.insert(u"默认菜品"_s, line.replaces);
        p.insert(u"后厨打印机"_s, line.printer);
        p.insert(u"菜品种类"_s, line.category);
        db.execute(insert, p);

        // The dish and its ingredients leave the stock.
        db.execute(u"update 菜单表 set 当前库存=coalesce(当前库存,0)-:数量,"
                   "库存总额=coalesce(库存总额,0)-coalesce(单位成本,0)*:数量 where 名称=:名称"_s,
                   {{u"数量"_s, moneyParam(line.quantity)}, {u"名称"_s, line.name}});
        for (const SqlRow &r : db.rows(u"select 配料名称, 使用量 from 菜品配料表 where 菜品名称=:菜品名称"_s,
                                       {{u"菜品名称"_s, line.name}})) {
            const QString ingredient = r.text(u"配料名称"_s);
            if (db.scalar(u"select count(*) from 采购商品管理 where 名称=:名称"_s, {{u"名称"_s, ingredient}}).toLongLong() == 0)
                db.execute(u"insert into 采购商品管理 (名称) values (:名称)"_s, {{u"名称"_s, ingredient}});
            const Money used = r.money(u"使用量"_s).times(line.quantity);
            db.execute(u"update 采购商品管理 set 当前库存=coalesce(当前库存,0)-:用量,"
                       "库存总额=coalesce(库存总额,0)-coalesce(单位成本,0)*:用量 where 名称=:名称"_s,
                       {{u"用量"_s, moneyParam(used)}, {u"名称"_s, ingredient}});
        }
    }
    sms += u"]总计:"_s + draft.totalText + u"元"_s;

    if (draft.smsToWorker && !draft.deliveryWorker.isEmpty()) {
        const SqlRow worker = db.first(u"select 姓名, 电话 from 员工列表 where 姓名=:姓名"_s, {{u"姓名"_s, draft.deliveryWorker}});
        if (!worker.values().isEmpty())
            db.execute(u"insert into fasongneirong (neirong,shouji,xingming,fssj) values (:neirong,:shouji,:xingming,:fssj)"_s,
                       {{u"neirong"_s, sms},
                        {u"shouji"_s, worker.text(u"电话"_s)},
                        {u"xingming"_s, worker.text(u"姓名"_s)},
                        {u"fssj"_s, QString()}});
    }
}

OrderSaveOutcome TakeawaySaver::finish(const TakeawayDraft &draft, OrderSaveOutcome out, Money total)
{
    Q_UNUSED(total);
    out.status = OrderSaveOutcome::Status::Saved;
    out.message = m_ctx.settings().is(u"订单保存完毕提示"_s, u"是"_s) ? u"订单录入完毕！！"_s : QString();
    if (m_ctx.settings().is(u"自动粘贴到剪切板"_s, u"是"_s)) {
        QList<QPair<QString, Money>> lines;
        for (const SqlRow &r : m_ctx.db().rows(u"select 产品名称, 数量 from 产品销售开票 where 单据编号=:bh order by id"_s,
                                               {{u"bh"_s, out.orderNumber}}))
            lines.append({r.text(u"产品名称"_s), r.money(u"数量"_s)});
        out.clipboardText = orderSummaryText(out.orderNumber, draft.name, draft.registeredPhone, draft.address, lines,
                                             draft.totalText,
                                             QDateTime(draft.deliveryDate, draft.deliveryTime).toString(u"yyyy-MM-dd HH:mm:ss"_s),
                                             draft.deliveryWorker);
    }
    return out;
}

QStringList TakeawaySaver::lowStockDishes()
{
    QStringList out;
    for (const SqlRow &r : m_ctx.db().rows(u"select 名称 from 菜单表 where 当前库存<=报警低库存 order by id"_s))
        out << r.text(u"名称"_s);
    return out;
}

QString orderSummaryText(const QString &orderNumber, const QString &name, const QString &phone, const QString &address,
                         const QList<QPair<QString, Money>> &lines, const QString &totalText, const QString &delivery,
                         const QString &worker)
{
    QString text = orderNumber + u'/' + name + u'/' + phone + u'/' + address + u'[';
    for (const auto &[dish, quantity] : lines)
        text += dish + quantity.toString() + u"份"_s;
    return text + u"]总计:"_s + totalText + u"元/"_s + delivery + u'/' + worker;
}

} // namespace lanfan
