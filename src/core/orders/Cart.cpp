#include "Cart.h"

#include "Totals.h"
#include "app/AppContext.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "data/Db.h"

#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QString kNew = u"新单"_s;
const QString kYes = u"是"_s;

// Cart lines are scratch rows: they live while a form is open and are
// deleted when it saves or closes. On SQLite their writes skip the flush to
// disk that a committed order needs (the next order save flushes the same
// journal), which keeps a pick well under the time of one keystroke. The
// connection's setting is restored afterwards; inside an open transaction
// (an order being saved) nothing changes.
class ScratchWrite {
public:
    explicit ScratchWrite(Db &db) : m_db(db)
    {
        if (db.inTransaction() || db.dialect().name() != u"sqlite")
            return;
        m_previous = db.scalar(u"PRAGMA synchronous"_s).toInt();
        if (m_previous > 1) {
            db.execute(u"PRAGMA synchronous=NORMAL"_s);
            m_changed = true;
        }
    }
    ~ScratchWrite()
    {
        if (!m_changed)
            return;
        try {
            m_db.execute(u"PRAGMA synchronous=%1"_s.arg(m_previous));
        } catch (...) {
        }
    }
    ScratchWrite(const ScratchWrite &) = delete;
    ScratchWrite &operator=(const ScratchWrite &) = delete;

private:
    Db &m_db;
    int m_previous = 0;
    bool m_changed = false;
};

} // namespace

CartTable CartTable::sales()
{
    return {u"销售临时表"_s, u"时间"_s, u"ID"_s};
}

CartTable CartTable::modification()
{
    return {u"订单修改临时表"_s, u"单据编号"_s, u"id"_s};
}

QString newCartKey(const Clock &clock)
{
    const QString stamp = clock.now().toString(u"yyyyMMddHHmmsszzz"_s);
    QRandomGenerator *rng = QRandomGenerator::system();
    const quint64 a = rng->generate64();
    const quint32 b = rng->generate();
    return stamp + u'-' + QString::number(a, 16).rightJustified(16, u'0')
        + QString::number(b, 16).rightJustified(8, u'0');
}

QString freeButtonCaption(const CartLine &line)
{
    return line.isFree() ? u"不赠"_s : u"赠菜"_s;
}

FlavourChoice addFlavour(const FlavourChoice &current, const QString &flavour, Money surcharge)
{
    FlavourChoice next = current;
    next.flavours = current.flavours.isEmpty() ? flavour : current.flavours + u',' + flavour;
    next.price = current.price + surcharge;
    return next;
}

struct CartService::Dish {
    qint64 id = 0;
    QString name;
    Money price;
    Money commission;
    QString discounted;
    QString category;
};

CartService::CartService(AppContext &ctx, CartTable table, QString key)
    : m_ctx(ctx), m_table(std::move(table)), m_key(std::move(key))
{
}

QString CartService::columns() const
{
    return quoteIdentifier(m_table.idColumn)
        + u" as lineid,产品名称,数量,单价,原价,应付货款,提成,口味,新老,套餐名称,是否打折,默认菜品,后厨打印机,菜品种类"_s;
}

CartLine CartService::fromRow(const SqlRow &r) const
{
    CartLine l;
    l.id = r.integer(u"lineid"_s);
    l.name = r.text(u"产品名称"_s);
    l.quantity = r.money(u"数量"_s);
    l.price = r.money(u"单价"_s);
    l.originalPrice = r.money(u"原价"_s);
    l.amount = r.money(u"应付货款"_s);
    l.commission = r.money(u"提成"_s);
    l.flavour = r.text(u"口味"_s);
    l.newOld = r.text(u"新老"_s);
    l.setName = r.text(u"套餐名称"_s);
    l.discounted = r.text(u"是否打折"_s);
    l.defaultDish = r.text(u"默认菜品"_s);
    l.kitchenPrinter = r.text(u"后厨打印机"_s);
    l.category = r.text(u"菜品种类"_s);
    return l;
}

QList<CartLine> CartService::lines()
{
    QList<CartLine> out;
    const QString sql = u"select "_s + columns() + u" from "_s + m_table.table + u" where "_s + m_table.keyColumn
        + u"=:key order by "_s + quoteIdentifier(m_table.idColumn);
    for (const SqlRow &r : m_ctx.db().rows(sql, {{u"key"_s, m_key}}))
        out.append(fromRow(r));
    return out;
}

std::optional<CartLine> CartService::line(qint64 id)
{
    const QString sql = u"select "_s + columns() + u" from "_s + m_table.table + u" where "_s + m_table.keyColumn
        + u"=:key and "_s + quoteIdentifier(m_table.idColumn) + u"=:id"_s;
    const SqlRow r = m_ctx.db().first(sql, {{u"key"_s, m_key}, {u"id"_s, id}});
    if (r.values().isEmpty())
        return std::nullopt;
    return fromRow(r);
}

Money CartService::discountedSum()
{
    return Money::fromVariant(m_ctx.db().scalar(u"select sum(应付货款) as cc from "_s + m_table.table + u" where "_s
                                                    + m_table.keyColumn + u"=:key and 是否打折=:是否打折"_s,
                                                {{u"key"_s, m_key}, {u"是否打折"_s, kYes}}));
}

Money CartService::undiscountedSum()
{
    // A line with no mark (or an empty one) does not take part in the discount.
    return Money::fromVariant(m_ctx.db().scalar(u"select sum(应付货款) as cc from "_s + m_table.table + u" where "_s
                                                    + m_table.keyColumn
                                                    + u"=:key and (是否打折 is null or 是否打折<>:是否打折)"_s,
                                                {{u"key"_s, m_key}, {u"是否打折"_s, kYes}}));
}

std::optional<CartService::Dish> CartService::dish(qint64 id)
{
    const SqlRow r = m_ctx.db().first(
        u"select id,名称,单价,业务员提成,是否参与打折,食物总类 from 菜单表 where id=:id"_s, {{u"id"_s, id}});
    if (r.values().isEmpty())
        return std::nullopt;
    Dish d;
    d.id = r.integer(u"id"_s);
    d.name = r.text(u"名称"_s);
    d.price = r.money(u"单价"_s);
    d.commission = r.money(u"业务员提成"_s);
    d.discounted = r.text(u"是否参与打折"_s).trimmed().isEmpty() ? kYes : r.text(u"是否参与打折"_s);
    d.category = r.text(u"食物总类"_s);
    return d;
}

std::optional<Money> CartService::commissionPerPortion(const QString &name)
{
    const SqlRow r = m_ctx.db().first(u"select 业务员提成 from 菜单表 where 名称=:名称"_s, {{u"名称"_s, name}});
    if (r.values().isEmpty())
        return std::nullopt;
    return r.money(u"业务员提成"_s);
}

QString CartService::kitchenPrinterFor(const QString &dishName)
{
    if (m_ctx.settings().value(u"后厨打印机台数"_s) != u"多台后厨打印机")
        return {};
    const QList<SqlRow> cats =
        m_ctx.db().rows(u"select 食物总类 from 菜单表 where 名称=:名称"_s, {{u"名称"_s, dishName}});
    QString category;
    if (cats.size() != 1 || cats.first().text(u"食物总类"_s).isEmpty()) {
        m_ctx.prompter().warning(u"注意，该菜品没有种类或者对应多个种类，将会导致多台后厨打印机混乱"_s,
                                 m_ctx.programTitle());
        return {};
    }
    category = cats.first().text(u"食物总类"_s);
    return m_ctx.db().scalar(u"select 后厨打印机 from 种类 where 种类=:种类"_s, {{u"种类"_s, category}}).toString();
}

void CartService::appendLine(const CartLine &l)
{
    m_ctx.db().insert(u"insert into "_s + m_table.table + u" ("_s + m_table.keyColumn
                          + u",产品名称,数量,单价,原价,应付货款,提成,口味,新老,套餐名称,是否打折,默认菜品,后厨打印机,菜品种类)"
                            u" values (:key,:产品名称,:数量,:单价,:原价,:应付货款,:提成,:口味,:新老,:套餐名称,:是否打折,"
                            u":默认菜品,:后厨打印机,:菜品种类)"_s,
                      {{u"key"_s, m_key},
                       {u"产品名称"_s, l.name},
                       {u"数量"_s, moneyParam(l.quantity)},
                       {u"单价"_s, moneyParam(l.price)},
                       {u"原价"_s, moneyParam(l.originalPrice)},
                       {u"应付货款"_s, moneyParam(l.amount)},
                       {u"提成"_s, moneyParam(l.commission)},
                       {u"口味"_s, l.flavour},
                       {u"新老"_s, l.newOld},
                       {u"套餐名称"_s, l.setName},
                       {u"是否打折"_s, l.discounted},
                       {u"默认菜品"_s, l.defaultDish},
                       {u"后厨打印机"_s, l.kitchenPrinter},
                       {u"菜品种类"_s, l.category}});
}

void CartService::writeLine(const CartLine &l)
{
    m_ctx.db().execute(u"update "_s + m_table.table
                           + u" set 产品名称=:产品名称,数量=:数量,单价=:单价,原价=:原价,应付货款=:应付货款,提成=:提成,"
                             u"口味=:口味 where "_s
                           + m_table.keyColumn + u"=:key and "_s + quoteIdentifier(m_table.idColumn) + u"=:id"_s,
                       {{u"key"_s, m_key},
                        {u"id"_s, l.id},
                        {u"产品名称"_s, l.name},
                        {u"数量"_s, moneyParam(l.quantity)},
                        {u"单价"_s, moneyParam(l.price)},
                        {u"原价"_s, moneyParam(l.originalPrice)},
                        {u"应付货款"_s, moneyParam(l.amount)},
                        {u"提成"_s, moneyParam(l.commission)},
                        {u"口味"_s, l.flavour}});
}

QString CartService::addDish(qint64 dishId, const QString &roundOffText)
{
    const QString m = roundOffText.trimmed();
    if (!m.isEmpty() && m != u"-" && !Money::parse(m))
        return notANumberMessage(u"抹零"_s, roundOffText);
    ScratchWrite scratch(m_ctx.db());
    const std::optional<Dish> d = dish(dishId);
    if (!d)
        return {};
    Db &db = m_ctx.db();
    const QString printer = kitchenPrinterFor(d->name);

    Transaction tx(db);
    const QList<SqlRow> contents = db.rows(u"select 菜品名称,数量 from 套餐内容 where 套餐名称=:套餐名称"_s,
                                           {{u"套餐名称"_s, d->name}});
    if (contents.isEmpty()) {
        // An ordinary dish merges into its unflavoured line outside any set meal.
        QString sql = u"select "_s + columns() + u" from "_s + m_table.table + u" where "_s + m_table.keyColumn
            + u"=:key and 产品名称=:产品名称 and (口味=:口味 or 口味 is null)"
              u" and (套餐名称 is null or 套餐名称=:空)"_s;
        SqlParams params{{u"key"_s, m_key}, {u"产品名称"_s, d->name}, {u"口味"_s, u""_s}, {u"空"_s, u""_s}};
        if (m_mergeOnlyNew) {
            sql += u" and 新老=:新老"_s;
            params.insert(u"新老"_s, kNew);
        }
        sql += u" order by "_s + quoteIdentifier(m_table.idColumn);
        const SqlRow found = db.first(sql, params);
        if (found.values().isEmpty()) {
            CartLine l;
            l.name = d->name;
            l.quantity = Money::fromInt(1);
            l.price = l.originalPrice = l.amount = d->price;
            l.commission = d->commission;
            l.newOld = kNew;
            l.discounted = d->discounted;
            l.kitchenPrinter = printer;
            l.category = d->category;
            appendLine(l);
        } else {
            CartLine l = fromRow(found);
            l.quantity += Money::fromInt(1);
            l.amount += d->price;
            l.commission = d->commission.times(l.quantity);
            writeLine(l);
        }
        tx.commit();
        return {};
    }

    const QList<SqlRow> setLines =
        db.rows(u"select "_s + columns() + u" from "_s + m_table.table + u" where "_s + m_table.keyColumn
                    + u"=:key and 套餐名称=:套餐名称"_s,
                {{u"key"_s, m_key}, {u"套餐名称"_s, d->name}});
    if (setLines.isEmpty()) {
        CartLine head;
        head.name = head.setName = d->name;
        head.quantity = Money::fromInt(1);
        head.price = head.originalPrice = head.amount = d->price;
        head.commission = d->commission;
        head.newOld = kNew;
        head.discounted = d->discounted;
        head.kitchenPrinter = printer;
        head.category = d->category;
        appendLine(head);
        for (const SqlRow &c : contents) {
            CartLine part;
            part.name = part.defaultDish = c.text(u"菜品名称"_s);
            part.quantity = c.money(u"数量"_s);
            part.setName = d->name;
            part.newOld = kNew;
            part.discounted = d->discounted;
            part.kitchenPrinter = printer;
            part.category = d->category;
            appendLine(part);
        }
    } else {
        for (const SqlRow &r : setLines) {
            CartLine l = fromRow(r);
            l.quantity += Money::fromInt(1);
            if (l.isSetHead()) {
                l.amount += d->price;
                l.commission = d->commission.times(l.quantity);
            }
            writeLine(l);
        }
    }
    tx.commit();
    return {};
}

void CartService::setQuantity(qint64 id, Money quantity)
{
    ScratchWrite scratch(m_ctx.db());
    std::optional<CartLine> l = line(id);
    if (!l)
        return;
    Db &db = m_ctx.db();
    Transaction tx(db);
    if (l->inSet()) {
        // Every line of a set meal carries the same number of sets.
        const QList<SqlRow> rows =
            db.rows(u"select "_s + columns() + u" from "_s + m_table.table + u" where "_s + m_table.keyColumn
                        + u"=:key and 套餐名称=:套餐名称"_s,
                    {{u"key"_s, m_key}, {u"套餐名称"_s, l->setName}});
        for (const SqlRow &r : rows) {
            CartLine s = fromRow(r);
            const bool free = s.isFree();
            s.quantity = quantity;
            s.amount = free ? Money() : quantity.times(s.price);
            if (s.isSetHead())
                if (const auto c = commissionPerPortion(s.name))
                    s.commission = c->times(quantity);
            writeLine(s);
        }
    } else {
        const bool free = l->isFree();
        l->quantity = quantity;
        l->amount = free ? Money() : quantity.times(l->price);
        if (const auto c = commissionPerPortion(l->name))
            l->commission = c->times(quantity);
        writeLine(*l);
    }
    tx.commit();
}

void CartService::editLine(qint64 id, const std::function<void(CartLine &)> &change)
{
    ScratchWrite scratch(m_ctx.db());
    std::optional<CartLine> l = line(id);
    if (!l)
        return;
    change(*l);
    writeLine(*l);
}

void CartService::setPrice(qint64 id, Money price)
{
    editLine(id, [price](CartLine &l) {
        const bool free = l.isFree();
        l.price = price;
        l.amount = free ? Money() : l.quantity.times(price);
    });
}

void CartService::setFlavour(qint64 id, const QString &flavour)
{
    editLine(id, [this, &flavour](CartLine &l) {
        const bool free = l.isFree();
        l.flavour = flavour;
        if (!flavour.isEmpty()) {
            l.price = l.originalPrice + surchargeOf(flavour);
            l.amount = free ? Money() : l.quantity.times(l.price);
        }
    });
}

void CartService::setFlavoursAndPrice(qint64 id, const QString &flavours, Money price)
{
    editLine(id, [&flavours, price](CartLine &l) {
        const bool free = l.isFree();
        l.flavour = flavours;
        l.price = price;
        l.amount = free ? Money() : l.quantity.times(price);
    });
}

void CartService::setName(qint64 id, const QString &name)
{
    editLine(id, [&name](CartLine &l) { l.name = name; });
}

void CartService::toggleFree(qint64 id)
{
    editLine(id, [](CartLine &l) { l.amount = l.isFree() ? l.quantity.times(l.price) : Money(); });
}

void CartService::combine(qint64 id, qint64 dishId)
{
    ScratchWrite scratch(m_ctx.db());
    std::optional<CartLine> l = line(id);
    const std::optional<Dish> d = dish(dishId);
    if (!l || !d)
        return;
    l->name = l->name + u'+' + d->name;
    if (m_ctx.settings().value(u"双拼价格"_s) == u"最高")
        l->price = std::max(l->price, d->price);
    else
        l->price = (l->price + d->price).dividedBy(Money::fromInt(2));
    // The combined price is the line's base price from now on, so a flavour
    // picked later adds its surcharge to it.
    l->originalPrice = l->price;
    l->amount = l->quantity.times(l->price);
    l->flavour.clear();
    writeLine(*l);
}

void CartService::removeSet(const QString &setName)
{
    Db &db = m_ctx.db();
    db.execute(u"delete from "_s + m_table.table + u" where "_s + m_table.keyColumn + u"=:key and 套餐名称=:套餐名称"_s,
               {{u"key"_s, m_key}, {u"套餐名称"_s, setName}});
    db.execute(u"delete from "_s + m_table.table + u" where "_s + m_table.keyColumn + u"=:key and 产品名称=:产品名称"_s,
               {{u"key"_s, m_key}, {u"产品名称"_s, setName}});
}

void CartService::remove(qint64 id)
{
    ScratchWrite scratch(m_ctx.db());
    std::optional<CartLine> l = line(id);
    if (!l)
        return;
    Transaction tx(m_ctx.db());
    if (l->inSet())
        removeSet(l->setName);
    else
        m_ctx.db().execute(u"delete from "_s + m_table.table + u" where "_s + m_table.keyColumn + u"=:key and "_s
                               + quoteIdentifier(m_table.idColumn) + u"=:id"_s,
                           {{u"key"_s, m_key}, {u"id"_s, id}});
    tx.commit();
}

void CartService::removeOnePortion(qint64 id)
{
    if (m_ctx.settings().value(u"已选菜区域双击动作"_s) == u"不删除")
        return;
    ScratchWrite scratch(m_ctx.db());
    std::optional<CartLine> l = line(id);
    if (!l)
        return;
    const Money one = Money::fromInt(1);
    if (l->inSet()) {
        if (!l->isSetHead())
            return; // a component follows its set
        if (l->quantity <= one) {
            Transaction tx(m_ctx.db());
            removeSet(l->setName);
            tx.commit();
        } else {
            setQuantity(id, l->quantity - one);
        }
        return;
    }
    if (l->quantity <= one)
        remove(id);
    else
        setQuantity(id, l->quantity - one);
}

QStringList CartService::alternatives(qint64 id)
{
    std::optional<CartLine> l = line(id);
    QStringList out;
    if (!l || !l->inSet() || l->isSetHead())
        return out;
    for (const SqlRow &r : m_ctx.db().rows(
             u"select 备选菜品 from 备选菜品 where 套餐名称=:套餐名称 and 默认菜品=:默认菜品"_s,
             {{u"套餐名称"_s, l->setName}, {u"默认菜品"_s, l->defaultDish}}))
        out << r.text(u"备选菜品"_s);
    return out;
}

void CartService::clear()
{
    ScratchWrite scratch(m_ctx.db());
    m_ctx.db().execute(u"delete from "_s + m_table.table + u" where "_s + m_table.keyColumn + u"=:key"_s,
                       {{u"key"_s, m_key}});
}

QStringList CartService::flavourNames()
{
    QStringList out;
    for (const SqlRow &r : m_ctx.db().rows(u"select 口味 from 口味"_s))
        out << r.text(u"口味"_s);
    return out;
}

Money CartService::surchargeOf(const QString &flavour)
{
    return Money::fromVariant(
        m_ctx.db().scalar(u"select 加价 from 口味 where 口味=:口味"_s, {{u"口味"_s, flavour}}));
}

} // namespace lanfan
