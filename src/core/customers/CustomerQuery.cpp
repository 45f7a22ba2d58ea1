#include "CustomerQuery.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace lanfan {

const QStringList &customerListFields()
{
    static const QStringList fields = {
        u"客户类型"_s, u"客户地区"_s, u"联系电话"_s, u"客户姓名"_s, u"客户单位"_s, u"身份证号"_s, u"生日"_s,
        u"联系地址"_s, u"客户备注"_s, u"信用等级"_s, u"购物次数"_s, u"购物金额"_s, u"积分"_s,  u"手工编码"_s,
        u"黑名单"_s,  u"QQ"_s,     u"帐户余额"_s, u"生日月"_s,   u"生日日"_s,   u"id"_s};
    return fields;
}

QString customerFieldTitle(const QString &field)
{
    static const QHash<QString, QString> titles = {
        {u"id"_s, u"自动编号"_s}, {u"手工编码"_s, u"会员卡号"_s}, {u"QQ"_s, u"QQ号码"_s}, {u"积分"_s, u"可用积分"_s}};
    return titles.value(field, field);
}

QString customerOrderSql(CustomerOrder order)
{
    switch (order) {
    case CustomerOrder::ByOrders: return u" order by 购物次数 desc,购物金额 desc"_s;
    case CustomerOrder::ByCard: return u" order by 手工编码"_s;
    case CustomerOrder::ById: return u" order by id"_s;
    }
    return {};
}

QString CustomerQuery::selectSql() const
{
    return u"select "_s + customerListFields().join(u',') + u" from 客户资料 where 1=1"_s + conditions + order;
}

QString CustomerQuery::idSql() const
{
    return u"select id from 客户资料 where 1=1"_s + conditions + order;
}

QString CustomerQuery::countSql() const
{
    return u"select count(*) from 客户资料 where 1=1"_s + conditions;
}

CustomerQuery allCustomers(CustomerOrder order)
{
    CustomerQuery q;
    q.order = customerOrderSql(order);
    return q;
}

CustomerQuery searchCustomers(const CustomerCriteria &c, const QDate &today, CustomerOrder order)
{
    CustomerQuery q;
    auto contains = [](const QString &text) { return QString(u'%' + text + u'%'); };
    if (c.area) {
        q.conditions += u" and 客户地区=:客户地区"_s;
        q.params.insert(u"客户地区"_s, *c.area);
    }
    if (c.phone) {
        q.conditions += u" and 联系电话 like :联系电话"_s;
        q.params.insert(u"联系电话"_s, contains(*c.phone));
    }
    if (c.qq) {
        q.conditions += u" and QQ like :QQ"_s;
        q.params.insert(u"QQ"_s, contains(*c.qq));
    }
    if (c.birthdayToday) {
        q.conditions += u" and 生日月=:生日月 and 生日日=:生日日"_s;
        q.params.insert(u"生日月"_s, today.month());
        q.params.insert(u"生日日"_s, today.day());
    }
    if (c.name) {
        q.conditions += u" and 客户姓名 like :客户姓名"_s;
        q.params.insert(u"客户姓名"_s, contains(*c.name));
    }
    if (c.address) {
        q.conditions += u" and ((联系地址 like :联系地址1) or (id in (select 客户编号 from 多个地址 where 客户地址 like :联系地址2)))"_s;
        q.params.insert(u"联系地址1"_s, contains(*c.address));
        q.params.insert(u"联系地址2"_s, contains(*c.address));
    }
    if (c.card) {
        q.conditions += u" and 手工编码=:手工编码"_s;
        q.params.insert(u"手工编码"_s, *c.card);
    }
    q.order = customerOrderSql(order);
    return q;
}

CustomerQuery customersOfArea(const QString &area)
{
    CustomerQuery q;
    q.conditions = u" and 客户地区=:客户地区"_s;
    q.params.insert(u"客户地区"_s, area);
    q.order = customerOrderSql(CustomerOrder::ById);
    return q;
}

CustomerQuery customersOfType(const QString &type)
{
    CustomerQuery q;
    q.conditions = u" and 客户类型=:客户地区"_s;
    q.params.insert(u"客户地区"_s, type);
    q.order = customerOrderSql(CustomerOrder::ById);
    return q;
}

} // namespace lanfan
