#include "TitleSort.h"

#include <QApplication>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>

namespace lanfan {

QSortFilterProxyModel *TitleSort::install(QTableView *view)
{
    auto *proxy = new QSortFilterProxyModel(view);
    proxy->setSourceModel(view->model());
    proxy->setSortRole(Qt::EditRole);
    view->setModel(proxy);
    view->setSortingEnabled(false);
    new TitleSort(view, proxy);
    return proxy;
}

TitleSort::TitleSort(QTableView *view, QSortFilterProxyModel *proxy) : QObject(view), m_view(view), m_proxy(proxy)
{
    setObjectName(QStringLiteral("TitleSort"));
    QHeaderView *header = view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    connect(header, &QHeaderView::sectionClicked, this, &TitleSort::clicked);
}

SortState TitleSort::state(int column) const
{
    return column == m_column ? m_state : SortState::None;
}

void TitleSort::clicked(int column)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_state = column == m_column ? nextSortState(m_state) : SortState::Ascending;
    m_column = column;
    QHeaderView *header = m_view->horizontalHeader();
    switch (m_state) {
    case SortState::Ascending:
        header->setSortIndicatorShown(true);
        header->setSortIndicator(column, Qt::AscendingOrder);
        m_proxy->sort(column, Qt::AscendingOrder);
        break;
    case SortState::Descending:
        header->setSortIndicatorShown(true);
        header->setSortIndicator(column, Qt::DescendingOrder);
        m_proxy->sort(column, Qt::DescendingOrder);
        break;
    case SortState::None:
        header->setSortIndicatorShown(false);
        m_proxy->sort(-1);
        break;
    }
    QApplication::restoreOverrideCursor();
}

} // namespace lanfan
