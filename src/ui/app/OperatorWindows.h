#pragma once

#include "app/Operators.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;

namespace lanfan {

class AppContext;
class Tmain;

// "操作员列表": the operators, each with the five rights groups; the check
// list shows the selected group's functions and saves the group at every
// click. Closing it reads the current operator's rights again.
class Tcaozuoyuan_list : public QDialog {
    Q_OBJECT
public:
    explicit Tcaozuoyuan_list(AppContext &ctx, QWidget *parent = nullptr);
    void reload();

protected:
    void done(int result) override;

private:
    void showGroup(QTreeWidgetItem *item);
    void saveGroup();
    void addOperator();
    void editOperator();
    void removeOperator();

    AppContext &m_ctx;
    Operators m_ops;
    QTreeWidget *m_tree = nullptr;
    QListWidget *m_checks = nullptr;
    QString m_operator;   // whose group the check list shows
    int m_group = 0;
    bool m_loading = false;
};

// "操作员添加": a new operator (id 0) or an existing one.
class Tcaozuoyuan_add : public QDialog {
    Q_OBJECT
public:
    Tcaozuoyuan_add(AppContext &ctx, int id, QWidget *parent = nullptr);

private:
    void accept() override;

    AppContext &m_ctx;
    Operators m_ops;
    int m_id = 0;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_password = nullptr;
    QLineEdit *m_repeat = nullptr;
    QComboBox *m_role = nullptr;
};

// "修改密码" and "初始化密码修改": old password, new one, typed again.
class PasswordChangeDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Own, Initialisation };
    PasswordChangeDialog(AppContext &ctx, Kind kind, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void accept() override;

    AppContext &m_ctx;
    Kind m_kind;
    QLineEdit *m_old = nullptr;
    QLineEdit *m_new = nullptr;
    QLineEdit *m_repeat = nullptr;
};

class Txiugai_mima : public PasswordChangeDialog {
    Q_OBJECT
public:
    explicit Txiugai_mima(AppContext &ctx, QWidget *parent = nullptr);
};

class TFchushihua_mima_xiugai : public PasswordChangeDialog {
    Q_OBJECT
public:
    explicit TFchushihua_mima_xiugai(AppContext &ctx, QWidget *parent = nullptr);
};

// Opens the windows from the main window (modal to it, freed when closed).
// The operator list re-applies the current operator's rights when it closes.
void openOperatorList(AppContext &ctx, Tmain &main);
void openOwnPasswordChange(AppContext &ctx, QWidget *parent);
void openInitPasswordChange(AppContext &ctx, QWidget *parent);

} // namespace lanfan
