#include "TFyouhui_shiduan.h"

#include "app/AppContext.h"
#include "common/Prompter.h"
#include "data/SqlError.h"
#include "orders/DiscountPeriods.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lanfan {

TFyouhui_shiduan::TFyouhui_shiduan(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(u"TFyouhui_shiduan"_s);
    setWindowTitle(u"优惠时段设置"_s);

    m_grid = new QTableWidget(0, 3, this);
    m_grid->setObjectName(u"DBGridEh1"_s);
    m_grid->setHorizontalHeaderLabels({u"开始时间"_s, u"结束时间"_s, u"折扣率"_s});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);

    m_from = new QTimeEdit(this);
    m_from->setObjectName(u"DateTimePicker1"_s);
    m_from->setDisplayFormat(u"HH:mm:ss"_s);
    m_to = new QTimeEdit(this);
    m_to->setObjectName(u"DateTimePicker2"_s);
    m_to->setDisplayFormat(u"HH:mm:ss"_s);
    m_rate = new QLineEdit(this);
    m_rate->setObjectName(u"Edit1"_s);
    m_add = new QPushButton(u"新建"_s, this);
    m_add->setObjectName(u"Button1"_s);
    m_remove = new QPushButton(u"删除"_s, this);
    m_remove->setObjectName(u"Button2"_s);

    auto *form = new QGridLayout;
    form->addWidget(new QLabel(u"从"_s, this), 0, 0);
    form->addWidget(m_from, 0, 1);
    form->addWidget(new QLabel(u"到"_s, this), 0, 2);
    form->addWidget(m_to, 0, 3);
    form->addWidget(new QLabel(u"折扣率"_s, this), 1, 0);
    form->addWidget(m_rate, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    form->addLayout(buttons, 1, 2, 1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(form);
    resize(460, 360);

    connect(m_add, &QPushButton::clicked, this, &TFyouhui_shiduan::addPeriod);
    connect(m_remove, &QPushButton::clicked, this, &TFyouhui_shiduan::removePeriod);
    reload();
}

void TFyouhui_shiduan::reload()
{
    const QList<DiscountPeriod> periods = DiscountPeriods(m_ctx).all();
    m_grid->setRowCount(int(periods.size()));
    for (int i = 0; i < periods.size(); ++i) {
        m_grid->setItem(i, 0, new QTableWidgetItem(periods[i].start));
        m_grid->setItem(i, 1, new QTableWidgetItem(periods[i].end));
        m_grid->setItem(i, 2, new QTableWidgetItem(periods[i].rate));
    }
}

void TFyouhui_shiduan::addPeriod()
{
    try {
        const QString refusal = DiscountPeriods(m_ctx).add(m_from->time(), m_to->time(), m_rate->text());
        if (!refusal.isEmpty()) {
            m_ctx.prompter().warning(refusal, m_ctx.programTitle());
            return;
        }
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text(), m_ctx.programTitle());
        return;
    }
    reload();
    m_grid->selectRow(m_grid->rowCount() - 1);
}

void TFyouhui_shiduan::removePeriod()
{
    const int row = m_grid->currentRow();
    if (row < 0 || !m_grid->item(row, 0))
        return;
    if (!m_ctx.prompter().confirm(u"确实要删除吗？"_s, m_ctx.programTitle()))
        return;
    DiscountPeriod p{m_grid->item(row, 0)->text(), m_grid->item(row, 1)->text(), m_grid->item(row, 2)->text()};
    try {
        DiscountPeriods(m_ctx).remove(p);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text(), m_ctx.programTitle());
        return;
    }
    reload();
}

} // namespace lanfan
