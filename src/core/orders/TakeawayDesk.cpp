#include "TakeawayDesk.h"

#include "app/AppContext.h"
#include "common/Clock.h"
#include "data/Schema.h"
#include "data/Settings.h"

using namespace Qt::StringLiterals;

namespace lanfan {

QString mealPeriodAt(const QDateTime &now, const Settings &settings)
{
    const QString time = now.time().toString(u"HH:mm:ss"_s);
    auto boundary = [&](const QString &name, const QString &fallback) -> QString {
        const QTime t = QTime::fromString(settings.value(name), u"HH:mm:ss"_s);
        return t.isValid() ? t.toString(u"HH:mm:ss"_s) : fallback;
    };
    QString period;
    if (time <= boundary(u"早中午分界线"_s, u"14:00:00"_s))
        period = u"午餐"_s;
    else if (time <= boundary(u"上下午分界线"_s, u"19:00:00"_s))
        period = u"晚餐"_s;
    else
        period = u"夜宵"_s;
    const QString cutOff = u"%1:00:00"_s.arg(settings.intValue(u"营业延长时间"_s), 2, 10, QLatin1Char('0'));
    if (time <= cutOff)
        period = u"夜宵"_s;
    return period;
}

namespace {

QString containing(const QString &text)
{
    return u"%"_s + text + u"%"_s;
}

} // namespace

TakeawayDesk::TakeawayDesk(AppContext &ctx) : m_ctx(ctx)
{
}

QList<qint64> TakeawayDesk::ids(const QString &sql, const QVariant &value)
{
    QList<qint64> out;
    for (const SqlRow &r : m_ctx.db().rows(sql, {{u"v"_s, value}}))
        out << r.integer(u"id"_s);
    return out;
}

QList<qint64> TakeawayDesk::customersByPhone(const QString &number)
{
    return ids(u"select id from 客户资料 where 联系电话 like :v order by id"_s, containing(number));
}

QList<qint64> TakeawayDesk::customersByMemberCode(const QString &code)
{
    return ids(u"select id from 客户资料 where 手工编码=:v order by id"_s, code);
}

QList<qint64> TakeawayDesk::customersByQq(const QString &qq)
{
    return ids(u"select id from 客户资料 where QQ like :v order by id"_s, containing(qq));
}

QList<qint64> TakeawayDesk::customersByAddress(const QString &address)
{
    return ids(u"select id from 客户资料 where 联系地址 like :v order by id"_s, containing(address));
}

std::optional<qint64> TakeawayDesk::previousCustomer()
{
    const QVariant id = m_ctx.db().scalar(
        u"select 客户编号 from 产品销售开票 where id=(select max(id) as cc from 产品销售开票)"_s);
    bool ok = false;
    const qint64 n = id.toString().toLongLong(&ok);
    if (!ok || m_ctx.db().scalar(u"select count(*) from 客户资料 where id=:id"_s, {{u"id"_s, n}}).toLongLong() == 0)
        return std::nullopt;
    return n;
}

std::optional<LastOrder> TakeawayDesk::lastOrder(qint64 customerId)
{
    const SqlRow r = m_ctx.db().first(
        m_ctx.db().dialect().firstRowOnly(u"select * from 产品销售开票 where 客户编号=:id order by id desc"_s),
        {{u"id"_s, QString::number(customerId)}});
    if (r.values().isEmpty())
        return std::nullopt;
    LastOrder o;
    o.number = r.text(u"单据编号"_s);
    o.savedAt = QDateTime::fromString(r.text(u"开单日期时间"_s), u"yyyy-MM-dd HH:mm:ss"_s);
    o.businessDate = QDate::fromString(r.text(u"购物日期"_s).left(10), u"yyyy-MM-dd"_s);
    o.dispatched = r.flag(u"发货完毕"_s);
    o.paid = r.flag(u"交款完毕"_s);
    o.dispatchNote = r.text(u"发货备注"_s);
    o.paymentMethod = r.text(u"收款方式"_s);
    o.deliveryWorker = r.text(u"配送工"_s);
    o.discount = r.isNull(u"打折"_s) ? u"10"_s : r.money(u"打折"_s).toString();
    o.pointsUsed = r.money(u"使用积分"_s);
    o.roundOff = r.money(u"抹零金额"_s);
    return o;
}

bool TakeawayDesk::repeatCallDue(const LastOrder &order) const
{
    if (!order.savedAt.isValid())
        return false;
    const Money limit = Money::parseOrZero(m_ctx.settings().value(u"再次来电提醒时间"_s));
    const qint64 secs = order.savedAt.secsTo(m_ctx.clock().now());
    // hours since = seconds / 3600, compared without leaving exact arithmetic
    return Money::fromInt(secs) <= limit * 3600;
}

void TakeawayDesk::reenter(const QString &cartKey, const LastOrder &order)
{
    Db &db = m_ctx.db();
    Transaction tx(db);
    db.execute(u"insert into 销售临时表 (时间,产品名称,数量,单价,应付货款,提成,口味,新老,原价,套餐名称,是否打折,默认菜品,"
               "后厨打印机,菜品种类) select :key,产品名称,数量,单价,应付货款,提成,口味,'老单',原价,套餐名称,是否打折,默认菜品,"
               "后厨打印机,菜品种类 from 产品销售开票 where 单据编号=:bh order by id"_s,
               {{u"key"_s, cartKey}, {u"bh"_s, order.number}});
    tx.commit();
}

QString TakeawayDesk::cancelRefusal(const LastOrder &order, QString *question) const
{
    if (order.paid)
        return u"前次订单已经交款完毕，不能取消"_s;
    if (question)
        *question = order.dispatched ? u"该订单已经发货完毕，确实要删除该订单吗？"_s : u"确实要删除该订单吗？"_s;
    return {};
}

void TakeawayDesk::cancel(const LastOrder &order)
{
    Db &db = m_ctx.db();
    const QStringList columns = findShopTable(u"产品销售开票"_s)->columnNames();
    QStringList quoted;
    for (const QString &c : columns)
        quoted << quoteIdentifier(c);
    const QString list = quoted.join(u',');
    Transaction tx(db);
    db.execute(u"insert into 订单删除日志 ("_s + list + u",删除人,删除时间) select "_s + list
                   + u",:删除人,:删除时间 from 产品销售开票 where 单据编号=:bh"_s,
               {{u"删除人"_s, m_ctx.currentOperator().name}, {u"删除时间"_s, m_ctx.clock().now()}, {u"bh"_s, order.number}});
    db.execute(u"delete from 产品销售开票 where 单据编号=:单据编号"_s, {{u"单据编号"_s, order.number}});
    tx.commit();
}

QString TakeawayDesk::reuse(const QString &cartKey, const QString &customerId, const QString &lastOrderNumber)
{
    if (customerId.isEmpty() || customerId == u"无")
        return u"请先选择客户资料"_s;
    Db &db = m_ctx.db();
    if (lastOrderNumber.isEmpty()
        || db.scalar(u"select count(*) from 产品销售开票 where 单据编号=:bh"_s, {{u"bh"_s, lastOrderNumber}}).toLongLong() == 0)
        return u"该用户没有点餐记录"_s;
    Transaction tx(db);
    db.execute(u"insert into 销售临时表 (时间,产品名称,单价,原价,数量,应付货款,提成,口味,套餐名称,新老,是否打折,默认菜品,"
               "后厨打印机,菜品种类) select :key,产品名称,单价,原价,数量,应付货款,提成,口味,套餐名称,'新单',"
               "case when 是否打折 is null or 是否打折='' then '是' else 是否打折 end,默认菜品,后厨打印机,菜品种类 "
               "from 产品销售开票 where 单据编号=:bh order by id"_s,
               {{u"key"_s, cartKey}, {u"bh"_s, lastOrderNumber}});
    tx.commit();
    return {};
}

} // namespace lanfan
