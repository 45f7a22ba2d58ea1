#include "OperatorWindows.h"

#include "Tmain.h"
#include "app/AppContext.h"
#include "common/Prompter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(text);
    b->setAutoDefault(false);
    return b;
}

QLineEdit *passwordBox(const QString &name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setEchoMode(QLineEdit::Password);
    return box;
}

QDialogButtonBox *okCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *ok = buttons->addButton(u"确定"_s, QDialogButtonBox::AcceptRole);
    ok->setObjectName(u"确定"_s);
    QPushButton *cancel = buttons->addButton(u"取消"_s, QDialogButtonBox::RejectRole);
    cancel->setObjectName(u"取消"_s);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

// ---------------------------------------------------------------- list

Tcaozuoyuan_list::Tcaozuoyuan_list(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_ops(ctx)
{
    setObjectName(u"Tcaozuoyuan_list"_s);
    setWindowTitle(u"操作员列表"_s);
    resize(560, 440);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(u"operatorTree"_s);
    m_tree->setHeaderLabel(u"操作员"_s);
    m_checks = new QListWidget(this);
    m_checks->setObjectName(u"rightsList"_s);

    auto *lists = new QHBoxLayout;
    lists->addWidget(m_tree, 1);
    lists->addWidget(m_checks, 1);

    auto *buttons = new QHBoxLayout;
    QPushButton *add = button(u"新建"_s, this);
    QPushButton *edit = button(u"修改"_s, this);
    QPushButton *remove = button(u"删除"_s, this);
    QPushButton *quit = button(u"退出"_s, this);
    buttons->addStretch();
    for (QPushButton *b : {add, edit, remove, quit})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(buttons);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { showGroup(item); });
    connect(m_checks, &QListWidget::itemChanged, this, [this] { saveGroup(); });
    connect(add, &QPushButton::clicked, this, &Tcaozuoyuan_list::addOperator);
    connect(edit, &QPushButton::clicked, this, &Tcaozuoyuan_list::editOperator);
    connect(remove, &QPushButton::clicked, this, &Tcaozuoyuan_list::removeOperator);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    reload();
}

void Tcaozuoyuan_list::reload()
{
    m_loading = true;
    m_tree->clear();
    m_checks->clear();
    m_operator.clear();
    m_group = 0;
    for (const QString &name : m_ops.names()) {
        auto *node = new QTreeWidgetItem(m_tree, {name});
        for (const RightsGroup &g : rightsGroups())
            new QTreeWidgetItem(node, {g.nodeText()});
    }
    m_tree->expandAll();
    m_loading = false;
}

void Tcaozuoyuan_list::showGroup(QTreeWidgetItem *item)
{
    m_loading = true;
    m_checks->clear();
    m_operator.clear();
    m_group = 0;
    const RightsGroup *group = item && item->parent() ? rightsGroupByNode(item->text(0)) : nullptr;
    if (group) {
        m_operator = item->parent()->text(0);
        m_group = group->number;
        const QString rights = m_ops.rights(m_operator, m_group);
        for (qsizetype i = 0; i < group->functions.size(); ++i) {
            auto *check = new QListWidgetItem(group->functions[i], m_checks);
            check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            check->setCheckState(i < rights.size() && rights[i] == u'1' ? Qt::Checked : Qt::Unchecked);
        }
    }
    m_loading = false;
}

void Tcaozuoyuan_list::saveGroup()
{
    if (m_loading || m_group == 0)
        return;
    QList<bool> ticks;
    for (int i = 0; i < m_checks->count(); ++i)
        ticks << (m_checks->item(i)->checkState() == Qt::Checked);
    m_ops.saveRights(m_operator, m_group, ticks);
}

void Tcaozuoyuan_list::addOperator()
{
    auto *editor = new Tcaozuoyuan_add(m_ctx, 0, this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &QDialog::finished, this, &Tcaozuoyuan_list::reload);
    editor->open();
}

void Tcaozuoyuan_list::editOperator()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (!item || item->parent()) {
        m_ctx.prompter().warning(kChooseLowerNodeMessage);
        return;
    }
    const std::optional<OperatorRow> row = m_ops.findByName(item->text(0));
    if (!row)
        return;
    auto *editor = new Tcaozuoyuan_add(m_ctx, row->id, this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &QDialog::finished, this, &Tcaozuoyuan_list::reload);
    editor->open();
}

void Tcaozuoyuan_list::removeOperator()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    const QString text = item ? item->text(0) : QString();
    const QString refusal = m_ops.checkDelete(text, item && !item->parent());
    if (!refusal.isEmpty()) {
        m_ctx.prompter().warning(refusal);
        return;
    }
    if (!m_ctx.prompter().confirm(kConfirmDeleteMessage, m_ctx.programTitle()))
        return;
    m_ops.remove(text);
    reload();
}

void Tcaozuoyuan_list::done(int result)
{
    m_ops.reloadCurrentOperator();
    QDialog::done(result);
}

// ---------------------------------------------------------------- editor

Tcaozuoyuan_add::Tcaozuoyuan_add(AppContext &ctx, int id, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_ops(ctx), m_id(id)
{
    setObjectName(u"Tcaozuoyuan_add"_s);
    setWindowTitle(u"操作员添加"_s);
    setMinimumWidth(300);

    m_name = new QLineEdit(this);
    m_name->setObjectName(u"用户"_s);
    m_password = passwordBox(u"密码"_s, this);
    m_repeat = passwordBox(u"重复密码"_s, this);
    m_role = new QComboBox(this);
    m_role->setObjectName(u"权限"_s);
    m_role->setEditable(true);
    m_role->addItems({u"管理员"_s, u"操作员"_s});
    m_role->setCurrentIndex(-1);

    auto *form = new QFormLayout;
    form->addRow(u"用户"_s, m_name);
    form->addRow(u"密码"_s, m_password);
    form->addRow(u"重复密码"_s, m_repeat);
    form->addRow(u"权限"_s, m_role);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));

    if (id != 0) {
        if (const std::optional<OperatorRow> row = m_ops.find(id)) {
            m_name->setText(row->name);
            m_name->setReadOnly(row->name == u"admin"_s);
            m_role->setCurrentText(row->role);
        }
    }
}

void Tcaozuoyuan_add::accept()
{
    const SaveResult result = m_ops.save(
        {m_id, m_name->text(), m_password->text(), m_repeat->text(), m_role->currentText()});
    if (!result.ok) {
        m_ctx.prompter().warning(result.message);
        return;
    }
    if (!result.message.isEmpty())
        m_ctx.prompter().information(result.message);
    QDialog::accept();
}

// ---------------------------------------------------------------- passwords

PasswordChangeDialog::PasswordChangeDialog(AppContext &ctx, Kind kind, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_kind(kind)
{
    m_old = passwordBox(u"原始密码"_s, this);
    m_new = passwordBox(u"新密码"_s, this);
    m_repeat = passwordBox(u"密码验证"_s, this);
    auto *form = new QFormLayout;
    form->addRow(u"原始密码"_s, m_old);
    form->addRow(u"新密码"_s, m_new);
    form->addRow(u"密码验证"_s, m_repeat);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
    setMinimumWidth(320);
}

void PasswordChangeDialog::showEvent(QShowEvent *event)
{
    m_old->clear();
    m_new->clear();
    m_repeat->clear();
    m_old->setFocus();
    QDialog::showEvent(event);
}

void PasswordChangeDialog::accept()
{
    Operators ops(m_ctx);
    const QString message = m_kind == Kind::Own
        ? ops.changeOwnPassword(m_old->text(), m_new->text(), m_repeat->text())
        : ops.changeInitPassword(m_old->text(), m_new->text(), m_repeat->text());
    if (message != kPasswordChangedMessage) {
        m_ctx.prompter().warning(message);
        return;
    }
    m_ctx.prompter().information(message);
    QDialog::accept();
}

Txiugai_mima::Txiugai_mima(AppContext &ctx, QWidget *parent)
    : PasswordChangeDialog(ctx, Kind::Own, parent)
{
    setObjectName(u"Txiugai_mima"_s);
    setWindowTitle(u"修改密码"_s);
}

TFchushihua_mima_xiugai::TFchushihua_mima_xiugai(AppContext &ctx, QWidget *parent)
    : PasswordChangeDialog(ctx, Kind::Initialisation, parent)
{
    setObjectName(u"TFchushihua_mima_xiugai"_s);
    setWindowTitle(u"初始化密码修改"_s);
}

// ---------------------------------------------------------------- opening

void openOperatorList(AppContext &ctx, Tmain &main)
{
    auto *list = new Tcaozuoyuan_list(ctx, &main);
    list->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(list, &QDialog::finished, &main,
                     [&ctx, &main] { main.applyRights(ctx.currentOperator()); });
    list->open();
}

void openOwnPasswordChange(AppContext &ctx, QWidget *parent)
{
    auto *dialog = new Txiugai_mima(ctx, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void openInitPasswordChange(AppContext &ctx, QWidget *parent)
{
    auto *dialog = new TFchushihua_mima_xiugai(ctx, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace lanfan
