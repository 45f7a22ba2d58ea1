#include "OrderBoard.h"

#include "BoardModel.h"
#include "FooterBar.h"
#include "app/AppContext.h"
#include "board/BoardLayout.h"
#include "board/TodayFigures.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "common/TitleSort.h"
#include "customers/CustomerTypes.h"
#include "orders/TakeawayDesk.h"
#include "printing/KitchenLog.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QString kNone = u"无"_s;

// Draws the selected row of a coloured grid in its state colour, a shade
// darker, with black text on top.
class StateDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant background = index.data(Qt::BackgroundRole);
        if (!(option->state & QStyle::State_Selected) || !background.canConvert<QColor>())
            return;
        option->state &= ~QStyle::State_Selected;
        option->backgroundBrush = background.value<QColor>().darker(125);
        option->palette.setColor(QPalette::Text, Qt::black);
    }
};

QTableView *makeGrid(QWidget *parent, const QString &name, BoardModel *model)
{
    auto *v = new QTableView(parent);
    v->setObjectName(name);
    v->setModel(model);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::ExtendedSelection);
    v->setItemDelegate(new StateDelegate(v));
    v->verticalHeader()->hide();
    v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 6);
    v->horizontalHeader()->setHighlightSections(false);
    v->setContextMenuPolicy(Qt::CustomContextMenu);
    return v;
}

// A grid with its footer line under it.
QWidget *withFooter(QWidget *parent, QTableView *grid, FooterBar **footer)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    grid->setParent(box);
    layout->addWidget(grid, 1);
    *footer = new FooterBar(grid, box);
    (*footer)->setObjectName(grid->objectName() + u"Footer"_s);
    layout->addWidget(*footer);
    return box;
}

// The lines of an order beside a board: the dish name gets the room, the
// numbers their width, and the grid is wide enough to show all four.
void fitDetailColumns(QTableView *detail)
{
    const int digit = detail->fontMetrics().horizontalAdvance(u'0');
    const QList<int> widths = {digit * 14, digit * 5, digit * 6, digit * 7};
    int total = 4;
    for (int i = 0; i < widths.size(); ++i) {
        detail->setColumnWidth(i, widths[i]);
        total += widths[i];
    }
    detail->horizontalHeader()->setStretchLastSection(true);
    detail->setMinimumWidth(total + detail->verticalScrollBar()->sizeHint().width());
}

QLabel *legend(QWidget *parent, const QString &text, const QColor &colour)
{
    auto *row = new QLabel(text, parent);
    row->setAutoFillBackground(true);
    QPalette p = row->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::WindowText, Qt::black);
    row->setPalette(p);
    row->setContentsMargins(4, 2, 4, 2);
    return row;
}

} // namespace

OrderBoard::OrderBoard(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx), m_queries(ctx)
{
    setObjectName(u"OrderBoard"_s);
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);

    // Left: today's figures, the colour legends and the colour switch.
    auto *left = new QWidget(this);
    left->setObjectName(u"Panel1"_s);
    left->setFixedWidth(200);
    buildFigures(left);
    outer->addWidget(left);

    auto *right = new QWidget(this);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto *buttons = new QHBoxLayout;
    auto button = [&](const QString &caption, const QString &name) {
        auto *b = new QPushButton(caption, right);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(b);
        return b;
    };
    connect(button(u"单个打印"_s, u"ButtonPrint"_s), &QPushButton::clicked, this, &OrderBoard::printRequested);
    connect(button(u"把订单另存为tif格式"_s, u"ButtonTiff"_s), &QPushButton::clicked, this,
            &OrderBoard::saveTiffRequested);
    connect(button(u"开钱箱"_s, u"ButtonDrawer"_s), &QPushButton::clicked, this, &OrderBoard::drawerRequested);
    m_filterButton = button(u"显示查询条件"_s, u"ButtonFilters"_s);
    connect(m_filterButton, &QPushButton::clicked, this, [this] { setFiltersShown(!filtersShown()); });
    m_label19 = new QLabel(kNone, right);
    m_label19->setObjectName(u"Label19"_s);
    m_label19->hide();
    buttons->addStretch(1);
    rightLayout->addLayout(buttons);
    rightLayout->addWidget(buildFilterPanel());

    m_tabs = new QTabWidget(right);
    m_tabs->setObjectName(u"PageControl1"_s);
    m_takeawayPage = buildTakeawayTab();
    m_tabs->addTab(m_takeawayPage, u"外卖订单显示"_s);
    m_dineInPage = buildDineInTab();
    m_tabs->addTab(m_dineInPage, u"堂食订单显示"_s);
    m_chartPage = buildChartTab();
    m_tabs->addTab(m_chartPage, u"今日菜品销售柱状图"_s);
    m_kitchenLog = new QPlainTextEdit(m_tabs);
    m_kitchenLog->setObjectName(u"Memo1"_s);
    m_kitchenLog->setReadOnly(true);
    m_tabs->addTab(m_kitchenLog, u"后厨打印命令发送日志"_s);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_tabs->widget(index) == m_chartPage)
            refreshChart();
    });
    rightLayout->addWidget(m_tabs, 1);
    outer->addWidget(right, 1);

    m_layoutTimer = new QTimer(this);
    m_layoutTimer->setSingleShot(true);
    m_layoutTimer->setInterval(300);
    connect(m_layoutTimer, &QTimer::timeout, this, &OrderBoard::saveColumnLayout);
    QHeaderView *header = m_grid->horizontalHeader();
    connect(header, &QHeaderView::sectionMoved, this, [this] {
        if (!m_applyingLayout)
            saveColumnLayout();
    });
    connect(header, &QHeaderView::sectionResized, this, [this] {
        if (!m_applyingLayout && m_layoutSaving)
            m_layoutTimer->start();
    });
    applyColumns(defaultColumns());
    resetDatePickers();
}

QList<board::ColumnLayout> OrderBoard::defaultColumns() const
{
    // The default widths suit a font whose digits are six pixels wide; a
    // wider font widens them in proportion, so that an order number fits.
    const double scale = std::max(1.0, m_grid->fontMetrics().horizontalAdvance(u"0123456789"_s) / 60.0);
    QList<board::ColumnLayout> columns = board::defaultTakeawayColumns();
    for (board::ColumnLayout &c : columns)
        c.width = int(c.width * scale + 0.5);
    return columns;
}

OrderBoard::~OrderBoard() = default;

void OrderBoard::buildFigures(QWidget *panel)
{
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *box = new QGroupBox(u"今日业务"_s, panel);
    box->setObjectName(u"GroupBoxFigures"_s);
    auto *grid = new QGridLayout(box);
    grid->setVerticalSpacing(6);
    const QList<board::FigureText> texts = board::figureTexts({});
    for (int i = 0; i < texts.size(); ++i) {
        auto *caption = new QLabel(texts[i].caption, box);
        // The two "今日订餐：" figures carry the colours of new orders.
        if (i == 0 || i == 1) {
            caption->setAutoFillBackground(true);
            QPalette p = caption->palette();
            p.setColor(QPalette::Window, i == 0 ? QColor(166, 202, 240) : QColor(192, 220, 192));
            caption->setPalette(p);
        }
        auto *value = new QLabel(texts[i].value, box);
        value->setObjectName(texts[i].name);
        value->setToolTip(texts[i].explanation);
        value->setCursor(Qt::PointingHandCursor);
        value->installEventFilter(this);
        QFont f = value->font();
        f.setBold(true);
        value->setFont(f);
        grid->addWidget(caption, i, 0);
        grid->addWidget(value, i, 1);
        m_figureLabels << value;
    }
    m_refreshFigures = new QPushButton(u"刷新"_s, box);
    m_refreshFigures->setObjectName(u"Button2"_s);
    connect(m_refreshFigures, &QPushButton::clicked, this, &OrderBoard::refreshFigures);
    grid->addWidget(m_refreshFigures, int(texts.size()), 0, 1, 2);
    layout->addWidget(box);

    auto *colours = new QGroupBox(u"订单状态颜色"_s, panel);
    auto *col = new QVBoxLayout(colours);
    col->setSpacing(2);
    col->addWidget(legend(colours, u"未发货，未交款："_s, BoardModel::stateColour(false, false)));
    col->addWidget(legend(colours, u"未发货，已收款："_s, BoardModel::stateColour(false, true)));
    col->addWidget(legend(colours, u"已发货，未交款："_s, BoardModel::stateColour(true, false)));
    col->addWidget(legend(colours, u"已交款，已发货："_s, BoardModel::stateColour(true, true)));
    m_colour = new QCheckBox(u"需要颜色显示"_s, colours);
    m_colour->setObjectName(u"CheckBox3"_s);
    connect(m_colour, &QCheckBox::clicked, this, [this](bool on) {
        board::storeColouring(m_ctx.db(), on);
        m_model->setColouring(on);
        m_dineModel->setColouring(on);
        query();
    });
    col->addWidget(m_colour);
    layout->addWidget(colours);
    layout->addStretch(1);
}

QWidget *OrderBoard::buildFilterPanel()
{
    m_filters = new QGroupBox(u"查询条件"_s, this);
    m_filters->setObjectName(u"GroupBoxQuery"_s);
    auto *g = new QGridLayout(m_filters);
    m_today = new QRadioButton(u"今日业务"_s, m_filters);
    m_today->setObjectName(u"RadioButton1"_s);
    m_today->setChecked(true);
    m_period = new QRadioButton(u"任意时间段业务从"_s, m_filters);
    m_period->setObjectName(u"RadioButton2"_s);
    m_from = new QDateEdit(m_filters);
    m_from->setObjectName(u"DateTimePicker1"_s);
    m_from->setCalendarPopup(true);
    m_from->setDisplayFormat(u"yyyy-MM-dd"_s);
    m_to = new QDateEdit(m_filters);
    m_to->setObjectName(u"DateTimePicker2"_s);
    m_to->setCalendarPopup(true);
    m_to->setDisplayFormat(u"yyyy-MM-dd"_s);
    m_areaBox = new QCheckBox(u"指定区域"_s, m_filters);
    m_areaBox->setObjectName(u"CheckBox1"_s);
    m_area = new QComboBox(m_filters);
    m_area->setObjectName(u"ComboBox1"_s);
    m_workerBox = new QCheckBox(u"配送工"_s, m_filters);
    m_workerBox->setObjectName(u"CheckBox2"_s);
    m_worker = new QComboBox(m_filters);
    m_worker->setObjectName(u"ComboBox2"_s);
    m_state = new QComboBox(m_filters);
    m_state->setObjectName(u"ComboBox3"_s);
    m_state->addItems(board::stateChoices());
    m_meal = new QComboBox(m_filters);
    m_meal->setObjectName(u"ComboBox4"_s);
    m_meal->addItems(board::mealPeriodChoices());
    m_sort = new QComboBox(m_filters);
    m_sort->setObjectName(u"ComboBox5"_s);
    m_sort->addItems(board::sortChoices());
    auto *run = new QPushButton(u"查询"_s, m_filters);
    run->setObjectName(u"Button1"_s);
    connect(run, &QPushButton::clicked, this, &OrderBoard::query);

    g->addWidget(m_today, 0, 0);
    g->addWidget(m_period, 0, 1);
    g->addWidget(m_from, 0, 2);
    g->addWidget(new QLabel(u"到"_s, m_filters), 0, 3);
    g->addWidget(m_to, 0, 4);
    g->addWidget(m_areaBox, 0, 5);
    g->addWidget(m_area, 0, 6);
    g->addWidget(m_workerBox, 0, 7);
    g->addWidget(m_worker, 0, 8);
    g->addWidget(new QLabel(u"订单状态"_s, m_filters), 1, 0);
    g->addWidget(m_state, 1, 1);
    g->addWidget(new QLabel(u"就餐时段"_s, m_filters), 1, 2);
    g->addWidget(m_meal, 1, 3, 1, 2);
    g->addWidget(new QLabel(u"排序"_s, m_filters), 1, 5);
    g->addWidget(m_sort, 1, 6);
    g->addWidget(run, 1, 8);
    g->setColumnStretch(9, 1);
    m_filters->hide();
    return m_filters;
}

QWidget *OrderBoard::buildTakeawayTab()
{
    auto *page = new QSplitter(Qt::Horizontal, this);
    page->setObjectName(u"TabSheet1"_s);
    m_model = new BoardModel(board::takeawayFields(), this);
    m_grid = makeGrid(page, u"DBGridEh1"_s, m_model);
    m_grid->horizontalHeader()->setSectionsMovable(true);
    m_proxy = TitleSort::install(m_grid);
    page->addWidget(withFooter(page, m_grid, &m_footer));

    m_detailModel = new BoardModel({u"产品名称"_s, u"数量"_s, u"单价"_s, u"应付货款"_s}, this);
    m_detail = makeGrid(page, u"DBGridEh2"_s, m_detailModel);
    fitDetailColumns(m_detail);
    page->addWidget(withFooter(page, m_detail, &m_detailFooter));
    page->setStretchFactor(0, 1);
    page->setStretchFactor(1, 0);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &OrderBoard::showDetail);
    connect(m_grid, &QTableView::doubleClicked, this, [this] {
        const QString n = selectedOrder();
        if (!n.isEmpty())
            Q_EMIT orderActivated(n, false);
    });
    m_grid->installEventFilter(this);

    m_takeawayMenu = new QMenu(m_grid);
    m_takeawayMenu->setObjectName(u"PopupMenu1"_s);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_takeawayMenu->popup(m_grid->viewport()->mapToGlobal(at)); });
    return page;
}

QWidget *OrderBoard::buildDineInTab()
{
    auto *page = new QSplitter(Qt::Horizontal, this);
    page->setObjectName(u"TabSheet2"_s);
    m_dineModel = new BoardModel(board::dineInFields(), this);
    m_dineGrid = makeGrid(page, u"DBGridEh3"_s, m_dineModel);
    m_dineProxy = TitleSort::install(m_dineGrid);
    const QList<int> widths = {81, 130, 60, 40, 60, 80, 90};
    for (int i = 0; i < widths.size(); ++i)
        m_dineGrid->setColumnWidth(i, widths[i]);
    page->addWidget(withFooter(page, m_dineGrid, &m_dineFooter));

    m_dineDetailModel = new BoardModel({u"产品名称"_s, u"数量"_s, u"单价"_s, u"应付货款"_s}, this);
    m_dineDetail = makeGrid(page, u"DBGridEh4"_s, m_dineDetailModel);
    fitDetailColumns(m_dineDetail);
    page->addWidget(withFooter(page, m_dineDetail, &m_dineDetailFooter));
    page->setStretchFactor(0, 1);
    page->setStretchFactor(1, 0);

    connect(m_dineGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &OrderBoard::showDineInDetail);
    connect(m_dineGrid, &QTableView::doubleClicked, this, [this] {
        const QString n = selectedDineInOrder();
        if (!n.isEmpty())
            Q_EMIT orderActivated(n, true);
    });
    m_dineInMenu = new QMenu(m_dineGrid);
    m_dineInMenu->setObjectName(u"PopupMenu2"_s);
    QAction *pay = m_dineInMenu->addAction(u"单一收款"_s);
    pay->setObjectName(u"dineInPay"_s);
    connect(pay, &QAction::triggered, this, [this] {
        const QString n = selectedDineInOrder();
        if (!n.isEmpty())
            Q_EMIT orderActivated(n, true);
    });
    connect(m_dineGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_dineInMenu->popup(m_dineGrid->viewport()->mapToGlobal(at)); });
    return page;
}

QWidget *OrderBoard::buildChartTab()
{
    auto *chart = new QChart;
    chart->setTitle(u"菜品销售情况"_s);
    chart->legend()->hide();
    m_chartSet = new QBarSet(u"份数"_s);
    m_chartSet->setColor(Qt::red);
    auto *series = new QBarSeries;
    series->setObjectName(u"Series1"_s);
    series->append(m_chartSet);
    series->setLabelsVisible(true);
    chart->addSeries(series);
    m_chartX = new QBarCategoryAxis;
    chart->addAxis(m_chartX, Qt::AlignBottom);
    series->attachAxis(m_chartX);
    m_chartY = new QValueAxis;
    m_chartY->setLabelFormat(u"%g"_s);
    m_chartY->setRange(0, 1);
    chart->addAxis(m_chartY, Qt::AlignLeft);
    series->attachAxis(m_chartY);
    auto *view = new QChartView(chart, this);
    view->setObjectName(u"DBChart1"_s);
    view->setRenderHint(QPainter::Antialiasing);
    m_chartView = view;
    return view;
}

board::BoardFilter OrderBoard::filter() const
{
    board::BoardFilter f;
    f.anyPeriod = m_period->isChecked();
    f.from = m_from->date();
    f.to = m_to->date();
    if (m_areaBox->isChecked())
        f.area = m_area->currentText();
    if (m_workerBox->isChecked())
        f.worker = m_worker->currentText();
    f.state = m_state->currentText();
    f.mealPeriod = m_meal->currentText();
    f.sortBy = m_sort->currentText();
    return f;
}

void OrderBoard::run(bool dineInFilters)
{
    QString target = m_label19->text();
    if (target == kNone)
        target = selectedOrder();
    const QString dineTarget = selectedDineInOrder();
    const board::BoardFilter f = filter();
    try {
        m_model->setRows(m_queries.takeaway(f));
        m_dineModel->setRows(m_queries.dineIn(f, dineInFilters));
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    m_label19->setText(kNone);
    updateFooters();
    reselect(m_grid, m_proxy, target);
    reselect(m_dineGrid, m_dineProxy, dineTarget);
    showDetail();
    showDineInDetail();
}

void OrderBoard::shuaxinmain(const QString &reselectNumber)
{
    if (!reselectNumber.isEmpty())
        m_label19->setText(reselectNumber);
    run(false);
}

void OrderBoard::query()
{
    run(true);
}

void OrderBoard::reselect(QTableView *view, QSortFilterProxyModel *proxy, const QString &number)
{
    auto *model = static_cast<BoardModel *>(proxy->sourceModel());
    const int row = number.isEmpty() ? -1 : model->rowOf(number);
    if (row < 0) {
        view->clearSelection();
        view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
        return;
    }
    const QModelIndex at = proxy->mapFromSource(model->index(row, model->column(u"单据编号"_s)));
    view->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(at);
}

QString OrderBoard::orderAt(QTableView *view, QSortFilterProxyModel *proxy, BoardModel *model) const
{
    const QModelIndex current = view->selectionModel()->currentIndex();
    if (!current.isValid())
        return {};
    return model->text(proxy->mapToSource(current).row(), u"单据编号"_s);
}

QString OrderBoard::selectedOrder() const
{
    return orderAt(m_grid, m_proxy, m_model);
}

QString OrderBoard::selectedDineInOrder() const
{
    return orderAt(m_dineGrid, m_dineProxy, m_dineModel);
}

bool OrderBoard::dineInInFront() const
{
    return m_tabs->currentWidget() == m_dineInPage;
}

QString OrderBoard::currentOrder() const
{
    return dineInInFront() ? selectedDineInOrder() : selectedOrder();
}

void OrderBoard::showDetail()
{
    const QString number = selectedOrder();
    m_detailModel->setRows(number.isEmpty() ? QList<SqlRow>{} : m_queries.orderLines(number));
    m_detailFooter->clear();
    m_detailFooter->setText(0, u"应收合计："_s);
    const int row = m_model->rowOf(number);
    if (row >= 0)
        m_detailFooter->setText(3, m_model->text(row, u"应付货款"_s));
}

void OrderBoard::showDineInDetail()
{
    const QString number = selectedDineInOrder();
    m_dineDetailModel->setRows(number.isEmpty() ? QList<SqlRow>{} : m_queries.orderLines(number));
    m_dineDetailFooter->clear();
    m_dineDetailFooter->setText(0, u"应收合计："_s);
    const int row = m_dineModel->rowOf(number);
    if (row >= 0)
        m_dineDetailFooter->setText(3, m_dineModel->text(row, u"应付货款"_s));
}

void OrderBoard::updateFooters()
{
    m_footer->clear();
    m_footer->setText(m_model->column(u"订单状态"_s), u"当前订单："_s);
    m_footer->setText(m_model->column(u"单据编号"_s), QString::number(m_model->rowCount()) + u"张"_s);
    m_footer->setText(m_model->column(u"份数"_s), m_model->sum(u"份数"_s).toString());
    m_footer->setText(m_model->column(u"应付货款"_s), m_model->sum(u"应付货款"_s).toString());
    m_dineFooter->clear();
    m_dineFooter->setText(m_dineModel->column(u"单据编号"_s), QString::number(m_dineModel->rowCount()) + u"张"_s);
    m_dineFooter->setText(m_dineModel->column(u"份数"_s), m_dineModel->sum(u"份数"_s).toString());
    m_dineFooter->setText(m_dineModel->column(u"应付货款"_s), m_dineModel->sum(u"应付货款"_s).toString());
}

void OrderBoard::refreshFigures()
{
    QList<board::FigureText> texts;
    try {
        texts = board::figureTexts(board::computeTodayFigures(m_ctx));
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
        return;
    }
    for (int i = 0; i < texts.size() && i < m_figureLabels.size(); ++i)
        m_figureLabels[i]->setText(texts[i].value);
}

void OrderBoard::resetDatePickers()
{
    const QDate today = m_ctx.clock().today();
    m_from->setDate(today);
    m_to->setDate(today);
}

void OrderBoard::chooseMealPeriod()
{
    const QString period = m_ctx.settings().is(u"主界面显示"_s, u"全天"_s)
                               ? u"全天"_s
                               : mealPeriodAt(m_ctx.clock().now(), m_ctx.settings());
    m_meal->setCurrentText(period);
}

void OrderBoard::applyTabVisibility()
{
    const bool dineIn = !(m_ctx.settings().is(u"堂食功能"_s, u"否"_s) && m_ctx.settings().is(u"零售功能"_s, u"否"_s));
    m_tabs->setTabVisible(m_tabs->indexOf(m_dineInPage), dineIn);
}

void OrderBoard::readColourSwitch()
{
    const bool on = board::colouringOn(m_ctx.db());
    m_colour->setChecked(on);
    m_model->setColouring(on);
    m_dineModel->setColouring(on);
}

void OrderBoard::loadLists()
{
    const QString area = m_area->currentText();
    m_area->clear();
    m_area->addItems(AreaStore(m_ctx).filterItems());
    m_area->setCurrentText(area);
    const QString worker = m_worker->currentText();
    m_worker->clear();
    m_worker->addItems(board::workerNames(m_ctx.db()));
    m_worker->setCurrentText(worker);
}

void OrderBoard::applyColumns(const QList<board::ColumnLayout> &columns)
{
    m_applyingLayout = true;
    QHeaderView *header = m_grid->horizontalHeader();
    for (int c = 0; c < m_model->columnCount(); ++c)
        header->setSectionHidden(c, true);
    for (int k = 0; k < columns.size(); ++k) {
        const int logical = m_model->column(columns[k].field);
        if (logical < 0)
            continue;
        header->setSectionHidden(logical, false);
        header->moveSection(header->visualIndex(logical), k);
        if (columns[k].width > 0)
            header->resizeSection(logical, columns[k].width);
    }
    m_applyingLayout = false;
    m_footer->update();
}

void OrderBoard::applyColumnLayout()
{
    board::BoardLayoutStore store(m_ctx.db());
    board::BoardLayoutStore::Loaded loaded;
    try {
        loaded = store.load(board::takeawayFields());
    } catch (const SqlError &) {
        loaded.broken = true;
        try {
            store.reset();
        } catch (const SqlError &) {
        }
    }
    applyColumns(board::mergedLayout(loaded.columns, defaultColumns()));
    updateFooters();
    if (loaded.broken)
        m_ctx.prompter().warning(board::BoardLayoutStore::brokenMessage());
}

void OrderBoard::saveColumnLayout()
{
    QHeaderView *header = m_grid->horizontalHeader();
    QList<board::ColumnLayout> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        columns.append({m_model->fields().value(logical), header->sectionSize(logical)});
    }
    try {
        board::BoardLayoutStore(m_ctx.db()).save(columns);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void OrderBoard::resetColumnLayout()
{
    m_layoutTimer->stop();
    board::BoardLayoutStore(m_ctx.db()).reset();
    m_ctx.prompter().information(board::BoardLayoutStore::resetMessage());
}

void OrderBoard::setFiltersShown(bool shown)
{
    if (shown)
        loadLists();
    m_filters->setVisible(shown);
    m_filterButton->setText(shown ? u"隐藏查询条件"_s : u"显示查询条件"_s);
    if (!shown) {
        m_areaBox->setChecked(false);
        m_workerBox->setChecked(false);
    }
}

bool OrderBoard::filtersShown() const
{
    return !m_filters->isHidden();
}

void OrderBoard::attachKitchenLog(printing::KitchenLog &log)
{
    m_kitchenLog->clear();
    for (const QString &line : log.lines())
        m_kitchenLog->appendPlainText(line);
    connect(&log, &printing::KitchenLog::lineAdded, m_kitchenLog, &QPlainTextEdit::appendPlainText);
}

void OrderBoard::refreshChart()
{
    QList<board::DishSale> sales;
    try {
        sales = m_queries.dishSales(m_meal->currentText());
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
        return;
    }
    QStringList names;
    QList<qreal> values;
    double top = 0;
    for (const board::DishSale &s : sales) {
        names << s.dish;
        values << s.quantity.toDouble();
        top = std::max(top, s.quantity.toDouble());
    }
    // The series and axes stay; only their values change.
    m_chartSet->remove(0, m_chartSet->count());
    m_chartSet->append(values);
    m_chartX->setCategories(names);
    m_chartY->setRange(0, top > 0 ? top * 1.1 : 1);
    m_chartY->applyNiceNumbers();
}

void OrderBoard::checkDispatchReminder()
{
    QList<SqlRow> due;
    try {
        due = m_queries.dueForDispatch();
    } catch (const SqlError &) {
        return; // the next tick tries again
    }
    if (remindDispatch)
        remindDispatch(due);
}

void OrderBoard::enterOrder(const QString &orderNumber)
{
    SqlRow order;
    try {
        order = m_queries.orderState(orderNumber);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
        return;
    }
    if (order.values().isEmpty())
        return;
    if (!order.flag(u"发货完毕"_s)) {
        if (openDispatch)
            openDispatch(order);
    } else if (!order.flag(u"交款完毕"_s)) {
        if (openPayment)
            openPayment(order);
    }
}

void OrderBoard::checkBirthdays()
{
    QList<SqlRow> customers;
    try {
        customers = m_queries.birthdaysToday();
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
        return;
    }
    if (!customers.isEmpty() && openBirthdays)
        openBirthdays(customers);
}

bool OrderBoard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const QString n = selectedOrder();
            if (!n.isEmpty()) {
                Q_EMIT enterPressed(n);
                enterOrder(n);
            }
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *label = qobject_cast<QLabel *>(watched);
        if (label && m_figureLabels.contains(label)) {
            m_ctx.prompter().information(label->toolTip());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lanfan
