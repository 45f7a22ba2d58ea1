#pragma once

#include "common/Money.h"
#include "customers/CustomerPicker.h"
#include "orders/OrderForm.h"
#include "orders/OrderSave.h"
#include "orders/TakeawayDesk.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QTimeEdit;
class QTimer;

namespace lanfan {

class AppContext;
class DishPicker;

// "库存报警": the dishes at or below their low-stock level. Freed on close.
class TFkucun_baojing : public QWidget {
    Q_OBJECT
public:
    TFkucun_baojing(AppContext &ctx, QWidget *parent = nullptr);
};

// The takeaway order form: the customer panel, the dish picker with the
// cart, the delivery boxes and the bottom bar. The call popup and the manual
// takeaway form are this one window with a different variant.
class OrderFormWindow : public QWidget {
    Q_OBJECT
public:
    OrderFormWindow(AppContext &ctx, OrderFormVariant variant, QWidget *parent = nullptr);
    ~OrderFormWindow() override;

    const OrderFormVariant &variant() const { return m_variant; }

    // Inputs of the call intake (set before the form is shown).
    QString laidian_haoma;     // the calling number
    QString kaidan_laiyuan;    // how the order came in
    QString callHistoryId;     // 来电历史记录表.编号 of this call, when known
    QLineEdit *Edit9 = nullptr;   // registered phone
    QLineEdit *Edit8 = nullptr;   // member code
    QLabel *Label21 = nullptr;    // call time (key of the call-history row)
    QLabel *Label31 = nullptr;    // recording file
    QLineEdit *Edit3 = nullptr;   // customer name (read back by the intake)
    QLabel *Label14 = nullptr;    // customer id, "无" for nobody registered
    QComboBox *Com_dz = nullptr;  // delivery address

    // State of the order.
    QString dingdan_bianhao;   // the saved order's number
    QString xiadan_zhuangtai;  // "订餐" once a save was started
    QString xiugai_danhao;     // previous order being re-entered
    Money xiugai_jifen;        // the points it used

    // Hooks of the main window and the windows built elsewhere.
    std::function<void(const QString &orderNumber)> refreshBoard; // re-select that order and refresh
    std::function<void(const QString &orderNumber)> printAction;  // receipt and kitchen tickets
    std::function<void(const CustomerPickRequest &request)> openCustomerList;
    std::function<void(const QString &orderNumber, bool readOnly)> openModification; // unset: disabled
    std::function<void(OrderFormWindow *form)> closed; // after the closing steps (popup list upkeep)

    QString cartKey() const;
    DishPicker *picker() const { return m_picker; }
    bool repeatPromptShown() const;

    // The handlers, as their buttons and keys run them.
    void lookupByPhone();       // Button6
    void lookupByMemberCode();  // Button9
    void lookupByQq();
    void lookupByAddress();
    void previousCustomer();    // Button16, F2
    void resetCustomer();       // Button7
    void loadCustomer(qint64 id, bool withPrompt);
    void receiveCustomer(const CustomerTransfer &transfer); // from the customer list
    void saveOrder();           // Button1 / Buttonbc, F1
    void saveCustomerOnly();    // Button4
    void copySummary();         // Button8
    void reuseLastOrder();      // Button13
    void modifyLastOrder();     // Button17
    void printOrder();          // Button2

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildUi();
    void prepare();
    void applyEnglish();
    void fillLists();
    void clearCustomer(bool keepPhoneAndAddress);
    void showCustomer(const CustomerTransfer &t, bool full);
    void showLastOrder(qint64 customerId, const QList<SqlRow> &lines, bool withPrompt);
    void showMatches(const QList<qint64> &ids);
    void loadFromIds(const QList<qint64> &ids, bool withPrompt);
    void setCredit(const QString &rating);
    void updateDelivery();
    void paymentChosen();
    void payNowToggled(bool on);
    void blacklistToggled(bool on);
    void blink();
    void areaChosen();
    void loadHistory();
    void showPrompt(bool on);
    void promptAgain();
    void promptModify();
    void promptCancel();
    void promptChase();
    void handleOutcome(const OrderSaveOutcome &out, bool fromMerge);
    void mergeAnswer(bool merge);
    void lock(bool locked);
    void startNewOrder();
    void lowStockCheck();
    TakeawayDraft draft() const;
    void setPayment(const QString &method);
    void askCustomerList();
    QString boxText(const char *name) const;
    void setBoxText(const char *name, const QString &text);

    AppContext &m_ctx;
    OrderFormVariant m_variant;
    TakeawayDesk m_desk;
    std::optional<LastOrder> m_lastOrder;
    QString m_lastOrderNumber;
    QString m_mergeExisting;
    bool m_prepared = false;
    bool m_customerHandedOver = false;
    bool m_blinkOn = false;
    QString m_baseCaption;

    DishPicker *m_picker = nullptr;
    QTabWidget *m_pages = nullptr;        // PageControl1
    QWidget *m_customerPanel = nullptr;
    QLineEdit *m_callNumber = nullptr;    // Editld
    QComboBox *m_type = nullptr;          // ComboBox6
    QComboBox *m_area = nullptr;          // ComboBox4
    QLineEdit *m_company = nullptr;       // Edit4
    QLabel *m_credit = nullptr;           // Shape1
    QRadioButton *m_rb[3] = {};           // rb0..rb2
    QLineEdit *m_remark = nullptr;        // Edit5
    QLineEdit *m_qq = nullptr;            // Edit10
    QComboBox *m_dispatchNote = nullptr;  // ComboBoxfhbz
    QComboBox *m_payment = nullptr;       // ComboBox2
    QComboBox *m_worker = nullptr;        // ComboBox1
    QComboBox *m_hours = nullptr;         // ComboBox3
    QComboBox *m_minutes = nullptr;       // ComboBox5
    QDateEdit *m_date = nullptr;          // dp1
    QTimeEdit *m_time = nullptr;          // tm1
    QLineEdit *m_balance = nullptr;       // ezhanghu_yue
    QLineEdit *m_points = nullptr;        // Edit11
    QLineEdit *m_count = nullptr;         // Editcs
    QLineEdit *m_amount = nullptr;        // Editje
    QCheckBox *m_blacklist = nullptr;     // CheckBox5
    QLabel *m_blackLabel = nullptr;       // Label22
    QTimer *m_blinkTimer = nullptr;       // Timer2
    QLabel *m_cartKey = nullptr;          // Label24
    QLabel *m_mealPeriod = nullptr;       // Label35
    QTabWidget *m_lastPages = nullptr;    // PageControl2
    QTableView *m_matches = nullptr;      // DBGrid2
    QStandardItemModel *m_matchModel = nullptr;
    QTableView *m_lastGrid = nullptr;     // DBGridEh3
    QStandardItemModel *m_lastModel = nullptr;
    QTableView *m_history = nullptr;      // history tab grid
    QStandardItemModel *m_historyModel = nullptr;
    QGroupBox *m_prompt = nullptr;        // repeat-call prompt
    QGroupBox *m_merge = nullptr;         // merge panel
    QLabel *m_mergeText = nullptr;
    QComboBox *m_style = nullptr;         // ComboBox7
    QSpinBox *m_copies = nullptr;         // se1
    QCheckBox *m_inStore = nullptr;       // CheckBox1
    QCheckBox *m_payNow = nullptr;        // CheckBox2
    QCheckBox *m_sms = nullptr;           // CheckBox3
    QCheckBox *m_closeAfter = nullptr;    // CheckBox4 "保存后关闭"
    QPushButton *m_print = nullptr;       // Button2
    QPushButton *m_save = nullptr;        // Button1 / Buttonbc
    QPushButton *m_copy = nullptr;        // Button8
    QPushButton *m_exit = nullptr;        // Button3
    QPushButton *m_saveCustomer = nullptr;// Button4
    QPushButton *m_modifyLast = nullptr;  // Button17
    QPushButton *m_reuse = nullptr;       // Button13
    QHash<QString, QLabel *> m_captions;  // captions that have English versions
};

// "来电订餐": one per call, freed on close, with its own taskbar button.
class Txiaoshou2 : public OrderFormWindow {
    Q_OBJECT
public:
    explicit Txiaoshou2(AppContext &ctx);
};

// "手工开单--外卖模式": one instance, hidden on close.
class Txiaoshou : public OrderFormWindow {
    Q_OBJECT
public:
    explicit Txiaoshou(AppContext &ctx, QWidget *parent = nullptr);
};

} // namespace lanfan
