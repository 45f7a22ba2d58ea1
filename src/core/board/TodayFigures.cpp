#include "TodayFigures.h"

#include "BoardQueries.h"
#include "app/AppContext.h"
#include "common/Clock.h"
#include "data/Settings.h"

using namespace Qt::StringLiterals;

namespace lanfan::board {

namespace {

// Sum of an order-level amount over the orders of a condition: the amount
// is repeated on every line, so it is taken once per order.
Money sumPerOrder(Db &db, const QString &condition, const SqlParams &params)
{
    Money total;
    for (const SqlRow &r : db.rows(u"select 单据编号, max(折后金额) as 金额 from 产品销售开票 where "_s + condition
                                       + u" group by 单据编号"_s,
                                   params))
        total += r.money(u"金额"_s);
    return total;
}

qint64 countOrders(Db &db, const QString &condition, const SqlParams &params)
{
    return db.scalar(u"select count(distinct 单据编号) from 产品销售开票 where "_s + condition, params).toLongLong();
}

const QString kNotCredit = u"(收款方式 is null or 收款方式<>'签单')"_s;

} // namespace

TodayFigures computeTodayFigures(AppContext &ctx)
{
    Db &db = ctx.db();
    const QDateTime now = ctx.clock().now();
    const int cutOff = ctx.settings().intValue(u"营业延长时间"_s);
    const BusinessWindow w = businessWindow(now, cutOff);
    const SqlParams day{{u"营业日期"_s, w.date}};
    // Payments, dispatches and top-ups belong to the business day in which
    // they happened: after its start, up to its end.
    const SqlParams span{{u"起"_s, w.start}, {u"止"_s, w.end}};

    TodayFigures f;
    {
        const SqlRow r = db.first(u"select count(distinct 单据编号) as 单数, sum(数量) as 份数 from 产品销售开票 "
                                  "where 购物日期=:营业日期"_s,
                                  day);
        f.orders = r.integer(u"单数"_s);
        f.portions = r.money(u"份数"_s);
    }
    f.toDeliver = countOrders(db, u"送餐日期=:营业日期"_s, day);
    SqlParams dispatched = span;
    dispatched.insert(u"是"_s, true);
    f.delivered = countOrders(db, u"发货时间>:起 and 发货时间<=:止 and 发货完毕=:是"_s, dispatched);
    SqlParams notDispatched = day;
    notDispatched.insert(u"否"_s, false);
    f.undelivered = countOrders(db, u"送餐日期=:营业日期 and 发货完毕=:否"_s, notDispatched);

    SqlParams paid = span;
    paid.insert(u"是"_s, true);
    f.received = sumPerOrder(db, u"交款完毕=:是 and 收款时间>:起 and 收款时间<=:止 and "_s + kNotCredit, paid);
    SqlParams unpaid = day;
    unpaid.insert(u"否"_s, false);
    f.unpaid = sumPerOrder(db, u"送餐日期=:营业日期 and 交款完毕=:否 and "_s + kNotCredit, unpaid);
    f.credit = countOrders(db, u"收款方式='签单' and 收款时间>:起 and 收款时间<=:止"_s, span);

    // Orders due after the business day: from the next day on; when the
    // business day is still yesterday's, the next day starts at the cut-off.
    QString future = u"送餐日期>=:次日 and (送餐日期>:次日 or 送餐时间>:起始时刻)"_s;
    SqlParams futureParams{{u"次日"_s, w.date.addDays(1)},
                           {u"起始时刻"_s, w.date == now.date() ? u"00:00:00"_s
                                                              : u"%1:00:00"_s.arg(cutOff, 2, 10, QLatin1Char('0'))}};
    if (ctx.settings().is(u"是否需要发货功能"_s, u"需要"_s)) {
        future += u" and 发货完毕=:否"_s;
        futureParams.insert(u"否"_s, false);
    }
    {
        const SqlRow r = db.first(u"select count(distinct 单据编号) as 单数, sum(数量) as 份数 from 产品销售开票 where "_s
                                      + future,
                                  futureParams);
        f.futureOrders = r.integer(u"单数"_s);
        f.futurePortions = r.money(u"份数"_s);
    }
    const Money topUps = Money::fromVariant(
        db.scalar(u"select sum(充值金额) from 充值记录 where 类型='充值' and 充值时间>:起 and 充值时间<=:止"_s, span));
    f.topUps = topUps.roundHalfAwayFromZero(0).units() / Money::Scale;
    return f;
}

QList<FigureText> figureTexts(const TodayFigures &f)
{
    auto shown = [](const QString &number, const QString &unit) -> QString { return number + u"  "_s + unit; };
    const QString ordered = u"代表今日订餐的次数，也包括今日订要求明日以后送的订单"_s;
    const QString future = u"明天开始送的订单"_s;
    return {
        {u"figureOrders"_s, u"今日订餐："_s, shown(QString::number(f.orders), u"次"_s), ordered},
        {u"figurePortions"_s, u"今日订餐："_s, shown(f.portions.toString(), u"份"_s), ordered},
        {u"figureToDeliver"_s, u"应送餐数："_s, shown(QString::number(f.toDeliver), u"次"_s), u"今日应送的订单"_s},
        {u"figureDelivered"_s, u"已送餐数："_s, shown(QString::number(f.delivered), u"次"_s), u"今日已发货的订单"_s},
        {u"figureUndelivered"_s, u"未送餐数："_s, shown(QString::number(f.undelivered), u"次"_s),
         u"代表今日应送但未送的次数，不包括明日应送的次数"_s},
        {u"figureReceived"_s, u"今日收款："_s, shown(f.received.toString(), u"元"_s), u"今日收取的现金"_s},
        {u"figureUnpaid"_s, u"今日未收："_s, shown(f.unpaid.toString(), u"元"_s), u"代表今日应送，不包括明日未收的订单"_s},
        {u"figureCredit"_s, u"今日签单："_s, shown(QString::number(f.credit), u"张"_s), u"今日签单的订单"_s},
        {u"figureFuture"_s, u"未来订单："_s, shown(QString::number(f.futureOrders), u"次"_s), future},
        {u"figureFuturePortions"_s, u"未来订单："_s, shown(f.futurePortions.toString(), u"份"_s), future},
        {u"figureTopUps"_s, u"账户充值："_s, shown(QString::number(f.topUps), u"元"_s), u"今日账户充值的金额"_s},
    };
}

} // namespace lanfan::board
