#include "BoardModel.h"

#include "board/BoardQueries.h"
#include "common/Money.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

bool isAmount(const QString &field)
{
    static const QSet<QString> amounts = {u"应付货款"_s, u"份数"_s,   u"账户余额"_s, u"抹零金额"_s,
                                          u"数量"_s,     u"单价"_s,   u"折后金额"_s, u"积分"_s, u"打折"_s};
    return amounts.contains(field);
}

} // namespace

BoardModel::BoardModel(QStringList fields, QObject *parent) : QAbstractTableModel(parent), m_fields(std::move(fields)) {}

void BoardModel::setRows(QList<SqlRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QString BoardModel::text(int row, const QString &field) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    const QVariant v = m_rows[row].value(field);
    if (v.isNull())
        return {};
    if (isAmount(field))
        return Money::fromVariant(v).toString();
    if (field == u"交款完毕" || field == u"发货完毕")
        return m_rows[row].flag(field) ? u"是"_s : u"否"_s;
    return v.toString();
}

int BoardModel::rowOf(const QString &orderNumber) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].text(u"单据编号"_s) == orderNumber)
            return i;
    return -1;
}

Money BoardModel::sum(const QString &field) const
{
    Money total;
    for (const SqlRow &r : m_rows)
        total += r.money(field);
    return total;
}

void BoardModel::setColouring(bool on)
{
    if (m_colouring == on)
        return;
    m_colouring = on;
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole, Qt::ForegroundRole});
}

QColor BoardModel::stateColour(bool dispatched, bool paid)
{
    if (!dispatched)
        return paid ? QColor(192, 220, 192) : QColor(166, 202, 240);
    return paid ? QColor(255, 255, 170) : QColor(255, 149, 149);
}

int BoardModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int BoardModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant BoardModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_fields.size())
        return {};
    const SqlRow &row = m_rows[index.row()];
    const QString &field = m_fields[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), field);
    case Qt::EditRole:
        // What a title click sorts by: amounts as numbers, the rest as text.
        if (isAmount(field))
            return row.money(field).toDouble();
        return row.value(field).toString();
    case Qt::BackgroundRole:
        if (m_colouring && row.values().contains(u"发货完毕"_s))
            return stateColour(row.flag(u"发货完毕"_s), row.flag(u"交款完毕"_s));
        return {};
    case Qt::ForegroundRole:
        if (m_colouring && row.values().contains(u"发货完毕"_s))
            return QColor(Qt::black);
        return {};
    case Qt::TextAlignmentRole:
        if (isAmount(field))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant BoardModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_fields.size()) {
        if (m_fields[section] == u"应付货款" && !m_fields.contains(u"单据编号"_s))
            return u"合计"_s; // the lines of an order
        return board::columnTitle(m_fields[section]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace lanfan
