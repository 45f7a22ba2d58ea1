#pragma once

#include "data/Db.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace lanfan {

// The columns the customer list loads, in the order of its query. The
// spreadsheet layout (columns A to S) is the first nineteen of them.
const QStringList &customerListFields();
// Title a field carries in grids and in the exported header row.
QString customerFieldTitle(const QString &field);

// The three orders of the list's "排序：" buttons.
enum class CustomerOrder { ByOrders, ByCard, ById };
QString customerOrderSql(CustomerOrder order);

// A load of the customer list: the conditions appended to "where 1=1",
// their parameters and the order.
struct CustomerQuery {
    QString conditions;
    SqlParams params;
    QString order = customerOrderSql(CustomerOrder::ByOrders);

    // The full select of the list's columns.
    QString selectSql() const;
    // The ids of the matching customers, in the list's order.
    QString idSql() const;
    // How many customers match.
    QString countSql() const;
};

// The ticked search criteria; an unset criterion is not applied.
struct CustomerCriteria {
    std::optional<QString> area;     // "区域": exact
    std::optional<QString> phone;    // "电话号码": contains
    std::optional<QString> qq;       // "QQ号": contains
    bool birthdayToday = false;      // "今天生日"
    std::optional<QString> name;     // "姓名": contains
    std::optional<QString> address;  // "地址": default or any additional address contains
    std::optional<QString> card;     // "会员卡号": exact
};

// Every customer in the given order.
CustomerQuery allCustomers(CustomerOrder order);
// The search of the list: every set criterion in this order, then the order.
CustomerQuery searchCustomers(const CustomerCriteria &criteria, const QDate &today, CustomerOrder order);
// The tree filters: customers of one area, or of one customer type, by id.
CustomerQuery customersOfArea(const QString &area);
CustomerQuery customersOfType(const QString &type);

} // namespace lanfan
