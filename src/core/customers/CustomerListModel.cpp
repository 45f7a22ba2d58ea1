#include "CustomerListModel.h"

#include "common/Money.h"
#include "data/Db.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

bool isMoneyField(const QString &f)
{
    return f == u"帐户余额"_s || f == u"购物金额"_s;
}

bool isNumberField(const QString &f)
{
    return f == u"id"_s || f == u"积分"_s || f == u"购物次数"_s || isMoneyField(f);
}

} // namespace

CustomerListModel::CustomerListModel(Db &db, QObject *parent) : QAbstractTableModel(parent), m_db(db) {}

const QStringList &CustomerListModel::gridFields()
{
    static const QStringList fields = {u"id"_s,     u"客户类型"_s, u"客户地区"_s, u"黑名单"_s,   u"客户姓名"_s, u"手工编码"_s,
                                       u"联系地址"_s, u"联系电话"_s, u"QQ"_s,      u"积分"_s,     u"帐户余额"_s, u"客户单位"_s,
                                       u"客户备注"_s, u"购物次数"_s, u"购物金额"_s, u"身份证号"_s, u"生日"_s};
    return fields;
}

void CustomerListModel::load(const CustomerQuery &query)
{
    beginResetModel();
    m_query = query;
    m_ids.clear();
    m_rowOfId.clear();
    m_rows.clear();
    m_sortColumns.clear();
    m_pagesRead = 0;
    QSqlQuery q = m_db.exec(query.idSql(), query.params);
    while (q.next())
        m_ids.append(q.value(0).toLongLong());
    q.finish();
    m_rowOfId.reserve(m_ids.size());
    for (int i = 0; i < m_ids.size(); ++i)
        m_rowOfId.insert(m_ids[i], i);
    endResetModel();
}

int CustomerListModel::rowOf(qint64 id) const
{
    return m_rowOfId.value(id, -1);
}

int CustomerListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
}

int CustomerListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(gridFields().size());
}

void CustomerListModel::readPage(int page) const
{
    const int from = page * PageSize;
    const int to = std::min<int>(from + PageSize, int(m_ids.size()));
    if (from >= to)
        return;
    QStringList marks;
    SqlParams params;
    for (int i = from; i < to; ++i) {
        const QString name = u"i"_s + QString::number(i - from);
        marks << u':' + name;
        params.insert(name, m_ids[i]);
    }
    QSqlQuery q = m_db.exec(u"select "_s + gridFields().join(u',') + u" from 客户资料 where id in ("_s + marks.join(u',') + u')',
                            params);
    const int n = int(gridFields().size());
    while (q.next()) {
        QVector<QVariant> values(n);
        for (int c = 0; c < n; ++c)
            values[c] = q.value(c);
        m_rows.insert(values[0].toLongLong(), std::move(values));
    }
    q.finish();
    // A customer deleted meanwhile keeps an empty row rather than a gap.
    for (int i = from; i < to; ++i)
        if (!m_rows.contains(m_ids[i]))
            m_rows.insert(m_ids[i], QVector<QVariant>(n));
    ++m_pagesRead;
}

void CustomerListModel::readSortColumn(int column) const
{
    const QString field = gridFields()[column];
    const bool number = isNumberField(field);
    QVector<QVariant> values(m_ids.size(), number ? QVariant(0.0) : QVariant(QString()));
    QSqlQuery q = m_db.exec(u"select id,"_s + field + u" from 客户资料 where 1=1"_s + m_query.conditions, m_query.params);
    while (q.next()) {
        const int row = m_rowOfId.value(q.value(0).toLongLong(), -1);
        if (row < 0)
            continue; // added since the list was loaded
        const QVariant v = q.value(1);
        values[row] = number ? QVariant(v.isNull() ? 0.0 : v.toDouble()) : QVariant(v.toString());
    }
    q.finish();
    m_sortColumns.insert(column, std::move(values));
}

const QVector<QVariant> *CustomerListModel::rowValues(int row) const
{
    const qint64 id = m_ids[row];
    auto it = m_rows.constFind(id);
    if (it == m_rows.cend()) {
        readPage(row / PageSize);
        it = m_rows.constFind(id);
    }
    return it == m_rows.cend() ? nullptr : &it.value();
}

QString CustomerListModel::display(const QString &field, const QVariant &v)
{
    if (v.isNull())
        return {};
    if (isMoneyField(field))
        return Money::fromVariant(v).toFixed(2);
    if (isNumberField(field))
        return Money::fromVariant(v).toString();
    return v.toString();
}

QVariant CustomerListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_ids.size() || index.column() >= gridFields().size())
        return {};
    const QString &field = gridFields()[index.column()];
    if (role == Qt::EditRole) {
        if (!m_sortColumns.contains(index.column()))
            readSortColumn(index.column());
        return m_sortColumns[index.column()][index.row()];
    }
    if (role == Qt::DisplayRole) {
        const QVector<QVariant> *values = rowValues(index.row());
        return values ? display(field, (*values)[index.column()]) : QString();
    }
    if (role == Qt::TextAlignmentRole && isNumberField(field))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QString CustomerListModel::text(int row, const QString &field) const
{
    const int column = int(gridFields().indexOf(field));
    if (row < 0 || row >= m_ids.size() || column < 0)
        return {};
    return data(index(row, column), Qt::DisplayRole).toString();
}

QVariant CustomerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < gridFields().size())
        return customerFieldTitle(gridFields()[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace lanfan
