#include "BoardQueries.h"

#include "app/AppContext.h"
#include "common/BusinessDay.h"
#include "common/Clock.h"
#include "data/Settings.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace lanfan::board {

namespace {

// The order-level columns of a takeaway row, as selected; 份数 is the one sum.
const QStringList &takeawayGroupColumns()
{
    static const QStringList cols = {
        u"单据编号"_s, u"配送工"_s, u"客户编号"_s, u"客户姓名"_s, u"区域"_s, u"地址"_s, u"交款完毕"_s, u"发货完毕"_s,
        u"时间"_s, u"电话"_s, u"折后金额"_s, u"送餐日期"_s, u"送餐时间"_s, u"购物日期"_s, u"发货备注"_s, u"录音文件"_s,
        u"订单状态"_s, u"积分"_s, u"客户单位"_s, u"餐台号"_s, u"账户余额"_s, u"打折"_s, u"抹零金额"_s, u"客户类型"_s,
        u"收款方式"_s, u"收款时间"_s, u"发货时间"_s,
    };
    return cols;
}

// "送餐日期,送餐时间" and the other sort words as an order-by list.
QString orderByList(const QString &sortBy)
{
    if (!sortChoices().contains(sortBy))
        return u"单据编号"_s;
    QStringList parts;
    for (const QString &c : sortBy.split(u','))
        parts << quoteIdentifier(c);
    return parts.join(u',');
}

// Appends the state condition; "全部" (or anything unknown) adds nothing.
void addState(QString &sql, SqlParams &params, const QString &state)
{
    static const QHash<QString, std::pair<bool, bool>> pairs = {
        // (交款完毕, 发货完毕)
        {u"未发货未交款"_s, {false, false}},
        {u"未发货已收款"_s, {true, false}},
        {u"已发货未收款"_s, {false, true}},
        {u"已发货已收款"_s, {true, true}},
    };
    const auto it = pairs.constFind(state);
    if (it == pairs.cend())
        return;
    sql += u" and 交款完毕=:交款完毕 and 发货完毕=:发货完毕"_s;
    params.insert(u"交款完毕"_s, it->first);
    params.insert(u"发货完毕"_s, it->second);
}

void addMealPeriod(QString &sql, SqlParams &params, const QString &period)
{
    if (period.isEmpty() || period == u"全天")
        return;
    sql += u" and 上下午=:上下午"_s;
    params.insert(u"上下午"_s, period);
}

void addAreaAndWorker(QString &sql, SqlParams &params, const BoardFilter &f)
{
    if (!f.area.isEmpty()) {
        sql += u" and 区域=:区域"_s;
        params.insert(u"区域"_s, f.area);
    }
    if (!f.worker.isEmpty()) {
        sql += u" and 配送工=:配送工"_s;
        params.insert(u"配送工"_s, f.worker);
    }
}

void addDates(QString &sql, SqlParams &params, const QString &column, const BoardFilter &f, QDate businessDay)
{
    if (f.anyPeriod && f.from.isValid() && f.to.isValid()) {
        sql += u" and "_s + column + u" between :日期从 and :日期到"_s;
        params.insert(u"日期从"_s, f.from);
        params.insert(u"日期到"_s, f.to);
    } else {
        sql += u" and "_s + column + u"=:营业日期"_s;
        params.insert(u"营业日期"_s, businessDay);
    }
}

} // namespace

const QStringList &stateChoices()
{
    static const QStringList s = {u"全部"_s, u"未发货未交款"_s, u"未发货已收款"_s, u"已发货未收款"_s, u"已发货已收款"_s};
    return s;
}

const QStringList &sortChoices()
{
    static const QStringList s = {u"单据编号"_s, u"区域"_s, u"订单状态"_s, u"送餐日期,送餐时间"_s};
    return s;
}

const QStringList &mealPeriodChoices()
{
    static const QStringList s = {u"全天"_s, u"午餐"_s, u"晚餐"_s, u"夜宵"_s};
    return s;
}

const QStringList &takeawayFields()
{
    static const QStringList fields = [] {
        QStringList f;
        for (const QString &c : takeawayGroupColumns())
            f << (c == u"折后金额" ? u"应付货款"_s : c);
        f << u"份数"_s;
        return f;
    }();
    return fields;
}

const QList<ColumnLayout> &defaultTakeawayColumns()
{
    static const QList<ColumnLayout> cols = {
        {u"订单状态"_s, 80}, {u"单据编号"_s, 81}, {u"时间"_s, 60},     {u"客户姓名"_s, 60}, {u"电话"_s, 70},
        {u"地址"_s, 70},     {u"送餐时间"_s, 58}, {u"发货备注"_s, 70}, {u"配送工"_s, 41},   {u"发货时间"_s, 80},
        {u"份数"_s, 40},     {u"应付货款"_s, 55}, {u"客户类型"_s, 68}, {u"区域"_s, 66},     {u"收款时间"_s, 80},
    };
    return cols;
}

QString columnTitle(const QString &field)
{
    if (field == u"开单日期时间")
        return u"开始点菜时间"_s;
    return field;
}

const QStringList &dineInFields()
{
    static const QStringList f = {u"单据编号"_s, u"开单日期时间"_s, u"餐台号"_s, u"份数"_s,
                                  u"应付货款"_s, u"客户姓名"_s,     u"电话"_s};
    return f;
}

BusinessWindow businessWindow(const QDateTime &now, int cutOffHour)
{
    BusinessWindow w;
    w.date = businessDate(now, cutOffHour);
    const QTime cut(qBound(0, cutOffHour, 23), 0);
    w.start = QDateTime(w.date, cut);
    w.end = QDateTime(w.date.addDays(1), cut);
    return w;
}

BoardQueries::BoardQueries(AppContext &ctx) : m_ctx(ctx) {}

QDate BoardQueries::businessDate() const
{
    return window().date;
}

BusinessWindow BoardQueries::window() const
{
    return businessWindow(m_ctx.clock().now(), m_ctx.settings().intValue(u"营业延长时间"_s));
}

QList<SqlRow> BoardQueries::takeaway(const BoardFilter &filter) const
{
    QStringList select;
    QStringList group;
    for (const QString &c : takeawayGroupColumns()) {
        select << (c == u"折后金额" ? u"折后金额 as 应付货款"_s : c);
        group << c;
    }
    select << u"sum(数量) as 份数"_s;
    QString sql = u"select "_s + select.join(u',') + u" from 产品销售开票 where 1=1"_s;
    SqlParams params;
    const QString dateColumn = m_ctx.settings().is(u"主窗口显示订单"_s, u"显示当天送单"_s) ? u"送餐日期"_s : u"购物日期"_s;
    addDates(sql, params, dateColumn, filter, businessDate());
    addAreaAndWorker(sql, params, filter);
    addState(sql, params, filter.state);
    addMealPeriod(sql, params, filter.mealPeriod);
    sql += u" and (订单类型='外卖' or 订单类型 is null or 订单类型='')"_s;
    sql += u" group by "_s + group.join(u',') + u" order by "_s + orderByList(filter.sortBy);
    return m_ctx.db().rows(sql, params);
}

QList<SqlRow> BoardQueries::dineIn(const BoardFilter &filter, bool withFilters) const
{
    // The sort columns are selected as well, so that every engine accepts the order.
    const QString group = u"单据编号,开单日期时间,餐台号,折后金额,客户姓名,电话,交款完毕,发货完毕,区域,订单状态,送餐日期,送餐时间"_s;
    QString sql = u"select 单据编号,开单日期时间,餐台号,sum(数量) as 份数,折后金额 as 应付货款,客户姓名,电话,"
                  "交款完毕,发货完毕,区域,订单状态,送餐日期,送餐时间 from 产品销售开票 where 订单类型='堂食'"_s;
    SqlParams params;
    if (withFilters) {
        addDates(sql, params, u"购物日期"_s, filter, businessDate());
        addAreaAndWorker(sql, params, filter);
        addState(sql, params, filter.state);
    } else {
        addDates(sql, params, u"购物日期"_s, BoardFilter{}, businessDate());
    }
    addMealPeriod(sql, params, filter.mealPeriod);
    sql += u" group by "_s + group + u" order by "_s + orderByList(filter.sortBy);
    return m_ctx.db().rows(sql, params);
}

QList<SqlRow> BoardQueries::orderLines(const QString &orderNumber) const
{
    return m_ctx.db().rows(u"select 产品名称,数量,单价,应付货款 from 产品销售开票 where 单据编号=:单据编号 order by id"_s,
                           {{u"单据编号"_s, orderNumber}});
}

SqlRow BoardQueries::orderState(const QString &orderNumber) const
{
    return m_ctx.db().first(
        m_ctx.db().dialect().firstRowOnly(
            u"select 单据编号,发货完毕,交款完毕,收款方式,折后金额,客户姓名,区域,发货时间,订单类型 from 产品销售开票 "
            "where 单据编号=:单据编号"_s),
        {{u"单据编号"_s, orderNumber}});
}

QList<DishSale> BoardQueries::dishSales(const QString &mealPeriod) const
{
    QString sql = u"select 产品名称, sum(数量) as 份数 from 产品销售开票 where 购物日期=:营业日期"_s;
    SqlParams params{{u"营业日期"_s, businessDate()}};
    addMealPeriod(sql, params, mealPeriod);
    sql += u" group by 产品名称 order by 产品名称"_s;
    QList<DishSale> out;
    for (const SqlRow &r : m_ctx.db().rows(sql, params))
        out.append({r.text(u"产品名称"_s), r.money(u"份数"_s)});
    return out;
}

QList<SqlRow> BoardQueries::dueForDispatch() const
{
    const QDateTime now = m_ctx.clock().now();
    const int minutes = m_ctx.settings().intValue(u"发货提醒时间"_s, 10);
    return m_ctx.db().rows(
        u"select 单据编号,客户姓名,区域,地址,电话,时间,折后金额 as 应付货款,送餐日期,送餐时间,发货备注,录音文件,购物日期 "
        "from 产品销售开票 where 发货完毕=:否 and 送餐日期=:今天 and 送餐日期时间<:截止 "
        "group by 单据编号,客户姓名,区域,地址,电话,时间,折后金额,送餐日期,送餐时间,发货备注,录音文件,购物日期 "
        "order by 送餐日期,送餐时间"_s,
        {{u"否"_s, false}, {u"今天"_s, now.date()}, {u"截止"_s, now.addSecs(qint64(minutes) * 60)}});
}

QList<SqlRow> BoardQueries::birthdaysToday() const
{
    const QDate today = m_ctx.clock().today();
    return m_ctx.db().rows(u"select id,客户姓名,联系电话,生日 from 客户资料 where 生日月=:月 and 生日日=:日 order by id"_s,
                           {{u"月"_s, today.month()}, {u"日"_s, today.day()}});
}

QStringList workerNames(Db &db)
{
    QStringList out;
    for (const SqlRow &r : db.rows(u"select 姓名 from 员工列表 order by 姓名"_s))
        out << r.text(u"姓名"_s);
    return out;
}

} // namespace lanfan::board
