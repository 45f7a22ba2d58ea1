#include "CustomerTypes.h"

#include "app/AppContext.h"
#include "common/Money.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

QVariant rateValue(const QString &rate)
{
    const auto m = Money::parse(rate);
    if (!m)
        return QVariant(QMetaType::fromType<QString>());
    return QVariant::fromValue(*m);
}

QString rateText(const QVariant &v)
{
    if (v.isNull() || v.toString().trimmed().isEmpty())
        return {};
    return Money::fromVariant(v).toString();
}

} // namespace

CustomerTypeStore::CustomerTypeStore(AppContext &ctx) : m_ctx(ctx) {}

QList<CustomerType> CustomerTypeStore::all()
{
    QList<CustomerType> out;
    for (const SqlRow &r : m_ctx.db().rows(u"select 客户类型,折扣率 from 客户类型"_s))
        out.append({r.text(u"客户类型"_s), rateText(r.value(u"折扣率"_s))});
    return out;
}

QStringList CustomerTypeStore::names()
{
    QStringList out;
    for (const SqlRow &r : m_ctx.db().rows(u"select 客户类型 from 客户类型 order by 客户类型"_s))
        out << r.text(u"客户类型"_s);
    return out;
}

bool CustomerTypeStore::rateIsValid(const QString &rate)
{
    return rate.trimmed().isEmpty() || Money::parse(rate).has_value();
}

void CustomerTypeStore::add(const CustomerType &type)
{
    m_ctx.db().execute(u"insert into 客户类型 (客户类型,折扣率) values (:客户类型,:折扣率)"_s,
                       {{u"客户类型"_s, type.name}, {u"折扣率"_s, rateValue(type.rate)}});
}

int CustomerTypeStore::change(const CustomerType &old, const CustomerType &changed)
{
    Db &db = m_ctx.db();
    Transaction tx(db);
    int renamed = 0;
    if (changed.name != old.name)
        renamed = db.execute(u"update 客户资料 set 客户类型=:客户类型1 where 客户类型=:客户类型2"_s,
                             {{u"客户类型1"_s, changed.name}, {u"客户类型2"_s, old.name}});
    db.execute(u"update 客户类型 set 客户类型=:新类型,折扣率=:折扣率 where 客户类型=:客户类型"_s,
               {{u"新类型"_s, changed.name}, {u"折扣率"_s, rateValue(changed.rate)}, {u"客户类型"_s, old.name}});
    tx.commit();
    return renamed;
}

void CustomerTypeStore::remove(const CustomerType &type)
{
    m_ctx.db().execute(u"delete from 客户类型 where 客户类型=:客户类型"_s, {{u"客户类型"_s, type.name}});
}

QString CustomerTypeStore::deleteQuestion(const QString &name)
{
    return u"确实要删除["_s + name + u"]吗？"_s;
}

AreaStore::AreaStore(AppContext &ctx) : m_ctx(ctx) {}

QStringList AreaStore::names()
{
    QStringList out;
    for (const SqlRow &r : m_ctx.db().rows(u"select 区域 from 区域 order by 区域"_s))
        out << r.text(u"区域"_s);
    return out;
}

void AreaStore::add(const QString &name)
{
    m_ctx.db().execute(u"insert into 区域 (区域) values (:区域)"_s, {{u"区域"_s, name}});
}

void AreaStore::rename(const QString &from, const QString &to)
{
    m_ctx.db().execute(u"update 区域 set 区域=:新区域 where 区域=:区域"_s, {{u"新区域"_s, to}, {u"区域"_s, from}});
}

void AreaStore::remove(const QString &name)
{
    m_ctx.db().execute(u"delete from 区域 where 区域=:区域"_s, {{u"区域"_s, name}});
}

QStringList AreaStore::filterItems()
{
    return QStringList{u"总部"_s} + names();
}

} // namespace lanfan
