#pragma once

#include "orders/Cart.h"

#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace lanfan {

class AppContext;
class CartModel;
class DishListModel;

// The lower half of every order form: the category strip, the dish list with
// its quick search, the cart grid with its buttons, and the totals strip
// whose total after discount is recomputed after every change.
class DishPicker : public QWidget {
    Q_OBJECT
public:
    DishPicker(AppContext &ctx, CartTable table, const QString &cartKey, QWidget *parent = nullptr);
    ~DishPicker() override;

    CartService &cart() { return *m_cart; }
    // Shows another cart (a new order on the same form).
    void setCartKey(const QString &key);

    // The total after discount as shown and stored ("50.60").
    QString totalText() const;
    // Recomputes the total from the cart and the boxes; false (with the
    // message shown) when a box holds something that is not a number.
    bool recomputeTotal();
    // Reloads the cart grid, its footers, the button state and the total.
    void refreshCart();

    // Looks up the discount period in force and starts the rate box with its
    // rate ("10" without one); returns the period's rate.
    std::optional<QString> applyDiscountPeriod();
    QString periodRate() const { return m_periodRate; }
    // A customer of `type` was loaded: the type's rate applies when lower
    // than the period's (`lowerOnly`), or always.
    void applyCustomerType(const QString &type, bool lowerOnly = true);

    // Lines loaded from a saved order keep name and quantity, and new portions
    // of their dish form new lines.
    void setProtectOldLines(bool on);
    // The manual takeaway form shows each line's kitchen printer.
    void showKitchenPrinterColumn(bool on);

    void reloadCategories();
    void reloadDishes();
    void showCategory(const QString &category);
    void search(const QString &text);
    // Adds the dish selected in the dish list.
    void addSelectedDish();
    qint64 currentLineId() const;
    void selectLine(qint64 id);

    void setIconView(bool icons);
    // The dish-list menu's "大图标显示" / "列表显示": switches and remembers.
    void switchView(bool icons);
    // The cart menu's "编辑多种口味": opens the flavour editor on the current line.
    void editFlavours();
    // The dish-list menu's "拼菜": the selected dish into the current line.
    void combineSelected();

Q_SIGNALS:
    void totalChanged(const QString &total);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    void applyRights();
    void setupTaxStrip();
    void lineChanged();
    void deleteLine();
    void toggleFree();
    void cartDoubleClicked();
    void boxChanged();
    void showRefusal(const QString &text);
    void updateFooters();
    qint64 selectedDishId() const;

    AppContext &m_ctx;
    std::unique_ptr<CartService> m_cart;
    CartModel *m_cartModel;
    DishListModel *m_dishModel;
    QString m_periodRate = QStringLiteral("10");
    QString m_total = QStringLiteral("0.00");
    bool m_settingBoxes = false;

    QListWidget *m_categories = nullptr; // ListView1
    QListView *m_dishes = nullptr;       // ListView2
    QLineEdit *m_search = nullptr;       // Edit12
    QTableView *m_grid = nullptr;        // DBGridEh1
    QLabel *m_footer = nullptr;
    QPushButton *m_delete = nullptr;     // Button5
    QPushButton *m_free = nullptr;       // Button15
    QComboBox *m_rate = nullptr;         // edit1
    QLineEdit *m_roundOff = nullptr;     // Edit7
    QLineEdit *m_points = nullptr;       // Edit13
    QComboBox *m_fee = nullptr;          // ComboBox9
    QComboBox *m_tax = nullptr;          // ComboBox10
    QLabel *m_totalLabel = nullptr;      // Label27
    QWidget *m_taxStrip = nullptr;
};

} // namespace lanfan
