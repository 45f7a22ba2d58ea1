#pragma once

#include "orders/Cart.h"

#include <QAbstractTableModel>

namespace lanfan {

class Prompter;

// The cart grid's rows: the lines of one cart, edited through the cart
// service. Columns 产品名称, 口味, 数量, 单价, 应付货款, 提成, 参与打折, and 后厨打印机
// (shown by the manual takeaway form only).
class CartModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Flavour, Quantity, Price, Amount, Commission, Discounted, KitchenPrinter, ColumnCount };

    explicit CartModel(CartService &cart, QObject *parent = nullptr);

    void reload();
    const QList<CartLine> &lines() const { return m_lines; }
    const CartLine *lineAt(int row) const;
    int rowOf(qint64 id) const;

    // The price column is editable only when the shop allows price changes.
    void setPriceEditable(bool on) { m_priceEditable = on; }
    // Lines loaded from a saved order keep their name and quantity.
    void setProtectOldLines(bool on) { m_protectOld = on; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // A line was written; the holder refreshes the cart and the total.
    void lineEdited(qint64 id);

private:
    CartService &m_cart;
    QList<CartLine> m_lines;
    bool m_priceEditable = true;
    bool m_protectOld = false;
};

} // namespace lanfan
