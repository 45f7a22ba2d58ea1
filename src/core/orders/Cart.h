#pragma once

#include "common/Money.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace lanfan {

class AppContext;
class Clock;
class SqlRow;

// Which table holds a cart and which column tells the carts apart: the
// order forms' cart 销售临时表 (keyed by the form's cart key in 时间) or the
// cart of a saved order being changed, 订单修改临时表 (keyed by 单据编号).
struct CartTable {
    QString table;
    QString keyColumn;
    QString idColumn;

    static CartTable sales();
    static CartTable modification();
};

// One line of a cart.
struct CartLine {
    qint64 id = 0;
    QString name;          // 产品名称
    Money quantity;        // 数量
    Money price;           // 单价
    Money originalPrice;   // 原价
    Money amount;          // 应付货款
    Money commission;      // 提成
    QString flavour;       // 口味
    QString newOld;        // 新老: "新单" or "老单"
    QString setName;       // 套餐名称
    QString discounted;    // 是否打折
    QString defaultDish;   // 默认菜品
    QString kitchenPrinter;// 后厨打印机
    QString category;      // 菜品种类

    bool inSet() const { return !setName.isEmpty(); }
    // The set meal's own line (it carries the set's price).
    bool isSetHead() const { return inSet() && name == setName; }
    // A free line: nothing to pay on a line that has a price.
    bool isFree() const { return amount.isZero() && !price.isZero(); }
};

// A cart key no other form has, even for two forms shown in the same
// millisecond or on two PCs: the time to the millisecond plus a random part.
QString newCartKey(const Clock &clock);

// Caption of the free-dish button for a line: "不赠" on a free line, else "赠菜".
QString freeButtonCaption(const CartLine &line);

// Flavour editor: adds `flavour` (with its surcharge) to the flavours and price.
struct FlavourChoice {
    QString flavours;
    Money price;
};
FlavourChoice addFlavour(const FlavourChoice &current, const QString &flavour, Money surcharge);

// Every operation on the lines of one cart. All reads and writes are
// filtered by the cart key, so carts of several open forms never meet.
class CartService {
public:
    CartService(AppContext &ctx, CartTable table, QString key);

    const CartTable &table() const { return m_table; }
    const QString &key() const { return m_key; }
    void setKey(const QString &key) { m_key = key; }

    // With protection (the modification cart when returns are not free),
    // a dish added again only merges into a line added in this session.
    void setMergeOnlyNewLines(bool on) { m_mergeOnlyNew = on; }

    QList<CartLine> lines();
    std::optional<CartLine> line(qint64 id);
    // Sum of the amounts of the lines that take part in the discount, and of
    // the others (a line without a mark does not).
    Money discountedSum();
    Money undiscountedSum();

    // Adds dish `dishId` (菜单表.id). `roundOffText` is the form's rounding-off
    // box: when it is not empty, "-" or a number the add is refused. Returns
    // the refusal, or an empty text.
    QString addDish(qint64 dishId, const QString &roundOffText = QString());

    void setQuantity(qint64 id, Money quantity);
    void setPrice(qint64 id, Money price);
    // A named flavour sets the price to the original price plus its surcharge.
    void setFlavour(qint64 id, const QString &flavour);
    // The flavour editor's result: the flavours text and the price.
    void setFlavoursAndPrice(qint64 id, const QString &flavours, Money price);
    // A component of a set meal swapped for an alternative (or a renamed line).
    void setName(qint64 id, const QString &name);
    // "赠菜" / "不赠": makes the line free, or charges it again.
    void toggleFree(qint64 id);
    // "拼菜": combines dish `dishId` into the line (name "X+Y", price by 双拼价格).
    void combine(qint64 id, qint64 dishId);
    // "删除": the line, or every line of its set meal.
    void remove(qint64 id);
    // Double click: one portion less (setting 已选菜区域双击动作).
    void removeOnePortion(qint64 id);
    // The alternatives of a set component (备选菜品).
    QStringList alternatives(qint64 id);
    // Deletes every line of this cart.
    void clear();

    // The flavours of 口味 and their surcharges.
    QStringList flavourNames();
    Money surchargeOf(const QString &flavour);

private:
    struct Dish;
    std::optional<Dish> dish(qint64 id);
    std::optional<Money> commissionPerPortion(const QString &name);
    QString kitchenPrinterFor(const QString &dishName);
    void appendLine(const CartLine &line);
    void writeLine(const CartLine &line);
    // Loads a line, lets `change` edit it and writes it back; a line that
    // is gone is left alone.
    void editLine(qint64 id, const std::function<void(CartLine &)> &change);
    void removeSet(const QString &setName);
    QString columns() const;
    CartLine fromRow(const SqlRow &row) const;

    AppContext &m_ctx;
    CartTable m_table;
    QString m_key;
    bool m_mergeOnlyNew = false;
};

} // namespace lanfan
