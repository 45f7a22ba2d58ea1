#pragma once

#include "data/Db.h"

#include <QAbstractTableModel>
#include <QColor>

namespace lanfan {

class Money;

// The rows of one of the board's grids: one column per field of the query,
// coloured by the order's state (发货完毕, 交款完毕) when colouring is on.
class BoardModel : public QAbstractTableModel {
    Q_OBJECT
public:
    BoardModel(QStringList fields, QObject *parent = nullptr);

    void setRows(QList<SqlRow> rows);
    const QList<SqlRow> &rows() const { return m_rows; }
    const QStringList &fields() const { return m_fields; }
    int column(const QString &field) const { return m_fields.indexOf(field); }
    QString text(int row, const QString &field) const;
    // The row of an order number, -1 when it is not listed.
    int rowOf(const QString &orderNumber) const;
    Money sum(const QString &field) const;

    void setColouring(bool on);
    bool colouring() const { return m_colouring; }

    // The state colours and their legends.
    static QColor stateColour(bool dispatched, bool paid);
    static QColor footerColour() { return QColor(255, 255, 128); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_fields;
    QList<SqlRow> m_rows;
    bool m_colouring = false;
};

} // namespace lanfan
