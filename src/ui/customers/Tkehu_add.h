#pragma once

#include "customers/CustomerStore.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace lanfan {

class AppContext;

// The customer editor "客户管理": page "基本信息" with the required and the
// optional fields, page "多个地址" with the customer's other addresses.
// Opened with id 0 for a new customer ("新建"), otherwise on that customer
// ("修改"). A new customer closes the editor once stored; an edited one
// stays open.
class Tkehu_add : public QDialog {
    Q_OBJECT
public:
    Tkehu_add(AppContext &ctx, qint64 customerId = 0, QWidget *parent = nullptr);

    qint64 customerId() const { return m_customer.id; }

Q_SIGNALS:
    // A customer was stored (new or changed).
    void saved(qint64 id);

private:
    void build();
    void applyLanguage();
    void fill();
    Customer collect() const;
    void accept() override;
    void pageChanged(int index);
    void reloadAddresses();
    void addAddress();
    void removeAddress();
    bool eventFilter(QObject *watched, QEvent *event) override;

    AppContext &m_ctx;
    CustomerStore m_store;
    Customer m_customer;

    QTabWidget *m_pages = nullptr;
    QComboBox *m_type = nullptr;
    QComboBox *m_area = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_address = nullptr;
    QLineEdit *m_phone = nullptr;
    QLineEdit *m_card = nullptr;
    QLineEdit *m_company = nullptr;
    QLineEdit *m_idCard = nullptr;
    QDateEdit *m_birthday = nullptr;
    QComboBox *m_credit = nullptr;
    QCheckBox *m_blacklist = nullptr;
    QLineEdit *m_points = nullptr;
    QLineEdit *m_qq = nullptr;
    QLineEdit *m_remark = nullptr;
    QLineEdit *m_amount = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QTableWidget *m_addresses = nullptr;
    QLineEdit *m_newAddress = nullptr;
};

} // namespace lanfan
