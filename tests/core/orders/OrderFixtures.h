#pragma once

// A small menu for the order tests: two categories with their kitchen
// printers, dishes, a set meal with an alternative, and flavours.

#include "common/Money.h"
#include "data/Db.h"
#include "orders/ImCode.h"

#include <QHash>

namespace lanfan::test {

inline qint64 addDish(Db &db, const QString &name, const QString &price, const QString &category,
                      const QString &discounted = QStringLiteral("是"), const QString &commission = QStringLiteral("0"),
                      int sort = 0, const QString &code = QString(), const QString &stock = QStringLiteral("0"))
{
    return db.insert(QStringLiteral("insert into 菜单表 (编号,名称,食物总类,单价,拼音,业务员提成,是否参与打折,排序编号,当前库存)"
                                    " values (:编号,:名称,:食物总类,:单价,:拼音,:业务员提成,:是否参与打折,:排序编号,:当前库存)"),
                     {{QStringLiteral("编号"), code},
                      {QStringLiteral("名称"), name},
                      {QStringLiteral("食物总类"), category},
                      {QStringLiteral("单价"), QVariant::fromValue(Money::parseOrZero(price))},
                      {QStringLiteral("拼音"), dishMnemonic(name)},
                      {QStringLiteral("业务员提成"), QVariant::fromValue(Money::parseOrZero(commission))},
                      {QStringLiteral("是否参与打折"), discounted.isNull() ? QVariant() : QVariant(discounted)},
                      {QStringLiteral("排序编号"), sort},
                      {QStringLiteral("当前库存"), QVariant::fromValue(Money::parseOrZero(stock))}});
}

inline void addCategory(Db &db, const QString &name, const QString &printer, int sort)
{
    db.execute(QStringLiteral("insert into 种类 (种类,排序编号,后厨打印机,是否参与打折) values (:种类,:排序编号,:后厨打印机,'是')"),
               {{QStringLiteral("种类"), name}, {QStringLiteral("排序编号"), sort}, {QStringLiteral("后厨打印机"), printer}});
}

inline void addSetContent(Db &db, const QString &set, const QString &dish, int quantity)
{
    db.execute(QStringLiteral("insert into 套餐内容 (套餐名称,菜品名称,数量) values (:套餐名称,:菜品名称,:数量)"),
               {{QStringLiteral("套餐名称"), set}, {QStringLiteral("菜品名称"), dish}, {QStringLiteral("数量"), quantity}});
}

inline void addAlternative(Db &db, const QString &set, const QString &dish, const QString &alternative)
{
    db.execute(QStringLiteral("insert into 备选菜品 (套餐名称,默认菜品,备选菜品) values (:套餐名称,:默认菜品,:备选菜品)"),
               {{QStringLiteral("套餐名称"), set}, {QStringLiteral("默认菜品"), dish}, {QStringLiteral("备选菜品"), alternative}});
}

inline void addFlavour(Db &db, const QString &name, const QString &surcharge)
{
    db.execute(QStringLiteral("insert into 口味 (口味,加价) values (:口味,:加价)"),
               {{QStringLiteral("口味"), name}, {QStringLiteral("加价"), QVariant::fromValue(Money::parseOrZero(surcharge))}});
}

// The standard menu; returns the dish ids by name.
inline QHash<QString, qint64> addMenu(Db &db)
{
    addCategory(db, QStringLiteral("热菜"), QStringLiteral("厨房打印机"), 1);
    addCategory(db, QStringLiteral("饮料"), QStringLiteral("吧台打印机"), 2);
    addCategory(db, QStringLiteral("套餐"), QStringLiteral("厨房打印机"), 3);
    QHash<QString, qint64> ids;
    ids.insert(QStringLiteral("宫保鸡丁"), addDish(db, QStringLiteral("宫保鸡丁"), QStringLiteral("20"), QStringLiteral("热菜"),
                                                QStringLiteral("是"), QStringLiteral("1.5"), 1, QStringLiteral("101"), QStringLiteral("12")));
    ids.insert(QStringLiteral("鱼香肉丝"), addDish(db, QStringLiteral("鱼香肉丝"), QStringLiteral("18"), QStringLiteral("热菜"),
                                                QStringLiteral("是"), QStringLiteral("1"), 2, QStringLiteral("102")));
    ids.insert(QStringLiteral("可乐"), addDish(db, QStringLiteral("可乐"), QStringLiteral("5"), QStringLiteral("饮料"),
                                             QStringLiteral("否"), QStringLiteral("0"), 3, QStringLiteral("201")));
    ids.insert(QStringLiteral("米饭"), addDish(db, QStringLiteral("米饭"), QStringLiteral("2"), QStringLiteral("热菜"),
                                             QString(), QStringLiteral("0"), 4, QStringLiteral("103")));
    ids.insert(QStringLiteral("商务套餐"), addDish(db, QStringLiteral("商务套餐"), QStringLiteral("30"), QStringLiteral("套餐"),
                                                QStringLiteral("是"), QStringLiteral("2"), 5, QStringLiteral("301")));
    addSetContent(db, QStringLiteral("商务套餐"), QStringLiteral("宫保鸡丁"), 1);
    addSetContent(db, QStringLiteral("商务套餐"), QStringLiteral("米饭"), 2);
    addAlternative(db, QStringLiteral("商务套餐"), QStringLiteral("宫保鸡丁"), QStringLiteral("鱼香肉丝"));
    addAlternative(db, QStringLiteral("商务套餐"), QStringLiteral("宫保鸡丁"), QStringLiteral("回锅肉"));
    addFlavour(db, QStringLiteral("微辣"), QStringLiteral("0"));
    addFlavour(db, QStringLiteral("加蛋"), QStringLiteral("2"));
    return ids;
}

} // namespace lanfan::test
