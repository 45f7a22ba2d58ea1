#include "CustomerStore.h"

#include "app/AppContext.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

QVariant dateOrNull(const QDate &d)
{
    return d.isValid() ? QVariant(d) : QVariant(QMetaType::fromType<QString>());
}

Money moneyOrZero(const QString &text)
{
    return Money::parseOrZero(text);
}

QString numberText(const QVariant &v)
{
    if (v.isNull())
        return {};
    return Money::fromVariant(v).toString();
}

} // namespace

CustomerStore::CustomerStore(AppContext &ctx) : m_ctx(ctx) {}

int CustomerStore::zeroNullBalances()
{
    return m_ctx.db().execute(u"update 客户资料 set 帐户余额=0 where 帐户余额 is null"_s);
}

Customer CustomerStore::load(qint64 id)
{
    const SqlRow r = m_ctx.db().first(u"select * from 客户资料 where id=:id"_s, {{u"id"_s, id}});
    Customer c;
    if (r.values().isEmpty())
        return c;
    c.id = r.integer(u"id"_s);
    c.type = r.text(u"客户类型"_s);
    c.area = r.text(u"客户地区"_s);
    c.name = r.text(u"客户姓名"_s);
    c.address = r.text(u"联系地址"_s);
    c.phone = r.text(u"联系电话"_s);
    c.card = r.text(u"手工编码"_s);
    c.company = r.text(u"客户单位"_s);
    c.idCard = r.text(u"身份证号"_s);
    c.birthday = QDate::fromString(r.text(u"生日"_s).left(10), u"yyyy-MM-dd"_s);
    c.birthMonth = r.value(u"生日月"_s).toInt();
    c.birthDay = r.value(u"生日日"_s).toInt();
    c.credit = r.text(u"信用等级"_s);
    c.blacklisted = r.text(u"黑名单"_s) == u"是"_s;
    c.points = numberText(r.value(u"积分"_s));
    c.qq = r.text(u"QQ"_s);
    c.remark = r.text(u"客户备注"_s);
    c.purchaseAmount = numberText(r.value(u"购物金额"_s));
    c.purchaseCount = r.value(u"购物次数"_s).toLongLong();
    c.balance = r.money(u"帐户余额"_s);
    return c;
}

QString CustomerStore::checkForSave(const Customer &c)
{
    if (c.address.trimmed().isEmpty())
        return u"请填写客户地址！！"_s;
    if (c.phone.trimmed().isEmpty())
        return u"请填写电话号码！！"_s;
    return {};
}

SaveOutcome CustomerStore::save(const Customer &c)
{
    SaveOutcome out;
    out.message = checkForSave(c);
    if (!out.message.isEmpty())
        return out;

    SqlParams p{{u"客户类型"_s, c.type},     {u"客户地区"_s, c.area},       {u"客户姓名"_s, c.name},
                {u"联系地址"_s, c.address},  {u"联系电话"_s, c.phone},      {u"手工编码"_s, c.card},
                {u"客户单位"_s, c.company},  {u"身份证号"_s, c.idCard},     {u"生日"_s, dateOrNull(c.birthday)},
                {u"信用等级"_s, c.credit},   {u"黑名单"_s, c.blacklisted ? u"是"_s : u"否"_s},
                {u"积分"_s, QVariant::fromValue(moneyOrZero(c.points))},
                {u"QQ"_s, c.qq},             {u"客户备注"_s, c.remark}};
    try {
        Db &db = m_ctx.db();
        if (c.isNew()) {
            p.insert(u"生日月"_s, c.birthday.isValid() ? c.birthday.month() : 0);
            p.insert(u"生日日"_s, c.birthday.isValid() ? c.birthday.day() : 0);
            out.id = db.insert(u"insert into 客户资料 (客户类型,客户地区,客户姓名,联系地址,联系电话,手工编码,客户单位,身份证号,"
                               "生日,生日月,生日日,信用等级,黑名单,积分,QQ,客户备注,购物次数,购物金额,帐户余额) values "
                               "(:客户类型,:客户地区,:客户姓名,:联系地址,:联系电话,:手工编码,:客户单位,:身份证号,"
                               ":生日,:生日月,:生日日,:信用等级,:黑名单,:积分,:QQ,:客户备注,0,0,0)"_s,
                               p);
        } else {
            const SqlRow before = db.first(u"select 生日,生日月,生日日 from 客户资料 where id=:id"_s, {{u"id"_s, c.id}});
            if (before.values().isEmpty())
                throw SqlError(u"该客户已被删除"_s, {});
            const QDate old = QDate::fromString(before.text(u"生日"_s).left(10), u"yyyy-MM-dd"_s);
            int month = before.value(u"生日月"_s).toInt();
            int day = before.value(u"生日日"_s).toInt();
            if (old != c.birthday) {
                month = c.birthday.isValid() ? c.birthday.month() : 0;
                day = c.birthday.isValid() ? c.birthday.day() : 0;
            }
            p.insert(u"生日月"_s, month);
            p.insert(u"生日日"_s, day);
            p.insert(u"购物金额"_s, QVariant::fromValue(moneyOrZero(c.purchaseAmount)));
            p.insert(u"id"_s, c.id);
            db.execute(u"update 客户资料 set 客户类型=:客户类型,客户地区=:客户地区,客户姓名=:客户姓名,联系地址=:联系地址,"
                       "联系电话=:联系电话,手工编码=:手工编码,客户单位=:客户单位,身份证号=:身份证号,生日=:生日,生日月=:生日月,"
                       "生日日=:生日日,信用等级=:信用等级,黑名单=:黑名单,积分=:积分,QQ=:QQ,客户备注=:客户备注,"
                       "购物金额=:购物金额 where id=:id"_s,
                       p);
            out.id = c.id;
        }
        out.stored = true;
        out.message = savedMessage();
    } catch (const SqlError &e) {
        out.stored = false;
        out.message = e.text();
    }
    return out;
}

void CustomerStore::remove(qint64 id)
{
    m_ctx.db().execute(u"delete from 客户资料 where id=:id"_s, {{u"id"_s, id}});
}

QList<CustomerAddress> CustomerStore::addresses(qint64 customerId)
{
    QList<CustomerAddress> out;
    for (const SqlRow &r : m_ctx.db().rows(u"select * from 多个地址 where 客户编号=:客户编号 order by id"_s,
                                           {{u"客户编号"_s, customerId}}))
        out.append({r.integer(u"id"_s), r.text(u"客户地址"_s)});
    return out;
}

void CustomerStore::addAddress(qint64 customerId, const QString &address)
{
    m_ctx.db().execute(u"insert into 多个地址 (客户编号,客户地址) values (:客户编号,:客户地址)"_s,
                       {{u"客户编号"_s, customerId}, {u"客户地址"_s, address}});
}

void CustomerStore::removeAddress(qint64 addressId)
{
    m_ctx.db().execute(u"delete from 多个地址 where id=:id"_s, {{u"id"_s, addressId}});
}

} // namespace lanfan
