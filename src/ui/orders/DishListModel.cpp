#include "DishListModel.h"

#include "data/Db.h"

#include <QPainter>

#include <cmath>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

QIcon dishIcon()
{
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xF0, 0xC0, 0x60));
    p.setPen(QPen(QColor(0xA0, 0x70, 0x20), 2));
    p.drawEllipse(4, 8, 40, 32);
    p.setBrush(QColor(0xFF, 0xF4, 0xD8));
    p.drawEllipse(12, 14, 24, 20);
    return QIcon(pm);
}

} // namespace

DishListModel::DishListModel(Db &db, QObject *parent) : QAbstractListModel(parent), m_db(db), m_icon(dishIcon())
{
}

namespace {

// Prices and stock as the engine hands them over: SQLite gives doubles of
// four-decimal values, which round back exactly; anything else goes the
// general way.
Money moneyOf(const QVariant &v)
{
    if (v.metaType().id() == QMetaType::Double) {
        const double d = v.toDouble();
        if (std::isfinite(d) && std::fabs(d) < 1e11)
            return Money::fromUnits(std::llround(d * Money::Scale));
    }
    return Money::fromVariant(v);
}

} // namespace

void DishListModel::load(const QString &sql, const QVariantMap &params)
{
    QList<Item> items;
    QSqlQuery q = m_db.exec(sql, params);
    while (q.next())
        items.append({q.value(0).toLongLong(), q.value(1).toString(), moneyOf(q.value(2)), moneyOf(q.value(3))});
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

void DishListModel::showCategory(const QString &category)
{
    if (category.isEmpty() || category == u"全部")
        load(u"select id,名称,单价,当前库存 from 菜单表 order by 排序编号"_s, {});
    else
        load(u"select id,名称,单价,当前库存 from 菜单表 where 食物总类=:食物总类 order by 排序编号"_s,
             {{u"食物总类"_s, category}});
}

void DishListModel::search(const QString &text)
{
    const QString like = u'%' + text + u'%';
    load(u"select id,名称,单价,当前库存 from 菜单表 where 拼音 like :拼音 or 编号 like :编号 or 名称 like :名称"
         u" order by 排序编号"_s,
         {{u"拼音"_s, like}, {u"编号"_s, like}, {u"名称"_s, like}});
}

qint64 DishListModel::idAt(int row) const
{
    return row >= 0 && row < m_items.size() ? m_items[row].id : 0;
}

QString DishListModel::nameAt(int row) const
{
    return row >= 0 && row < m_items.size() ? m_items[row].name : QString();
}

int DishListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant DishListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const Item &it = m_items[index.row()];
    switch (role) {
    case Qt::DisplayRole: {
        QString caption = it.name + u",价:"_s + it.price.toString();
        if (m_showStock)
            caption += u",库:"_s + it.stock.toString();
        return caption;
    }
    case Qt::DecorationRole: return m_icon;
    case Qt::SizeHintRole: return m_itemSize.isValid() ? QVariant(m_itemSize) : QVariant();
    case IdRole: return it.id;
    case PriceRole: return QVariant::fromValue(it.price);
    case StockRole: return QVariant::fromValue(it.stock);
    default: return {};
    }
}

} // namespace lanfan
