#include "AreaWindows.h"

#include "app/AppContext.h"
#include "common/Prompter.h"

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

QPushButton *button(const QString &text, QWidget *parent, QBoxLayout *layout)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(text);
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
}

} // namespace

Tqvyu_shezhi::Tqvyu_shezhi(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx), m_store(ctx)
{
    setObjectName(u"Tqvyu_shezhi"_s);
    setWindowTitle(u"客户区域设置"_s);
    auto *root = new QVBoxLayout(this);
    m_grid = new QTableWidget(0, 1, this);
    m_grid->setObjectName(u"DBGridEh1"_s);
    m_grid->setHorizontalHeaderLabels({u"区域"_s});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    root->addWidget(m_grid);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(u"区域名称"_s, this));
    m_name = new QLineEdit(this);
    m_name->setObjectName(u"区域名称"_s);
    row->addWidget(m_name, 1);
    connect(button(u"添加"_s, this, row), &QPushButton::clicked, this, &Tqvyu_shezhi::addArea);
    connect(button(u"删除"_s, this, row), &QPushButton::clicked, this, &Tqvyu_shezhi::removeArea);
    root->addLayout(row);
    connect(m_grid, &QTableWidget::cellChanged, this, &Tqvyu_shezhi::cellEdited);
    resize(380, 420);
    reload();
}

void Tqvyu_shezhi::reload()
{
    m_loading = true;
    const QStringList names = m_store.names();
    m_grid->setRowCount(int(names.size()));
    for (int i = 0; i < names.size(); ++i) {
        auto *item = new QTableWidgetItem(names[i]);
        item->setData(Qt::UserRole, names[i]);
        m_grid->setItem(i, 0, item);
    }
    m_loading = false;
}

void Tqvyu_shezhi::addArea()
{
    if (m_name->text().isEmpty()) {
        m_ctx.prompter().information(AreaStore::emptyNameMessage());
        return;
    }
    try {
        m_store.add(m_name->text());
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    reload();
}

void Tqvyu_shezhi::removeArea()
{
    if (!m_ctx.prompter().confirm(u"确实要删除吗？"_s, m_ctx.programTitle()))
        return;
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    try {
        m_store.remove(m_grid->item(row, 0)->data(Qt::UserRole).toString());
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    reload();
}

void Tqvyu_shezhi::cellEdited(int row, int column)
{
    if (m_loading || column != 0)
        return;
    QTableWidgetItem *item = m_grid->item(row, 0);
    const QString old = item->data(Qt::UserRole).toString();
    if (item->text() == old)
        return;
    try {
        m_store.rename(old, item->text());
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    reload();
}

void Tqvyu_shezhi::done(int result)
{
    QDialog::done(result);
    Q_EMIT areasChanged();
}

TFqvyu_add::TFqvyu_add(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(u"TFqvyu_add"_s);
    setWindowTitle(u"客户区域增加"_s);
    auto *root = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(u"区域名称"_s, this));
    m_name = new QLineEdit(this);
    m_name->setObjectName(u"区域名称"_s);
    row->addWidget(m_name, 1);
    root->addLayout(row);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    connect(button(u"确定"_s, this, buttons), &QPushButton::clicked, this, &TFqvyu_add::accept);
    connect(button(u"取消"_s, this, buttons), &QPushButton::clicked, this, &QDialog::reject);
    root->addLayout(buttons);
}

void TFqvyu_add::showEvent(QShowEvent *event)
{
    m_name->clear();
    QDialog::showEvent(event);
}

void TFqvyu_add::accept()
{
    try {
        AreaStore(m_ctx).add(m_name->text());
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
        return;
    }
    QDialog::accept();
}

} // namespace lanfan
