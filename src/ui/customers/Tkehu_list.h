#pragma once

#include "customers/CustomerPicker.h"
#include "customers/CustomerQuery.h"

#include <QWidget>

#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSortFilterProxyModel;
class QTableView;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace lanfan {

class AppContext;
class CustomerListModel;

// "客户资料": the customer list. Modeless, stays on top, opens maximised.
// It is the customer maintenance screen and, given a pick request, the
// customer picker of the form that asked: a double click (or "直接开单")
// hands the customer to that form and closes the list.
//
// Entries that open windows built elsewhere ("帐户充值", "充值记录",
// "客户追踪", "直接开单" outside picker mode) stay disabled until their
// handler is set.
class Tkehu_list : public QWidget {
    Q_OBJECT
public:
    using CustomerAction = std::function<void(qint64 customerId)>;

    explicit Tkehu_list(AppContext &ctx, QWidget *parent = nullptr);
    Tkehu_list(AppContext &ctx, CustomerPickRequest request, QWidget *parent = nullptr);
    ~Tkehu_list() override;

    // Picker mode. The main window clears it whenever it opens the list.
    void setPickRequest(CustomerPickRequest request);
    void clearPickRequest() { setPickRequest({}); }
    PickerMode pickerMode() const { return m_request.isActive() ? m_request.mode() : PickerMode::None; }

    void setDirectOrderHandler(CustomerAction action);   // "直接开单" outside picker mode
    void setTopUpHandler(CustomerAction action);         // "帐户充值"
    void setTopUpRecordsHandler(std::function<void()> action); // "充值记录"
    void setTrackingHandler(CustomerAction action);      // "客户追踪"

    // Where the export goes; a save dialog unless replaced (tests). Gets a
    // suggested path, returns the chosen one or empty.
    std::function<QString(const QString &suggested)> chooseExportFile;
    // Opens a written file with the desktop's program for it; false when none can.
    std::function<bool(const QString &path)> openFile;
    // The web page of "视频教程".
    QString tutorialAddress = QStringLiteral("https://www.lanfan.example/video");

    // Reloads with the opening query (the sort order of the radio buttons).
    void reload();
    void load(const CustomerQuery &query);
    CustomerListModel *model() const { return m_model; }
    // The customer of the current grid row, or 0.
    qint64 currentId() const;
    bool selectId(qint64 id);

    // The buttons' actions, callable as the buttons do.
    void newCustomer();
    void editCustomer();
    void deleteCustomer();
    void search();
    void exportToSpreadsheet();
    void openImport();
    void directOrder();
    void pick(qint64 id);
    void rebuildTree();

Q_SIGNALS:
    // Areas were added or deleted from the tree: the main window's area
    // filter list wants rebuilding.
    void areasChanged();

private:
    void build();
    void applyRights();
    void updateEntries();
    CustomerOrder order() const;
    void updateFooter();
    void loadOtherAddresses();
    void treeClicked(QTreeWidgetItem *item);
    void treeMenu(const QPoint &pos);
    void gridMenu(const QPoint &pos);
    void doubleClicked();

    AppContext &m_ctx;
    CustomerPickRequest m_request;
    CustomerAction m_directOrder, m_topUp, m_tracking;
    std::function<void()> m_topUpRecords;

    CustomerListModel *m_model = nullptr;
    QSortFilterProxyModel *m_proxy = nullptr;
    QTableView *m_grid = nullptr;
    QTableWidget *m_addresses = nullptr;
    QTreeWidget *m_tree = nullptr;
    QLabel *m_footer = nullptr;
    QLabel *m_modeLabel = nullptr;
    QRadioButton *m_byOrders = nullptr;
    QRadioButton *m_byCard = nullptr;
    QRadioButton *m_byId = nullptr;
    QCheckBox *m_useArea = nullptr, *m_usePhone = nullptr, *m_useQq = nullptr, *m_useBirthday = nullptr,
              *m_useName = nullptr, *m_useAddress = nullptr, *m_useCard = nullptr;
    QComboBox *m_area = nullptr;
    QLineEdit *m_phone = nullptr, *m_qq = nullptr, *m_name = nullptr, *m_address = nullptr, *m_card = nullptr;
    QPushButton *m_topUpButton = nullptr, *m_recordsButton = nullptr, *m_directButton = nullptr, *m_exportButton = nullptr,
                *m_importButton = nullptr, *m_helpButton = nullptr;
    QAction *m_directAction = nullptr, *m_trackingAction = nullptr;
};

} // namespace lanfan
