#include "CustomerTypeWindows.h"

#include "app/AppContext.h"
#include "common/Prompter.h"

#include <QDoubleValidator>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

QPushButton *button(const QString &text, QWidget *parent, QLayout *layout)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(text);
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
}

} // namespace

TFkehu_leixing::TFkehu_leixing(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx), m_store(ctx)
{
    setObjectName(u"TFkehu_leixing"_s);
    setWindowTitle(u"客户类型设置"_s);
    auto *root = new QVBoxLayout(this);
    m_grid = new QTableWidget(0, 2, this);
    m_grid->setObjectName(u"DBGridEh1"_s);
    m_grid->setHorizontalHeaderLabels({u"客户类型"_s, u"折扣率"_s});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    root->addWidget(m_grid);
    auto *buttons = new QHBoxLayout;
    connect(button(u"添加"_s, this, buttons), &QPushButton::clicked, this, &TFkehu_leixing::addType);
    connect(button(u"修改"_s, this, buttons), &QPushButton::clicked, this, &TFkehu_leixing::editType);
    connect(button(u"删除"_s, this, buttons), &QPushButton::clicked, this, &TFkehu_leixing::removeType);
    connect(button(u"退出"_s, this, buttons), &QPushButton::clicked, this, &QDialog::close);
    root->addLayout(buttons);
    resize(420, 360);
    reload();
}

void TFkehu_leixing::reload()
{
    const int keep = m_grid->currentRow();
    const auto types = m_store.all();
    m_grid->setRowCount(int(types.size()));
    for (int i = 0; i < types.size(); ++i) {
        m_grid->setItem(i, 0, new QTableWidgetItem(types[i].name));
        m_grid->setItem(i, 1, new QTableWidgetItem(types[i].rate));
    }
    if (!types.isEmpty())
        m_grid->setCurrentCell(std::clamp(keep, 0, int(types.size()) - 1), 0);
}

CustomerType TFkehu_leixing::current() const
{
    const int row = m_grid->currentRow();
    if (row < 0)
        return {};
    return {m_grid->item(row, 0)->text(), m_grid->item(row, 1)->text()};
}

void TFkehu_leixing::addType()
{
    TFkhlx_add editor(m_ctx, std::nullopt, this);
    editor.exec();
    reload();
}

void TFkehu_leixing::editType()
{
    if (m_grid->currentRow() < 0)
        return;
    TFkhlx_add editor(m_ctx, current(), this);
    editor.exec();
    reload();
}

void TFkehu_leixing::removeType()
{
    if (m_grid->rowCount() == 0 || m_grid->currentRow() < 0)
        return;
    const CustomerType t = current();
    const QString title = m_ctx.settings().value(u"公司简称"_s) + u"订餐管理系统"_s;
    if (!m_ctx.prompter().confirm(CustomerTypeStore::deleteQuestion(t.name), title))
        return;
    try {
        m_store.remove(t);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    reload();
}

TFkhlx_add::TFkhlx_add(AppContext &ctx, std::optional<CustomerType> editing, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_old(std::move(editing))
{
    setObjectName(u"TFkhlx_add"_s);
    setWindowTitle(u"客户类型编辑"_s);
    auto *root = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_oldName = new QLineEdit(this);
    m_oldName->setObjectName(u"原客户类型"_s);
    m_oldName->setReadOnly(true);
    m_name = new QLineEdit(this);
    m_name->setObjectName(u"客户类型"_s);
    m_rate = new QLineEdit(this);
    m_rate->setObjectName(u"折扣率"_s);
    m_rate->setValidator(new QDoubleValidator(0, 10, 4, m_rate));
    if (m_old) {
        form->addRow(u"原客户类型"_s, m_oldName);
        m_oldName->setText(m_old->name);
        m_name->setText(m_old->name);
        m_rate->setText(m_old->rate);
    } else {
        m_oldName->hide();
    }
    form->addRow(u"客户类型"_s, m_name);
    form->addRow(u"折扣率"_s, m_rate);
    root->addLayout(form);
    root->addWidget(new QLabel(u"注意：折扣率为10就是不打折，9就是打9折。"_s, this));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    connect(button(u"确定"_s, this, buttons), &QPushButton::clicked, this, &TFkhlx_add::accept);
    connect(button(u"取消"_s, this, buttons), &QPushButton::clicked, this, &QDialog::reject);
    root->addLayout(buttons);
}

void TFkhlx_add::accept()
{
    const CustomerType changed{m_name->text(), m_rate->text().trimmed()};
    try {
        CustomerTypeStore store(m_ctx);
        if (m_old)
            store.change(*m_old, changed);
        else
            store.add(changed);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
        return;
    }
    QDialog::accept();
}

} // namespace lanfan
