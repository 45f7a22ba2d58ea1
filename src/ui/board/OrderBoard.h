#pragma once

#include "board/BoardQueries.h"

#include <QWidget>

#include <functional>

class QBarCategoryAxis;
class QBarSet;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;
class QTimer;
class QValueAxis;


namespace lanfan {

class AppContext;
class BoardModel;
class FooterBar;

namespace printing {
class KitchenLog;
}

// The main window's order board: the takeaway tab with the selected order's
// lines, the dine-in tab, the dish chart and the kitchen log; today's
// figures, the colour legends and the filter panel. Every window that
// changes an order calls shuaxinmain() afterwards.
class OrderBoard : public QWidget {
    Q_OBJECT
public:
    explicit OrderBoard(AppContext &ctx, QWidget *parent = nullptr);
    ~OrderBoard() override;

    // Re-runs both tabs with the current filters (the dine-in tab by the
    // business date alone) and moves to the order held in Label19 — or, when
    // it holds "无", keeps the selected order. `reselect` (when given) is put
    // into Label19 first. Label19 returns to "无" afterwards.
    void shuaxinmain(const QString &reselect = QString());
    // "查询": as the refresh, but the dine-in tab takes the filters too.
    void query();
    // "刷新": today's figures.
    void refreshFigures();

    // Steps of the window show.
    void resetDatePickers();
    void chooseMealPeriod();
    void applyTabVisibility();
    void readColourSwitch();
    void loadLists();
    void applyColumnLayout();
    // Width changes are stored from now on (set at the end of the show).
    void setLayoutSaving(bool on) { m_layoutSaving = on; }

    // "还原排列顺序".
    void resetColumnLayout();
    // "显示查询条件" / "隐藏查询条件"; hiding also unticks the area and worker boxes.
    void setFiltersShown(bool shown);
    bool filtersShown() const;

    // The order selected on the takeaway tab, on the dine-in tab, and on the
    // tab in front (empty when none).
    QString selectedOrder() const;
    QString selectedDineInOrder() const;
    QString currentOrder() const;
    bool dineInInFront() const;

    // The kitchen log tab shows the run's log.
    void attachKitchenLog(printing::KitchenLog &log);
    // Refreshes the dish chart (when its tab is opened).
    void refreshChart();

    // The undispatched orders due soon; the hook shows them (none: it closes
    // its window).
    void checkDispatchReminder();
    std::function<void(const QList<SqlRow> &due)> remindDispatch;
    // Enter on an order: the dispatch form for an undispatched one, the
    // payment form for a dispatched but unpaid one (`order` holds its
    // 单据编号, 客户姓名, 区域 and 发货时间). Unset: that form is not there.
    std::function<void(const SqlRow &order)> openDispatch;
    std::function<void(const SqlRow &order)> openPayment;
    void enterOrder(const QString &orderNumber);

    // Customers with a birthday today; the hook opens the birthday window.
    void checkBirthdays();
    std::function<void(const QList<SqlRow> &customers)> openBirthdays;

    QMenu *takeawayMenu() const { return m_takeawayMenu; }
    QMenu *dineInMenu() const { return m_dineInMenu; }
    QTableView *takeawayGrid() const { return m_grid; }
    QTableView *dineInGrid() const { return m_dineGrid; }
    BoardModel *takeawayModel() const { return m_model; }
    BoardModel *dineInModel() const { return m_dineModel; }
    FooterBar *takeawayFooter() const { return m_footer; }
    FooterBar *detailFooter() const { return m_detailFooter; }
    FooterBar *dineInFooter() const { return m_dineFooter; }
    board::BoardFilter filter() const;
    // The default columns, their widths fitted to the grid's font.
    QList<board::ColumnLayout> defaultColumns() const;

Q_SIGNALS:
    // Double click on an order of either tab.
    void orderActivated(const QString &orderNumber, bool dineIn);
    // Enter on the takeaway board.
    void enterPressed(const QString &orderNumber);
    // The command buttons of the board.
    void printRequested();
    void saveTiffRequested();
    void drawerRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFigures(QWidget *panel);
    QWidget *buildFilterPanel();
    QWidget *buildTakeawayTab();
    QWidget *buildDineInTab();
    QWidget *buildChartTab();
    void showDetail();
    void showDineInDetail();
    void updateFooters();
    void reselect(QTableView *view, QSortFilterProxyModel *proxy, const QString &number);
    void applyColumns(const QList<board::ColumnLayout> &columns);
    void saveColumnLayout();
    QString orderAt(QTableView *view, QSortFilterProxyModel *proxy, BoardModel *model) const;
    void run(bool dineInFilters);

    AppContext &m_ctx;
    board::BoardQueries m_queries;

    QLabel *m_label19 = nullptr;
    QList<QLabel *> m_figureLabels;
    QPushButton *m_refreshFigures = nullptr;
    QCheckBox *m_colour = nullptr;

    QGroupBox *m_filters = nullptr;
    QPushButton *m_filterButton = nullptr;
    QRadioButton *m_today = nullptr;
    QRadioButton *m_period = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QCheckBox *m_areaBox = nullptr;
    QComboBox *m_area = nullptr;
    QCheckBox *m_workerBox = nullptr;
    QComboBox *m_worker = nullptr;
    QComboBox *m_state = nullptr;
    QComboBox *m_meal = nullptr;
    QComboBox *m_sort = nullptr;

    QTabWidget *m_tabs = nullptr;
    QWidget *m_takeawayPage = nullptr;
    QWidget *m_dineInPage = nullptr;
    QWidget *m_chartPage = nullptr;
    BoardModel *m_model = nullptr;
    QSortFilterProxyModel *m_proxy = nullptr;
    QTableView *m_grid = nullptr;
    FooterBar *m_footer = nullptr;
    BoardModel *m_detailModel = nullptr;
    QTableView *m_detail = nullptr;
    FooterBar *m_detailFooter = nullptr;

    BoardModel *m_dineModel = nullptr;
    QSortFilterProxyModel *m_dineProxy = nullptr;
    QTableView *m_dineGrid = nullptr;
    FooterBar *m_dineFooter = nullptr;
    BoardModel *m_dineDetailModel = nullptr;
    QTableView *m_dineDetail = nullptr;
    FooterBar *m_dineDetailFooter = nullptr;

    QWidget *m_chartView = nullptr;
    QBarSet *m_chartSet = nullptr;
    QBarCategoryAxis *m_chartX = nullptr;
    QValueAxis *m_chartY = nullptr;
    QPlainTextEdit *m_kitchenLog = nullptr;
    QMenu *m_takeawayMenu = nullptr;
    QMenu *m_dineInMenu = nullptr;
    QTimer *m_layoutTimer = nullptr;

    bool m_applyingLayout = false;
    bool m_layoutSaving = false;
};

} // namespace lanfan
