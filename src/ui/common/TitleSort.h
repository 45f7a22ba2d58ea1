#pragma once

#include "common/SortCycle.h"

#include <QObject>

class QTableView;
class QSortFilterProxyModel;

namespace lanfan {

// Sorts a table by a click on a column title: none → ascending → descending
// → none (the model's own order). Install once per table; the table's model
// is wrapped in a proxy that the helper owns. Only the clicked column's
// marker changes.
class TitleSort : public QObject {
    Q_OBJECT
public:
    // Returns the proxy that now stands between the view and its model.
    static QSortFilterProxyModel *install(QTableView *view);

    SortState state(int column) const;

private:
    TitleSort(QTableView *view, QSortFilterProxyModel *proxy);
    void clicked(int column);

    QTableView *m_view;
    QSortFilterProxyModel *m_proxy;
    int m_column = -1;
    SortState m_state = SortState::None;
};

} // namespace lanfan
