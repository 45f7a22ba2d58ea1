#pragma once

#include "customers/CustomerTypes.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace lanfan {

class AppContext;

// "客户类型设置": the customer types with their discount rates, read-only,
// with "添加", "修改", "删除" and "退出".
class TFkehu_leixing : public QDialog {
    Q_OBJECT
public:
    explicit TFkehu_leixing(AppContext &ctx, QWidget *parent = nullptr);
    void reload();

private:
    void addType();
    void editType();
    void removeType();
    CustomerType current() const;

    AppContext &m_ctx;
    CustomerTypeStore m_store;
    QTableWidget *m_grid = nullptr;
};

// "客户类型编辑": name and rate of one type; when editing, the old name is
// shown, and a new name reaches every customer of the old one.
class TFkhlx_add : public QDialog {
    Q_OBJECT
public:
    // Without `editing` the editor adds a type.
    TFkhlx_add(AppContext &ctx, std::optional<CustomerType> editing, QWidget *parent = nullptr);

private:
    void accept() override;

    AppContext &m_ctx;
    std::optional<CustomerType> m_old;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_rate = nullptr;
    QLineEdit *m_oldName = nullptr;
};

} // namespace lanfan
