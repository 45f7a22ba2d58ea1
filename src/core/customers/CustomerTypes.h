#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace lanfan {

class AppContext;

// A customer type with its discount rate in tenths ("10" = no discount,
// "9" = 90 %); the rate is empty when none was given.
struct CustomerType {
    QString name;
    QString rate;
};

// The customer types (客户类型).
class CustomerTypeStore {
public:
    explicit CustomerTypeStore(AppContext &ctx);

    QList<CustomerType> all();
    QStringList names(); // ordered by name, for drop-downs and the tree

    // The rate must be empty or a number; returns false otherwise.
    static bool rateIsValid(const QString &rate);

    void add(const CustomerType &type);
    // Changes a type. When the name changes, every customer of the old name
    // gets the new one, in the same transaction as the type itself.
    // Returns the number of customers renamed.
    int change(const CustomerType &old, const CustomerType &changed);
    // Deletes the type; its customers keep the name.
    void remove(const CustomerType &type);

    // The question before a delete.
    static QString deleteQuestion(const QString &name);

private:
    AppContext &m_ctx;
};

// The delivery areas (区域).
class AreaStore {
public:
    explicit AreaStore(AppContext &ctx);

    QStringList names(); // ordered by name
    void add(const QString &name);
    // Renames the area rows of that name (the grid of the area window is
    // edited in place); customers keep the name they have.
    void rename(const QString &from, const QString &to);
    // Deletes every row of that name; customers of the area keep it.
    void remove(const QString &name);

    // The main window's area filter list: "总部" followed by every area.
    QStringList filterItems();
    static QString emptyNameMessage() { return QStringLiteral("请输入添加的部门信息"); }

private:
    AppContext &m_ctx;
};

} // namespace lanfan
