#pragma once

#include "customers/CustomerTypes.h"

#include <QDialog>

class QLineEdit;
class QTableWidget;

namespace lanfan {

class AppContext;

// "客户区域设置" (main menu "客户区域管理"): the areas in an editable grid,
// a name box with "添加" and "删除". `areasChanged` tells the main window to
// rebuild its area filter list (AreaStore::filterItems) when it closes.
class Tqvyu_shezhi : public QDialog {
    Q_OBJECT
public:
    explicit Tqvyu_shezhi(AppContext &ctx, QWidget *parent = nullptr);
    void reload();

Q_SIGNALS:
    void areasChanged();

protected:
    void done(int result) override;

private:
    void addArea();
    void removeArea();
    void cellEdited(int row, int column);

    AppContext &m_ctx;
    AreaStore m_store;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_name = nullptr;
    bool m_loading = false;
};

// "客户区域增加": one name; "确定" adds it (an empty name too) and closes.
class TFqvyu_add : public QDialog {
    Q_OBJECT
public:
    explicit TFqvyu_add(AppContext &ctx, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void accept() override;

    AppContext &m_ctx;
    QLineEdit *m_name = nullptr;
};

} // namespace lanfan
