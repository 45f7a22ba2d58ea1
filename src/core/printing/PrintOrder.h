#pragma once

#include "common/Money.h"

#include <QList>
#include <QString>

namespace lanfan {
class Db;
}

namespace lanfan::printing {

// One dish line as the tickets print it.
struct PrintLine {
    QString dish;
    QString flavour;
    Money price;
    Money quantity;
    Money amount;
    QString kitchenPrinter; // 后厨打印机 of the line
    QString newOld;         // 新老 on the modification table: "新单" for a line added now
};

// Everything a receipt, a kitchen ticket or a template asks about one order.
// Filled from the saved lines of 产品销售开票 (or by an order form from its
// own boxes); every text is as it prints.
struct PrintOrder {
    QString orderNumber;
    QString operatorName;
    QString worker;        // 配送工
    QString orderDate;     // yyyy-MM-dd
    QString orderTime;     // HH:mm:ss
    QString deliveryDate;  // yyyy-MM-dd
    QString deliveryTime;  // HH:mm:ss
    QString customerName;
    QString phone;
    QString address;       // as printed (area in front when the setting asks)
    QString area;
    QString company;
    QString points;        // points shown on the ticket
    QString note;          // 发货备注
    QString customerRemark;
    QString customerType;
    QString memberCode;
    QString payment;
    QString tableNumber;
    QString orderKind;     // 外卖 / 堂食
    Money total;           // 折后金额
    Money rounding;        // 抹零金额
    Money discount = Money::fromInt(10); // tenths of the price, 10 = none
    Money pointsUsed;
    Money previousPoints;
    Money balance;
    Money serviceRate;     // percent
    Money taxRate;         // percent
    Money cash;
    Money change;
    QList<PrintLine> lines;      // the lines this print run prints
    QList<PrintLine> savedLines; // the order's saved lines (counts of the one-dish tickets)

    Money portions() const;  // sum of 数量
    Money listTotal() const; // sum of 应付货款
    QString deliveryText() const { return QString(deliveryDate + u' ' + deliveryTime).trimmed(); }
    QString orderDateTime() const { return QString(orderDate + u' ' + orderTime).trimmed(); }
};

// Reads a saved order by its number. The lines keep the order of their ids.
// The printed address has the area in front when `areaInAddress`.
// Returns an order without lines when the number is unknown. Throws SqlError.
PrintOrder loadSavedOrder(Db &db, const QString &orderNumber, bool areaInAddress);

// The lines of an order being changed (订单修改临时表 by 单据编号), with 新老.
QList<PrintLine> loadModificationLines(Db &db, const QString &orderNumber);

// The lines of one form's cart (销售临时表 by its key 时间).
QList<PrintLine> loadCartLines(Db &db, const QString &cartKey);

// A two-decimal money text as the tickets print amounts ("12.50").
QString moneyText(Money m);
// Quantities print without trailing zeros ("2", "0.5").
QString quantityText(Money m);

// A plausible order of a small takeaway shop, for samples and demonstrations.
PrintOrder sampleOrder();

} // namespace lanfan::printing
