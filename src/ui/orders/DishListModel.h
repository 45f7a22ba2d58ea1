#pragma once

#include "common/Money.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QSize>

namespace lanfan {

class Db;

// The dishes of the picker's list: one query, captions "名称,价:单价" and
// optionally ",库:当前库存".
class DishListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Roles { IdRole = Qt::UserRole + 1, PriceRole, StockRole };

    explicit DishListModel(Db &db, QObject *parent = nullptr);

    void setShowStock(bool on) { m_showStock = on; }
    // Size of every item in the icon view (room for a two-line caption);
    // an invalid size lets the view measure the items.
    void setItemSize(const QSize &size) { m_itemSize = size; }
    // Every dish, or those of one category.
    void showCategory(const QString &category);
    // Dishes whose mnemonic code, number or name contains `text`.
    void search(const QString &text);

    qint64 idAt(int row) const;
    QString nameAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    struct Item {
        qint64 id;
        QString name;
        Money price;
        Money stock;
    };
    void load(const QString &sql, const QVariantMap &params);

    Db &m_db;
    QList<Item> m_items;
    bool m_showStock = false;
    QSize m_itemSize;
    QIcon m_icon;
};

} // namespace lanfan
