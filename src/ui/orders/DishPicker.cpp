#include "DishPicker.h"

#include "CartModel.h"
#include "DishListModel.h"
#include "TFkouwei_bianji.h"
#include "app/AppContext.h"
#include "common/Prompter.h"
#include "data/SqlError.h"
#include "orders/DiscountPeriods.h"
#include "orders/Totals.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

// A pick list in a cart cell: an editable box whose items come from the
// line; picking an item writes the line at once.
class PickListDelegate : public QStyledItemDelegate {
public:
    using Items = std::function<QStringList(const QModelIndex &)>;
    PickListDelegate(Items items, QObject *parent) : QStyledItemDelegate(parent), m_items(std::move(items)) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QStringList items = m_items(index);
        if (items.isEmpty())
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto *box = new QComboBox(parent);
        box->setEditable(true);
        box->addItems(items);
        connect(box, &QComboBox::activated, box, [this, box](int) {
            auto *self = const_cast<PickListDelegate *>(this);
            Q_EMIT self->commitData(box);
            Q_EMIT self->closeEditor(box);
        });
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *box = qobject_cast<QComboBox *>(editor))
            box->setCurrentText(index.data(Qt::EditRole).toString());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        if (auto *box = qobject_cast<QComboBox *>(editor))
            model->setData(index, box->currentText());
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    Items m_items;
};

QLabel *caption(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

} // namespace

DishPicker::DishPicker(AppContext &ctx, CartTable table, const QString &cartKey, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_cart(std::make_unique<CartService>(ctx, std::move(table), cartKey))
{
    setObjectName(u"DishPicker"_s);
    m_cartModel = new CartModel(*m_cart, this);
    m_dishModel = new DishListModel(ctx.db(), this);
    m_dishModel->setShowStock(ctx.settings().value(u"点菜显示库存"_s) == u"显示");
    m_cartModel->setPriceEditable(ctx.settings().shop(u"单价修改"_s) == u"可以");
    buildUi();
    applyRights();
    setupTaxStrip();
    setIconView(ctx.settings().value(u"图标显示"_s) != u"列表");
    try {
        reloadCategories();
        reloadDishes();
        refreshCart();
    } catch (const SqlError &e) {
        showRefusal(e.text());
    }
}

DishPicker::~DishPicker() = default;

void DishPicker::buildUi()
{
    // Dish side: search, categories, dishes.
    auto *menuGroup = new QGroupBox(u"菜单"_s, this);
    m_search = new QLineEdit(menuGroup);
    m_search->setObjectName(u"Edit12"_s);
    m_search->setPlaceholderText(u"输入拼音或编号进行快速点菜"_s);
    m_search->installEventFilter(this);

    m_categories = new QListWidget(menuGroup);
    m_categories->setObjectName(u"ListView1"_s);
    m_categories->setFlow(QListView::LeftToRight);
    m_categories->setWrapping(true);
    m_categories->setSpacing(2);
    m_categories->setMaximumHeight(52);

    m_dishes = new QListView(menuGroup);
    m_dishes->setObjectName(u"ListView2"_s);
    m_dishes->setModel(m_dishModel);
    m_dishes->setUniformItemSizes(true);
    m_dishes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_dishes->setContextMenuPolicy(Qt::CustomContextMenu);
    m_dishes->installEventFilter(this);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(caption(u"快速点菜："_s, menuGroup));
    searchRow->addWidget(m_search, 1);
    auto *menuLayout = new QVBoxLayout(menuGroup);
    menuLayout->addLayout(searchRow);
    menuLayout->addWidget(m_categories);
    menuLayout->addWidget(m_dishes, 1);

    // Cart side: grid, footer, buttons, totals.
    auto *cartGroup = new QGroupBox(u"已点菜单"_s, this);
    m_grid = new QTableView(cartGroup);
    m_grid->setObjectName(u"DBGridEh1"_s);
    m_grid->setModel(m_cartModel);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(24);
    m_grid->horizontalHeader()->setDefaultSectionSize(66);
    m_grid->horizontalHeader()->setMinimumSectionSize(40);
    m_grid->horizontalHeader()->setSectionResizeMode(CartModel::Name, QHeaderView::Stretch);
    m_grid->setColumnHidden(CartModel::KitchenPrinter, true);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->setItemDelegate(new PickListDelegate(
        [this](const QModelIndex &index) -> QStringList {
            const CartLine *l = m_cartModel->lineAt(index.row());
            if (!l)
                return {};
            try {
                switch (index.column()) {
                case CartModel::Name: return m_cart->alternatives(l->id);
                case CartModel::Flavour: return m_cart->flavourNames();
                case CartModel::Quantity:
                    return {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s};
                default: return {};
                }
            } catch (const SqlError &) {
                return {};
            }
        },
        m_grid));

    m_footer = new QLabel(cartGroup);
    m_footer->setObjectName(u"footer"_s);
    m_footer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_delete = new QPushButton(u"删除"_s, cartGroup);
    m_delete->setObjectName(u"Button5"_s);
    m_free = new QPushButton(u"赠菜"_s, cartGroup);
    m_free->setObjectName(u"Button15"_s);

    m_rate = new QComboBox(cartGroup);
    m_rate->setObjectName(u"edit1"_s);
    m_rate->setEditable(true);
    m_rate->setMinimumWidth(64);
    m_roundOff = new QLineEdit(cartGroup);
    m_roundOff->setObjectName(u"Edit7"_s);
    m_roundOff->setMaximumWidth(64);
    m_points = new QLineEdit(u"0"_s, cartGroup);
    m_points->setObjectName(u"Edit13"_s);
    m_points->setMaximumWidth(64);
    m_taxStrip = new QWidget(cartGroup);
    m_fee = new QComboBox(m_taxStrip);
    m_fee->setObjectName(u"ComboBox9"_s);
    m_fee->setEditable(true);
    m_tax = new QComboBox(m_taxStrip);
    m_tax->setObjectName(u"ComboBox10"_s);
    m_tax->setEditable(true);
    m_totalLabel = new QLabel(m_total, cartGroup);
    m_totalLabel->setObjectName(u"Label27"_s);
    QFont big = m_totalLabel->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    m_totalLabel->setFont(big);
    m_totalLabel->setStyleSheet(u"color: #c00000;"_s);

    auto *taxLayout = new QHBoxLayout(m_taxStrip);
    taxLayout->setContentsMargins(0, 0, 0, 0);
    taxLayout->addWidget(caption(u"服务费："_s, m_taxStrip));
    taxLayout->addWidget(m_fee);
    taxLayout->addWidget(caption(u"%"_s, m_taxStrip));
    taxLayout->addWidget(caption(u"税率："_s, m_taxStrip));
    taxLayout->addWidget(m_tax);
    taxLayout->addWidget(caption(u"%"_s, m_taxStrip));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addWidget(m_free);
    buttons->addStretch();
    buttons->addWidget(m_footer);

    auto *boxes = new QHBoxLayout;
    boxes->addWidget(caption(u"打折："_s, cartGroup));
    boxes->addWidget(m_rate);
    boxes->addWidget(caption(u"抹零："_s, cartGroup));
    boxes->addWidget(m_roundOff);
    boxes->addWidget(caption(u"元"_s, cartGroup));
    boxes->addWidget(caption(u"使用积分："_s, cartGroup));
    boxes->addWidget(m_points);
    boxes->addWidget(caption(u"分"_s, cartGroup));
    boxes->addWidget(m_taxStrip);
    boxes->addStretch();

    auto *totalRow = new QHBoxLayout;
    totalRow->addStretch();
    totalRow->addWidget(caption(u"折后金额："_s, cartGroup));
    totalRow->addWidget(m_totalLabel);

    auto *cartLayout = new QVBoxLayout(cartGroup);
    cartLayout->addWidget(m_grid, 1);
    cartLayout->addLayout(buttons);
    cartLayout->addLayout(boxes);
    cartLayout->addLayout(totalRow);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(menuGroup, 5);
    layout->addWidget(cartGroup, 6);

    // Dish list.
    connect(m_categories, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { showCategory(item->text()); });
    connect(m_search, &QLineEdit::textChanged, this, &DishPicker::search);
    connect(m_dishes, &QListView::clicked, this, [this] {
        if (m_ctx.settings().value(u"点菜方式"_s) == u"单击")
            addSelectedDish();
    });
    connect(m_dishes, &QListView::doubleClicked, this, [this] {
        if (m_ctx.settings().value(u"点菜方式"_s) != u"单击")
            addSelectedDish();
    });
    connect(m_dishes, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu menu(this);
        QAction *combine = menu.addAction(u"拼菜"_s);
        combine->setObjectName(u"N1"_s);
        menu.addSeparator();
        QAction *icons = menu.addAction(u"大图标显示"_s);
        icons->setObjectName(u"N3"_s);
        QAction *list = menu.addAction(u"列表显示"_s);
        list->setObjectName(u"N4"_s);
        QAction *chosen = menu.exec(m_dishes->viewport()->mapToGlobal(pos));
        if (chosen == combine)
            combineSelected();
        else if (chosen == icons || chosen == list)
            switchView(chosen == icons);
    });

    // Cart.
    connect(m_cartModel, &CartModel::lineEdited, this, [this](qint64 id) {
        // After the edit has been written and the editor closed.
        QTimer::singleShot(0, this, [this, id] {
            refreshCart();
            selectLine(id);
        });
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DishPicker::lineChanged);
    connect(m_cartModel, &QAbstractItemModel::modelReset, this, &DishPicker::lineChanged);
    connect(m_grid, &QTableView::doubleClicked, this, &DishPicker::cartDoubleClicked);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu menu(this);
        QAction *flavours = menu.addAction(u"编辑多种口味"_s);
        flavours->setObjectName(u"N5"_s);
        if (menu.exec(m_grid->viewport()->mapToGlobal(pos)) == flavours)
            editFlavours();
    });
    connect(m_delete, &QPushButton::clicked, this, &DishPicker::deleteLine);
    connect(m_free, &QPushButton::clicked, this, &DishPicker::toggleFree);

    // Totals.
    connect(m_rate, &QComboBox::currentTextChanged, this, &DishPicker::boxChanged);
    connect(m_roundOff, &QLineEdit::textChanged, this, &DishPicker::boxChanged);
    connect(m_points, &QLineEdit::textChanged, this, &DishPicker::boxChanged);
    connect(m_fee, &QComboBox::currentTextChanged, this, &DishPicker::boxChanged);
    connect(m_tax, &QComboBox::currentTextChanged, this, &DishPicker::boxChanged);
}

void DishPicker::applyRights()
{
    const Operator &op = m_ctx.currentOperator();
    const QString business = op.rights.value(1);
    // The discount box is closed only to operators explicitly denied it.
    m_rate->setEnabled(!(business.size() >= 9 && business[8] == u'0'));
    m_roundOff->setEnabled(op.may(2, 10));
    m_free->setEnabled(op.may(2, 11));
    m_settingBoxes = true;
    try {
        m_rate->addItems(discountRateItems(m_ctx.db()));
    } catch (const SqlError &) {
    }
    m_rate->setCurrentText(u"10"_s);
    m_settingBoxes = false;
}

void DishPicker::setupTaxStrip()
{
    const QString taxOn = m_ctx.settings().value(u"上税功能"_s);
    m_settingBoxes = true;
    if (!taxOn.isEmpty() && taxOn != u"否") {
        const QString fee = m_ctx.settings().value(u"服务费率"_s);
        const QString tax = m_ctx.settings().value(u"税率"_s);
        m_fee->addItems({fee, u"0"_s});
        m_fee->setCurrentText(fee);
        m_tax->addItems({tax, u"0"_s});
        m_tax->setCurrentText(tax);
        m_taxStrip->show();
    } else {
        m_fee->setCurrentText(u"0"_s);
        m_tax->setCurrentText(u"0"_s);
        m_taxStrip->hide();
    }
    m_settingBoxes = false;
}

void DishPicker::setCartKey(const QString &key)
{
    m_cart->setKey(key);
    refreshCart();
}

QString DishPicker::totalText() const
{
    return m_total;
}

void DishPicker::showRefusal(const QString &text)
{
    m_ctx.prompter().warning(text, m_ctx.programTitle());
}

bool DishPicker::recomputeTotal()
{
    TotalsBoxes typed;
    typed.rate = m_rate->currentText();
    typed.roundOff = m_roundOff->text();
    typed.points = m_points->text();
    typed.fee = m_fee->currentText();
    typed.tax = m_tax->currentText();
    const TotalsBoxes boxes = withDefaults(typed);
    if (boxes.rate != typed.rate || boxes.points != typed.points || boxes.fee != typed.fee || boxes.tax != typed.tax) {
        m_settingBoxes = true;
        m_rate->setCurrentText(boxes.rate);
        m_points->setText(boxes.points);
        m_fee->setCurrentText(boxes.fee);
        m_tax->setCurrentText(boxes.tax);
        m_settingBoxes = false;
    }
    TotalsOutcome out;
    try {
        out = orderTotal(boxes, m_cart->discountedSum(), m_cart->undiscountedSum(),
                         Money::parseOrZero(m_ctx.settings().shop(u"积分抵现金"_s)),
                         m_ctx.settings().value(u"计算精度"_s));
    } catch (const SqlError &e) {
        showRefusal(e.text());
        return false;
    }
    if (!out.ok) {
        showRefusal(out.refusal);
        return false;
    }
    if (out.text != m_total) {
        m_total = out.text;
        m_totalLabel->setText(m_total);
        Q_EMIT totalChanged(m_total);
    }
    return true;
}

void DishPicker::boxChanged()
{
    if (m_settingBoxes)
        return;
    recomputeTotal();
}

void DishPicker::refreshCart()
{
    const qint64 current = currentLineId();
    try {
        m_cartModel->reload();
    } catch (const SqlError &e) {
        showRefusal(e.text());
        return;
    }
    if (current)
        selectLine(current);
    updateFooters();
    recomputeTotal();
}

void DishPicker::updateFooters()
{
    Money quantity, amount;
    for (const CartLine &l : m_cartModel->lines()) {
        quantity += l.quantity;
        amount += l.amount;
    }
    m_footer->setText(u"数量合计：%1    应付货款合计：%2"_s.arg(quantity.toString(), amount.toString(2)));
}

std::optional<QString> DishPicker::applyDiscountPeriod()
{
    std::optional<QString> rate;
    try {
        rate = DiscountPeriods(m_ctx).rateNow();
    } catch (const SqlError &e) {
        showRefusal(e.text());
    }
    m_periodRate = rate.value_or(u"10"_s);
    m_rate->setCurrentText(m_periodRate);
    recomputeTotal();
    return rate;
}

void DishPicker::applyCustomerType(const QString &type, bool lowerOnly)
{
    QVariant typeRate;
    try {
        typeRate = customerTypeRate(m_ctx.db(), type);
    } catch (const SqlError &e) {
        showRefusal(e.text());
    }
    m_rate->setCurrentText(chooseDiscountRate(m_periodRate, typeRate, lowerOnly));
    recomputeTotal();
}

void DishPicker::setProtectOldLines(bool on)
{
    m_cart->setMergeOnlyNewLines(on);
    m_cartModel->setProtectOldLines(on);
}

void DishPicker::showKitchenPrinterColumn(bool on)
{
    m_grid->setColumnHidden(CartModel::KitchenPrinter, !on);
}

void DishPicker::reloadCategories()
{
    m_categories->clear();
    m_categories->addItem(u"全部"_s);
    for (const SqlRow &r : m_ctx.db().rows(u"select 种类 from 种类 order by 排序编号"_s))
        m_categories->addItem(r.text(u"种类"_s));
}

void DishPicker::reloadDishes()
{
    showCategory(u"全部"_s);
}

void DishPicker::showCategory(const QString &category)
{
    try {
        m_dishModel->showCategory(category);
    } catch (const SqlError &e) {
        showRefusal(e.text());
    }
}

void DishPicker::search(const QString &text)
{
    try {
        m_dishModel->search(text);
    } catch (const SqlError &e) {
        showRefusal(e.text());
    }
}

qint64 DishPicker::selectedDishId() const
{
    const QModelIndex index = m_dishes->currentIndex();
    return index.isValid() ? m_dishModel->idAt(index.row()) : 0;
}

void DishPicker::addSelectedDish()
{
    const qint64 id = selectedDishId();
    if (!id)
        return;
    try {
        const QString refusal = m_cart->addDish(id, m_roundOff->text());
        if (!refusal.isEmpty()) {
            showRefusal(refusal);
            return;
        }
    } catch (const SqlError &e) {
        showRefusal(e.text());
        return;
    }
    refreshCart();
    m_search->setFocus();
}

qint64 DishPicker::currentLineId() const
{
    const CartLine *l = m_cartModel->lineAt(m_grid->currentIndex().row());
    return l ? l->id : 0;
}

void DishPicker::selectLine(qint64 id)
{
    const int row = m_cartModel->rowOf(id);
    if (row >= 0)
        m_grid->setCurrentIndex(m_cartModel->index(row, m_grid->currentIndex().isValid()
                                                            ? m_grid->currentIndex().column()
                                                            : 0));
}

void DishPicker::lineChanged()
{
    const CartLine *l = m_cartModel->lineAt(m_grid->currentIndex().row());
    m_free->setText(l ? freeButtonCaption(*l) : u"赠菜"_s);
}

void DishPicker::deleteLine()
{
    const qint64 id = currentLineId();
    if (!id)
        return;
    try {
        m_cart->remove(id);
    } catch (const SqlError &e) {
        showRefusal(e.text());
        return;
    }
    refreshCart();
}

void DishPicker::toggleFree()
{
    const qint64 id = currentLineId();
    if (!id)
        return;
    try {
        m_cart->toggleFree(id);
    } catch (const SqlError &e) {
        showRefusal(e.text());
        return;
    }
    refreshCart();
    lineChanged();
}

void DishPicker::combineSelected()
{
    const qint64 line = currentLineId();
    const qint64 dish = selectedDishId();
    if (!line || !dish)
        return;
    try {
        m_cart->combine(line, dish);
    } catch (const SqlError &e) {
        showRefusal(e.text());
        return;
    }
    refreshCart();
}

void DishPicker::cartDoubleClicked()
{
    const qint64 id = currentLineId();
    if (!id)
        return;
    try {
        m_cart->removeOnePortion(id);
    } catch (const SqlError &e) {
        showRefusal(e.text());
        return;
    }
    refreshCart();
}

void DishPicker::editFlavours()
{
    const CartLine *current = m_cartModel->lineAt(m_grid->currentIndex().row());
    if (!current)
        return;
    const CartLine line = *current;
    auto *dialog = new TFkouwei_bianji(*m_cart, line, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, id = line.id] {
        try {
            m_cart->setFlavoursAndPrice(id, dialog->flavours(), dialog->price());
        } catch (const SqlError &e) {
            showRefusal(e.text());
            return;
        }
        refreshCart();
        selectLine(id);
    });
    dialog->open();
}

void DishPicker::setIconView(bool icons)
{
    m_dishModel->setItemSize(icons ? QSize(128, 104) : QSize());
    if (icons) {
        m_dishes->setViewMode(QListView::IconMode);
        m_dishes->setIconSize(QSize(48, 48));
        m_dishes->setGridSize(QSize(132, 112));
        m_dishes->setTextElideMode(Qt::ElideNone);
        m_dishes->setResizeMode(QListView::Adjust);
        m_dishes->setMovement(QListView::Static);
        m_dishes->setWordWrap(true);
    } else {
        m_dishes->setViewMode(QListView::ListMode);
        m_dishes->setIconSize(QSize(16, 16));
        m_dishes->setGridSize(QSize());
        m_dishes->setWordWrap(false);
        m_dishes->setTextElideMode(Qt::ElideRight);
    }
}

void DishPicker::switchView(bool icons)
{
    setIconView(icons);
    m_ctx.settings().write(u"图标显示"_s, icons ? u"大图标"_s : u"列表"_s);
}

bool DishPicker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && watched == m_search) {
            m_dishes->setFocus();
            if (m_dishModel->rowCount() > 0)
                m_dishes->setCurrentIndex(m_dishModel->index(0));
            return true;
        }
        if (enter && watched == m_dishes) {
            addSelectedDish();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lanfan
