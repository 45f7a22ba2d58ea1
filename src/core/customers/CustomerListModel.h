#pragma once

#include "CustomerQuery.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QVector>

namespace lanfan {

class Db;

// The customer list's grid. Loading a query reads only the ids of the
// matching customers in the list's order; the rows themselves are read a
// page at a time when the view first shows them, so a file of hundreds of
// thousands of customers opens and scrolls without a pause. The edit role
// gives each cell's sort value: the first request for a column reads that
// one column for every customer of the query at once, which is what a
// title-click sort needs, without reading whole rows.
class CustomerListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int PageSize = 200;

    explicit CustomerListModel(Db &db, QObject *parent = nullptr);

    // The grid's columns, as fields of 客户资料.
    static const QStringList &gridFields();

    void load(const CustomerQuery &query);
    void reload() { load(m_query); }
    const CustomerQuery &query() const { return m_query; }

    qint64 idAt(int row) const { return row >= 0 && row < m_ids.size() ? m_ids[row] : 0; }
    int rowOf(qint64 id) const;
    // The text of a field of the customer at `row`.
    QString text(int row, const QString &field) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // How many pages have been read since the last load (for the speed checks).
    int pagesRead() const { return m_pagesRead; }

private:
    const QVector<QVariant> *rowValues(int row) const;
    void readPage(int page) const;
    void readSortColumn(int column) const;
    static QString display(const QString &field, const QVariant &v);

    Db &m_db;
    CustomerQuery m_query;
    QList<qint64> m_ids;
    QHash<qint64, int> m_rowOfId;
    mutable QHash<qint64, QVector<QVariant>> m_rows;       // by id
    mutable QHash<int, QVector<QVariant>> m_sortColumns; // column → sort value by row
    mutable int m_pagesRead = 0;
};

} // namespace lanfan
