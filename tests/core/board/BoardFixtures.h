#pragma once

// Orders written straight into 产品销售开票 for the board tests: one call
// per line, the order-level columns repeated on every line as a save does.

#include "common/Money.h"
#include "data/Db.h"

#include <QDate>
#include <QDateTime>

namespace lanfan::test {

struct BoardOrder {
    QString number;
    QDate takenOn;                 // 购物日期 (the business date of the order)
    QDate dueOn;                   // 送餐日期; invalid: same as takenOn
    QString dueAt = QStringLiteral("12:30:00");
    QString kind = QStringLiteral("外卖"); // 订单类型; a null string writes NULL
    bool dispatched = false;
    bool paid = false;
    QDateTime dispatchedAt;
    QDateTime paidAt;
    QString payment;               // 收款方式
    QString total = QStringLiteral("30");  // 折后金额
    QString area = QStringLiteral("东区");
    QString worker;
    QString meal = QStringLiteral("午餐");
    QString customer = QStringLiteral("张三");
    QString table;                 // 餐台号
};

inline QString stateText(bool dispatched, bool paid)
{
    return QStringLiteral("%1发货%2收款").arg(dispatched ? QStringLiteral("已") : QStringLiteral("未"),
                                                 paid ? QStringLiteral("已") : QStringLiteral("未"));
}

inline void addBoardLine(Db &db, const BoardOrder &o, const QString &dish, const QString &quantity,
                         const QString &price = QStringLiteral("10"))
{
    const QDate due = o.dueOn.isValid() ? o.dueOn : o.takenOn;
    const Money qty = Money::parseOrZero(quantity);
    const Money unit = Money::parseOrZero(price);
    db.execute(
        QStringLiteral(
            "insert into 产品销售开票 (单据编号,购物日期,时间,开单日期时间,产品名称,数量,单价,应付货款,客户姓名,区域,地址,电话,"
            "送餐日期,送餐时间,送餐日期时间,上下午,订单类型,餐台号,配送工,发货完毕,发货时间,交款完毕,收款时间,收款方式,"
            "订单状态,折后金额) values (:单据编号,:购物日期,'11:00:00',:开单日期时间,:产品名称,:数量,:单价,:应付货款,:客户姓名,"
            ":区域,'幸福路1号','13800138000',:送餐日期,:送餐时间,:送餐日期时间,:上下午,:订单类型,:餐台号,:配送工,:发货完毕,"
            ":发货时间,:交款完毕,:收款时间,:收款方式,:订单状态,:折后金额)"),
        {{QStringLiteral("单据编号"), o.number},
         {QStringLiteral("购物日期"), o.takenOn},
         {QStringLiteral("开单日期时间"), QDateTime(o.takenOn, QTime(11, 0))},
         {QStringLiteral("产品名称"), dish},
         {QStringLiteral("数量"), moneyParam(qty)},
         {QStringLiteral("单价"), moneyParam(unit)},
         {QStringLiteral("应付货款"), moneyParam(qty.times(unit))},
         {QStringLiteral("客户姓名"), o.customer},
         {QStringLiteral("区域"), o.area},
         {QStringLiteral("送餐日期"), due},
         {QStringLiteral("送餐时间"), o.dueAt},
         {QStringLiteral("送餐日期时间"), QDateTime(due, QTime::fromString(o.dueAt, QStringLiteral("HH:mm:ss")))},
         {QStringLiteral("上下午"), o.meal},
         {QStringLiteral("订单类型"), o.kind.isNull() ? QVariant() : QVariant(o.kind)},
         {QStringLiteral("餐台号"), o.table},
         {QStringLiteral("配送工"), o.worker},
         {QStringLiteral("发货完毕"), o.dispatched},
         {QStringLiteral("发货时间"), o.dispatchedAt.isValid() ? QVariant(o.dispatchedAt) : QVariant()},
         {QStringLiteral("交款完毕"), o.paid},
         {QStringLiteral("收款时间"), o.paidAt.isValid() ? QVariant(o.paidAt) : QVariant()},
         {QStringLiteral("收款方式"), o.payment.isEmpty() ? QVariant() : QVariant(o.payment)},
         {QStringLiteral("订单状态"), stateText(o.dispatched, o.paid)},
         {QStringLiteral("折后金额"), moneyParam(Money::parseOrZero(o.total))}});
}

// An order of two lines: 2 portions of 宫保鸡丁 and 1 of 米饭.
inline void addBoardOrder(Db &db, const BoardOrder &o)
{
    addBoardLine(db, o, QStringLiteral("宫保鸡丁"), QStringLiteral("2"), QStringLiteral("12"));
    addBoardLine(db, o, QStringLiteral("米饭"), QStringLiteral("1"), QStringLiteral("2"));
}

} // namespace lanfan::test
