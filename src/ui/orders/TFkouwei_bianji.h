#pragma once

#include "orders/Cart.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace lanfan {

// "口味编辑": several flavours for one cart line. Each flavour picked from the
// list is added to the current flavours and its surcharge to the price.
class TFkouwei_bianji : public QDialog {
    Q_OBJECT
public:
    TFkouwei_bianji(CartService &cart, const CartLine &line, QWidget *parent = nullptr);

    QString flavours() const;
    Money price() const { return m_choice.price; }

    void pick(const QString &flavour);

private:
    void showChoice();

    CartService &m_cart;
    FlavourChoice m_choice;
    QLineEdit *m_current;
    QLabel *m_originalPrice;
    QLabel *m_price;
    QListWidget *m_list;
};

} // namespace lanfan
