#pragma once

#include "common/Money.h"
#include "data/Db.h"

#include <QDate>
#include <QList>
#include <QString>

namespace lanfan {

class AppContext;

// One row of 客户资料 as the editor sees it.
struct Customer {
    qint64 id = 0; // 0 until stored
    QString type;
    QString area;
    QString name;
    QString address;
    QString phone;
    QString card;
    QString company;
    QString idCard;
    QDate birthday;           // null when none
    int birthMonth = 0;       // 生日月, kept for the birthday search
    int birthDay = 0;         // 生日日
    QString credit = QStringLiteral("中");
    bool blacklisted = false;
    QString points;           // text of the editor's box; empty means 0
    QString qq;
    QString remark;
    QString purchaseAmount;   // 购物金额 as typed
    qint64 purchaseCount = 0;
    Money balance;

    bool isNew() const { return id == 0; }
};

// An additional address of a customer (多个地址).
struct CustomerAddress {
    qint64 id = 0;
    QString address;
};

// What a save came to: the message to show and, when stored, the id.
struct SaveOutcome {
    bool stored = false;
    QString message;
    qint64 id = 0;
};

// The customer file: reading, checking and storing customers and their
// additional addresses.
class CustomerStore {
public:
    explicit CustomerStore(AppContext &ctx);

    // Balances that were never set count as zero.
    int zeroNullBalances();

    Customer load(qint64 id);
    // The editor's check: the first message that refuses the save, or empty.
    static QString checkForSave(const Customer &c);
    // Checks and stores. A new customer starts with no purchases, no points
    // when none were typed and a zero balance; an edited one keeps his
    // balance and purchase count. The birthday month and day follow the
    // birthday whenever it was set or changed (0 and 0 without one).
    // "保存成功" is the message only once the row is stored; a failed store
    // returns the database's message.
    SaveOutcome save(const Customer &c);
    void remove(qint64 id);

    QList<CustomerAddress> addresses(qint64 customerId);
    void addAddress(qint64 customerId, const QString &address);
    void removeAddress(qint64 addressId);

    static QString savedMessage() { return QStringLiteral("保存成功"); }

private:
    AppContext &m_ctx;
};

} // namespace lanfan
