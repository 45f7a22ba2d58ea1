#pragma once

// Saved orders for the printing tests, written as the order forms write them.

#include "common/Money.h"
#include "data/Db.h"

#include <QStringList>

namespace lanfan::test {

struct SavedLine {
    QString dish;
    QString flavour;
    QString price;
    QString quantity;
    QString printer;
};

// One order of the given lines; the header columns are the same on every line.
inline void addSavedOrder(Db &db, const QString &number, const QList<SavedLine> &lines,
                          const QString &discount = QStringLiteral("10"), const QString &kind = QStringLiteral("外卖"),
                          const QString &table = QString())
{
    Money list;
    for (const auto &l : lines)
        list += Money::parseOrZero(l.price).times(Money::parseOrZero(l.quantity));
    const Money total = list.times(Money::parseOrZero(discount)).dividedBy(Money::fromInt(10));
    for (const auto &l : lines) {
        const Money price = Money::parseOrZero(l.price);
        const Money qty = Money::parseOrZero(l.quantity);
        db.execute(QStringLiteral(
                       "insert into 产品销售开票 (单据编号,购物日期,时间,开单日期时间,产品名称,数量,单价,原价,口味,应付货款,"
                       "后厨打印机,客户姓名,区域,地址,电话,送餐日期,送餐时间,订单类型,餐台号,配送工,发货备注,打折,折后金额,"
                       "抹零金额,积分,使用积分,收款方式) values (:单据编号,'2026-12-11','11:30:00','2026-12-11 11:30:00',"
                       ":产品名称,:数量,:单价,:单价,:口味,:应付货款,:后厨打印机,'张先生','岳麓区',"
                       "'麓山南路932号','13807310001','2026-12-11','12:00:00',:订单类型,:餐台号,'王师傅','少放辣',"
                       ":打折,:折后金额,0,0,0,'现金')"),
                   {{QStringLiteral("单据编号"), number},
                    {QStringLiteral("产品名称"), l.dish},
                    {QStringLiteral("数量"), QVariant::fromValue(qty)},
                    {QStringLiteral("单价"), QVariant::fromValue(price)},
                    {QStringLiteral("口味"), l.flavour},
                    {QStringLiteral("应付货款"), QVariant::fromValue(price.times(qty))},
                    {QStringLiteral("后厨打印机"), l.printer},
                    {QStringLiteral("订单类型"), kind},
                    {QStringLiteral("餐台号"), table},
                    {QStringLiteral("打折"), Money::parseOrZero(discount).toDouble()},
                    {QStringLiteral("折后金额"), QVariant::fromValue(total)}});
    }
}

// Lines of an order being changed, with 新老.
inline void addModificationLine(Db &db, const QString &number, const SavedLine &l, const QString &newOld)
{
    const Money price = Money::parseOrZero(l.price);
    const Money qty = Money::parseOrZero(l.quantity);
    db.execute(QStringLiteral("insert into 订单修改临时表 (单据编号,产品名称,数量,单价,原价,应付货款,口味,新老,后厨打印机) values "
                              "(:单据编号,:产品名称,:数量,:单价,:单价,:应付货款,:口味,:新老,:后厨打印机)"),
               {{QStringLiteral("单据编号"), number},
                {QStringLiteral("产品名称"), l.dish},
                {QStringLiteral("数量"), QVariant::fromValue(qty)},
                {QStringLiteral("单价"), QVariant::fromValue(price)},
                {QStringLiteral("应付货款"), QVariant::fromValue(price.times(qty))},
                {QStringLiteral("口味"), l.flavour},
                {QStringLiteral("新老"), newOld},
                {QStringLiteral("后厨打印机"), l.printer}});
}

} // namespace lanfan::test
