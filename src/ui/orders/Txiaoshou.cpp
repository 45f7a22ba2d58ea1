#include "orders/Txiaoshou.h"

#include "app/AppContext.h"
#include "common/BusinessDay.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "common/TitleSort.h"
#include "customers/Tkehu_list.h"
#include "data/Db.h"
#include "orders/Cart.h"
#include "orders/DishPicker.h"
#include "printing/OrderPrinting.h"
#include "printing/PrintPreviewDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QString kNoCustomer = u"无"_s;
const QString kAccountPay = u"帐户支付"_s;

QStandardItemModel *gridModel(QObject *parent, const QStringList &titles)
{
    auto *m = new QStandardItemModel(parent);
    m->setHorizontalHeaderLabels(titles);
    return m;
}

QTableView *grid(QWidget *parent, const QString &name, QStandardItemModel *model, bool sortable)
{
    auto *v = new QTableView(parent);
    v->setObjectName(name);
    v->setModel(model);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->verticalHeader()->hide();
    v->horizontalHeader()->setStretchLastSection(true);
    if (sortable)
        TitleSort::install(v);
    return v;
}

void fillRows(QStandardItemModel *model, const QList<SqlRow> &rows, const QStringList &columns)
{
    model->removeRows(0, model->rowCount());
    for (const SqlRow &r : rows) {
        QList<QStandardItem *> items;
        for (const QString &c : columns) {
            const QVariant v = r.value(c);
            QString text = v.toString();
            if (v.typeId() == QMetaType::Double)
                text = Money::fromVariant(v).toString();
            items << new QStandardItem(text);
        }
        model->appendRow(items);
    }
}

const QStringList kLastOrderColumns = {u"购物日期"_s, u"时间"_s,     u"产品名称"_s, u"数量"_s,     u"口味"_s,
                                       u"单价"_s,     u"实付货款"_s, u"配送工"_s,   u"收款方式"_s, u"送餐日期"_s,
                                       u"送餐时间"_s, u"发货备注"_s, u"地址"_s};

} // namespace

// ---------------------------------------------------------------------------

TFkucun_baojing::TFkucun_baojing(AppContext &ctx, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"TFkucun_baojing"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"库存报警"_s);
    const QStringList columns = {u"编号"_s, u"名称"_s, u"食物总类"_s, u"单价"_s, u"当前库存"_s, u"报警低库存"_s};
    auto *model = gridModel(this, columns);
    fillRows(model,
             ctx.db().rows(u"select 编号,名称,食物总类,单价,当前库存,报警低库存 from 菜单表 where 当前库存<=报警低库存"_s),
             columns);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grid(this, u"DBGrid1"_s, model, false));
    resize(640, 320);
}

// ---------------------------------------------------------------------------

OrderFormWindow::OrderFormWindow(AppContext &ctx, OrderFormVariant variant, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_variant(std::move(variant)), m_desk(ctx)
{
    buildUi();
    printAction = [this](const QString &number) {
        // A popup is freed when it closes; its print run must outlive it.
        ui::printOrder(m_variant.hiddenOnClose ? this : nullptr, m_ctx, m_variant.printSource, number,
                       m_copies->value(), m_style->currentText());
    };
    openCustomerList = [this](const CustomerPickRequest &request) {
        auto *list = new Tkehu_list(m_ctx, request);
        list->setAttribute(Qt::WA_DeleteOnClose);
        list->show();
    };
    // On an 800-pixel screen the category strip gives its room to the dishes.
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry().width() == 800) {
        if (auto *strip = m_picker->findChild<QWidget *>(u"ListView1"_s))
            strip->hide();
        setWindowState(Qt::WindowMaximized);
    } else if (m_ctx.settings().is(u"订单窗口是否最大化"_s, u"最大化"_s)) {
        setWindowState(Qt::WindowMaximized);
    }
}

OrderFormWindow::~OrderFormWindow() = default;

QString OrderFormWindow::cartKey() const { return m_cartKey->text(); }

bool OrderFormWindow::repeatPromptShown() const { return m_prompt->isVisible(); }

void OrderFormWindow::buildUi()
{
    const bool popup = m_variant.isCallPopup();
    setObjectName(popup ? u"Txiaoshou2"_s : u"Txiaoshou"_s);
    m_baseCaption = m_variant.caption;
    setWindowTitle(m_baseCaption);

    auto label = [this](const QString &caption, QWidget *parent) {
        auto *l = new QLabel(caption, parent);
        m_captions.insert(caption, l);
        return l;
    };
    auto edit = [](const QString &name, QWidget *parent) {
        auto *e = new QLineEdit(parent);
        e->setObjectName(name);
        return e;
    };
    auto combo = [](const QString &name, QWidget *parent, bool editable) {
        auto *c = new QComboBox(parent);
        c->setObjectName(name);
        c->setEditable(editable);
        return c;
    };
    auto button = [](const QString &name, const QString &caption, QWidget *parent) {
        auto *b = new QPushButton(caption, parent);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(u"PageControl1"_s);
    auto *basic = new QWidget(m_pages);
    m_pages->addTab(basic, u"基本信息"_s);
    auto *historyPage = new QWidget(m_pages);
    m_pages->addTab(historyPage, u"历史信息"_s);

    // Customer panel.
    m_customerPanel = new QGroupBox(basic);
    m_customerPanel->setObjectName(u"GroupBox1"_s);
    auto *g = new QGridLayout(m_customerPanel);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(3);
    int row = 0;
    m_callNumber = edit(u"Editld"_s, m_customerPanel);
    m_callNumber->setReadOnly(true);
    Edit9 = edit(u"Edit9"_s, m_customerPanel);
    auto *b6 = button(u"Button6"_s, u"查询"_s, m_customerPanel);
    if (popup) {
        g->addWidget(label(u"本次来电"_s, m_customerPanel), row, 0);
        g->addWidget(m_callNumber, row, 1);
    } else {
        m_callNumber->hide();
    }
    g->addWidget(label(u"登记电话"_s, m_customerPanel), row, 2);
    g->addWidget(Edit9, row, 3);
    g->addWidget(b6, row, 4);
    ++row;
    m_type = combo(u"ComboBox6"_s, m_customerPanel, true);
    m_area = combo(u"ComboBox4"_s, m_customerPanel, true);
    g->addWidget(label(u"客户类型"_s, m_customerPanel), row, 0);
    g->addWidget(m_type, row, 1);
    g->addWidget(label(u"客户区域"_s, m_customerPanel), row, 2);
    g->addWidget(m_area, row, 3);
    ++row;
    Edit3 = edit(u"Edit3"_s, m_customerPanel);
    m_company = edit(u"Edit4"_s, m_customerPanel);
    m_credit = new QLabel(m_customerPanel);
    m_credit->setObjectName(u"Shape1"_s);
    m_credit->setFixedSize(18, 18);
    m_credit->hide();
    g->addWidget(label(u"客户姓名"_s, m_customerPanel), row, 0);
    g->addWidget(Edit3, row, 1);
    g->addWidget(label(u"客户单位"_s, m_customerPanel), row, 2);
    g->addWidget(m_company, row, 3);
    g->addWidget(m_credit, row, 4);
    ++row;
    Com_dz = combo(u"Com_dz"_s, m_customerPanel, true);
    g->addWidget(label(u"送餐地址"_s, m_customerPanel), row, 0);
    g->addWidget(Com_dz, row, 1, 1, 3);
    ++row;
    auto *rbBox = new QWidget(m_customerPanel);
    auto *rbl = new QHBoxLayout(rbBox);
    rbl->setContentsMargins(0, 0, 0, 0);
    const QStringList rbCaptions = {u"地址不变"_s, u"修改默认地址"_s, u"增加新地址"_s};
    for (int i = 0; i < 3; ++i) {
        m_rb[i] = new QRadioButton(rbCaptions[i], rbBox);
        m_rb[i]->setObjectName(u"rb"_s + QString::number(i));
        rbl->addWidget(m_rb[i]);
    }
    m_rb[0]->setChecked(true);
    g->addWidget(rbBox, row, 1, 1, 3);
    ++row;
    m_remark = edit(u"Edit5"_s, m_customerPanel);
    Edit8 = edit(u"Edit8"_s, m_customerPanel);
    auto *b9 = button(u"Button9"_s, u"查询"_s, m_customerPanel);
    g->addWidget(label(u"客户备注"_s, m_customerPanel), row, 0);
    g->addWidget(m_remark, row, 1);
    g->addWidget(label(u"会员卡号"_s, m_customerPanel), row, 2);
    g->addWidget(Edit8, row, 3);
    g->addWidget(b9, row, 4);
    ++row;
    m_qq = edit(u"Edit10"_s, m_customerPanel);
    m_dispatchNote = combo(u"ComboBoxfhbz"_s, m_customerPanel, true);
    g->addWidget(label(u"QQ 号码"_s, m_customerPanel), row, 0);
    g->addWidget(m_qq, row, 1);
    g->addWidget(label(u"发货备注"_s, m_customerPanel), row, 2);
    g->addWidget(m_dispatchNote, row, 3);
    if (m_variant.hasQqAndAddressLookups) {
        auto *bq = button(u"ButtonQq"_s, u"查询"_s, m_customerPanel);
        g->addWidget(bq, row, 4);
        connect(bq, &QPushButton::clicked, this, &OrderFormWindow::lookupByQq);
        auto *ba = button(u"ButtonDz"_s, u"查询"_s, m_customerPanel);
        g->addWidget(ba, 3, 4);
        connect(ba, &QPushButton::clicked, this, &OrderFormWindow::lookupByAddress);
    }
    ++row;
    m_payment = combo(u"ComboBox2"_s, m_customerPanel, false);
    m_worker = combo(u"ComboBox1"_s, m_customerPanel, true);
    g->addWidget(label(u"收款方式"_s, m_customerPanel), row, 0);
    g->addWidget(m_payment, row, 1);
    g->addWidget(label(u"送 餐 员"_s, m_customerPanel), row, 2);
    g->addWidget(m_worker, row, 3);
    ++row;
    auto *timeBox = new QWidget(m_customerPanel);
    auto *tl = new QHBoxLayout(timeBox);
    tl->setContentsMargins(0, 0, 0, 0);
    m_hours = combo(u"ComboBox3"_s, timeBox, false);
    for (int h = 0; h <= 12; ++h)
        m_hours->addItem(QString::number(h));
    m_minutes = combo(u"ComboBox5"_s, timeBox, false);
    for (int m = 0; m <= 55; m += 5)
        m_minutes->addItem(QString::number(m));
    m_date = new QDateEdit(timeBox);
    m_date->setObjectName(u"dp1"_s);
    m_date->setDisplayFormat(u"yyyy-MM-dd"_s);
    m_time = new QTimeEdit(timeBox);
    m_time->setObjectName(u"tm1"_s);
    m_time->setDisplayFormat(u"hh:mm:ss"_s);
    tl->addWidget(m_hours);
    tl->addWidget(label(u"小时"_s, timeBox));
    tl->addWidget(m_minutes);
    tl->addWidget(label(u"分钟以后,为"_s, timeBox));
    tl->addWidget(m_date);
    tl->addWidget(m_time);
    g->addWidget(label(u"送餐时间"_s, m_customerPanel), row, 0);
    g->addWidget(timeBox, row, 1, 1, 3);
    ++row;
    auto *accountBox = new QWidget(m_customerPanel);
    auto *al = new QHBoxLayout(accountBox);
    al->setContentsMargins(0, 0, 0, 0);
    m_balance = edit(u"ezhanghu_yue"_s, accountBox);
    m_points = edit(u"Edit11"_s, accountBox);
    m_points->setReadOnly(true);
    m_count = edit(u"Editcs"_s, accountBox);
    m_amount = edit(u"Editje"_s, accountBox);
    for (QLineEdit *e : {m_balance, m_count, m_amount})
        e->setReadOnly(m_variant.readOnlyAccountFields);
    al->addWidget(label(u"帐户余额"_s, accountBox));
    al->addWidget(m_balance);
    al->addWidget(label(u"可用积分"_s, accountBox));
    al->addWidget(m_points);
    al->addWidget(label(u"购物次数"_s, accountBox));
    al->addWidget(m_count);
    al->addWidget(label(u"总购物金额"_s, accountBox));
    al->addWidget(m_amount);
    g->addWidget(accountBox, row, 0, 1, 4);
    ++row;
    auto *flags = new QWidget(m_customerPanel);
    auto *fl = new QHBoxLayout(flags);
    fl->setContentsMargins(0, 0, 0, 0);
    m_blacklist = new QCheckBox(u"黑名单"_s, flags);
    m_blacklist->setObjectName(u"CheckBox5"_s);
    m_blackLabel = new QLabel(u"黑名单"_s, flags);
    m_blackLabel->setObjectName(u"Label22"_s);
    m_blackLabel->setAutoFillBackground(true);
    QFont bold = m_blackLabel->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    m_blackLabel->setFont(bold);
    m_blackLabel->hide();
    Label14 = new QLabel(kNoCustomer, flags);
    Label14->setObjectName(u"Label14"_s);
    m_cartKey = new QLabel(flags);
    m_cartKey->setObjectName(u"Label24"_s);
    m_cartKey->hide();
    Label21 = new QLabel(flags);
    Label21->setObjectName(u"Label21"_s);
    Label21->hide();
    Label31 = new QLabel(flags);
    Label31->setObjectName(u"Label31"_s);
    Label31->hide();
    m_mealPeriod = new QLabel(flags);
    m_mealPeriod->setObjectName(u"Label35"_s);
    m_mealPeriod->hide();
    fl->addWidget(m_blacklist);
    fl->addWidget(m_blackLabel);
    fl->addStretch();
    fl->addWidget(new QLabel(u"客户编号："_s, flags));
    fl->addWidget(Label14);
    g->addWidget(flags, row, 0, 1, 5);
    ++row;
    auto *actions = new QWidget(m_customerPanel);
    auto *acl = new QHBoxLayout(actions);
    acl->setContentsMargins(0, 0, 0, 0);
    auto *b16 = button(u"Button16"_s, u"上个客户资料F2"_s, actions);
    auto *b7 = button(u"Button7"_s, u"重置为新客户"_s, actions);
    m_saveCustomer = button(u"Button4"_s, m_variant.saveCustomerCaption, actions);
    m_reuse = button(u"Button13"_s, u"按上次记录点菜"_s, actions);
    m_modifyLast = button(u"Button17"_s, u"修改上次订单"_s, actions);
    for (QPushButton *b : {b16, b7, m_saveCustomer, m_reuse, m_modifyLast})
        acl->addWidget(b);
    m_modifyLast->setVisible(m_variant.hasModifyLastOrder);
    g->addWidget(actions, row, 0, 1, 5);

    // Matches and the last order.
    m_lastPages = new QTabWidget(basic);
    m_lastPages->setObjectName(u"PageControl2"_s);
    m_matchModel = gridModel(this, {u"客户姓名"_s, u"联系地址"_s, u"id"_s});
    m_matches = grid(m_lastPages, u"DBGrid2"_s, m_matchModel, false);
    m_matches->setColumnHidden(2, true);
    m_lastModel = gridModel(this, kLastOrderColumns);
    m_lastGrid = grid(m_lastPages, u"DBGridEh3"_s, m_lastModel, true);
    if (m_variant.hasMultiCustomerTab)
        m_lastPages->addTab(m_matches, u"一个电话对应多个用户"_s);
    else
        m_matches->hide();
    m_lastPages->addTab(m_lastGrid, u"该客户前次点单记录"_s);
    m_lastPages->setCurrentWidget(m_lastGrid);

    auto *basicLayout = new QHBoxLayout(basic);
    basicLayout->setContentsMargins(2, 2, 2, 2);
    basicLayout->addWidget(m_customerPanel, 3);
    basicLayout->addWidget(m_lastPages, 2);

    m_historyModel = gridModel(this, {});
    m_history = grid(historyPage, u"DBGridEh2"_s, m_historyModel, true);
    auto *hl = new QVBoxLayout(historyPage);
    hl->addWidget(m_history);

    // Dish picker with the cart.
    m_picker = new DishPicker(m_ctx, CartTable::sales(), newCartKey(m_ctx.clock()), this);
    m_cartKey->setText(m_picker->cart().key());
    m_picker->showKitchenPrinterColumn(m_variant.kitchenPrinterColumn);

    // Bottom bar.
    auto *bar = new QWidget(this);
    auto *bl = new QHBoxLayout(bar);
    bl->setContentsMargins(4, 0, 4, 4);
    m_style = combo(u"ComboBox7"_s, bar, false);
    m_style->addItems({u"普通样式"_s, u"反馈三联单"_s});
    m_copies = new QSpinBox(bar);
    m_copies->setObjectName(u"se1"_s);
    m_copies->setRange(0, 20);
    m_inStore = new QCheckBox(u"店内消费"_s, bar);
    m_inStore->setObjectName(u"CheckBox1"_s);
    m_payNow = new QCheckBox(m_variant.payNowCaption, bar);
    m_payNow->setObjectName(u"CheckBox2"_s);
    m_sms = new QCheckBox(u"短信通知配送工"_s, bar);
    m_sms->setObjectName(u"CheckBox3"_s);
    m_closeAfter = new QCheckBox(u"保存后关闭"_s, bar);
    m_closeAfter->setObjectName(u"CheckBox4"_s);
    m_closeAfter->setVisible(m_variant.hasCloseAfterSave);
    m_print = button(u"Button2"_s, u"打印"_s, bar);
    m_save = button(popup ? u"Button1"_s : u"Buttonbc"_s, u"保存订单F1"_s, bar);
    m_copy = button(u"Button8"_s, u"复制到剪贴板"_s, bar);
    m_exit = button(u"Button3"_s, u"退出"_s, bar);
    m_print->setEnabled(false); // until the order is saved
    bl->addWidget(m_style);
    bl->addWidget(m_copies);
    for (QWidget *w : std::initializer_list<QWidget *>{m_inStore, m_payNow, m_sms, m_closeAfter})
        bl->addWidget(w);
    bl->addStretch();
    for (QPushButton *b : {m_print, m_save, m_copy, m_exit})
        bl->addWidget(b);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(2, 2, 2, 2);
    main->addWidget(m_pages, 0);
    main->addWidget(m_picker, 1);
    main->addWidget(bar, 0);

    // Repeat-call prompt and merge panel float over the form.
    m_prompt = new QGroupBox(this);
    m_prompt->setObjectName(u"GroupBox4"_s);
    m_prompt->setAutoFillBackground(true);
    m_prompt->setStyleSheet(u"QGroupBox#GroupBox4{background:palette(window);border:2px solid #c62828;"
                            u"padding:2.2em 6px 6px 6px;font-weight:bold;}"
                            u"QGroupBox#GroupBox4::title{subcontrol-origin:padding;subcontrol-position:top left;"
                            u"left:8px;top:6px;color:#c62828;}"_s);
    auto *pl = new QHBoxLayout(m_prompt);
    const QStringList promptCaptions = {u"再次订餐"_s, u"修改订单"_s, u"取消订单"_s, u"催单"_s};
    QPushButton *pb[4];
    for (int i = 0; i < 4; ++i) {
        pb[i] = button(u"BitBtn"_s + QString::number(i + 1), promptCaptions[i], m_prompt);
        pb[i]->setMinimumHeight(36);
        pl->addWidget(pb[i]);
    }
    m_prompt->hide();
    connect(pb[0], &QPushButton::clicked, this, &OrderFormWindow::promptAgain);
    connect(pb[1], &QPushButton::clicked, this, &OrderFormWindow::promptModify);
    connect(pb[2], &QPushButton::clicked, this, &OrderFormWindow::promptCancel);
    connect(pb[3], &QPushButton::clicked, this, &OrderFormWindow::promptChase);

    m_merge = new QGroupBox(this);
    m_merge->setObjectName(u"Panel3"_s);
    m_merge->setAutoFillBackground(true);
    m_merge->setStyleSheet(u"QGroupBox#Panel3{background:palette(window);border:2px solid #1565c0;padding:6px;}"_s);
    auto *ml = new QVBoxLayout(m_merge);
    m_mergeText = new QLabel(m_merge);
    m_mergeText->setWordWrap(true);
    ml->addWidget(m_mergeText);
    auto *mb = new QHBoxLayout;
    auto *b10 = button(u"Button10"_s, u"合并客户资料"_s, m_merge);
    auto *b11 = button(u"Button11"_s, u"新建客户资料"_s, m_merge);
    auto *b12 = button(u"Button12"_s, u"暂时退出"_s, m_merge);
    mb->addWidget(b10);
    mb->addWidget(b11);
    mb->addWidget(b12);
    ml->addLayout(mb);
    m_merge->hide();
    connect(b10, &QPushButton::clicked, this, [this] { mergeAnswer(true); });
    connect(b11, &QPushButton::clicked, this, [this] { mergeAnswer(false); });
    connect(b12, &QPushButton::clicked, this, [this] {
        m_merge->hide();
        m_save->setEnabled(true);
    });

    m_blinkTimer = new QTimer(this);
    m_blinkTimer->setObjectName(u"Timer2"_s);
    m_blinkTimer->setInterval(200);
    connect(m_blinkTimer, &QTimer::timeout, this, &OrderFormWindow::blink);

    connect(b6, &QPushButton::clicked, this, &OrderFormWindow::lookupByPhone);
    connect(b9, &QPushButton::clicked, this, &OrderFormWindow::lookupByMemberCode);
    connect(b16, &QPushButton::clicked, this, &OrderFormWindow::previousCustomer);
    connect(b7, &QPushButton::clicked, this, &OrderFormWindow::resetCustomer);
    connect(m_saveCustomer, &QPushButton::clicked, this, &OrderFormWindow::saveCustomerOnly);
    connect(m_reuse, &QPushButton::clicked, this, &OrderFormWindow::reuseLastOrder);
    connect(m_modifyLast, &QPushButton::clicked, this, &OrderFormWindow::modifyLastOrder);
    connect(m_save, &QPushButton::clicked, this, &OrderFormWindow::saveOrder);
    connect(m_print, &QPushButton::clicked, this, &OrderFormWindow::printOrder);
    connect(m_copy, &QPushButton::clicked, this, &OrderFormWindow::copySummary);
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_hours, &QComboBox::currentIndexChanged, this, &OrderFormWindow::updateDelivery);
    connect(m_minutes, &QComboBox::currentIndexChanged, this, &OrderFormWindow::updateDelivery);
    connect(m_payment, &QComboBox::activated, this, &OrderFormWindow::paymentChosen);
    connect(m_payNow, &QCheckBox::toggled, this, &OrderFormWindow::payNowToggled);
    connect(m_blacklist, &QCheckBox::toggled, this, &OrderFormWindow::blacklistToggled);
    connect(m_area, &QComboBox::activated, this, &OrderFormWindow::areaChosen);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1)
            loadHistory();
    });
    connect(m_matches, &QTableView::clicked, this, [this](const QModelIndex &index) {
        const qint64 id = m_matchModel->index(index.row(), 2).data().toLongLong();
        m_prompt->hide();
        try {
            const CustomerTransfer t = customerTransfer(m_ctx.db(), id, m_variant.pickerMode, m_picker->periodRate());
            showCustomer(t, false);
            showLastOrder(id, t.lastOrderLines, true);
        } catch (const SqlError &e) {
            m_ctx.prompter().error(e.text());
        }
    });

    // Enter moves through the fields.
    for (QWidget *w : std::initializer_list<QWidget *>{Edit9, m_type, m_area, Edit3, m_company, Com_dz, m_remark, Edit8,
                                                       m_qq, m_points, m_payment, m_worker, m_hours, m_minutes, m_date,
                                                       m_time, m_balance})
        w->installEventFilter(this);
    resize(1180, 860);
}

// ---------------------------------------------------------------------------
// Opening

void OrderFormWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The popup is prepared once; the manual form at every show.
    if (!m_prepared || m_variant.hiddenOnClose) {
        m_prepared = true;
        prepare();
    }
}

void OrderFormWindow::prepare()
{
    Settings &s = m_ctx.settings();
    if (m_variant.hiddenOnClose) {
        const QString key = newCartKey(m_ctx.clock());
        m_picker->setCartKey(key);
        m_cartKey->setText(key);
        dingdan_bianhao.clear();
        lock(false);
        if (!m_customerHandedOver)
            clearCustomer(false);
        m_customerHandedOver = false;
        m_payment->clear();
        m_payment->addItems(m_variant.paymentItems);
        m_payment->setCurrentText(u"现金"_s);
        setBoxText("Edit13", u"0"_s);
        m_payNow->setChecked(false);
        m_payNow->setEnabled(true);
        m_blacklist->setChecked(false);
        m_closeAfter->setChecked(s.is(u"开单后关闭"_s, u"关闭"_s));
    } else {
        m_payment->clear();
        m_payment->addItems(m_variant.paymentItems);
    }
    m_merge->hide();
    // The modification form comes from the main window; without it the
    // button stays closed and says why.
    m_modifyLast->setEnabled(bool(openModification));
    m_modifyLast->setStatusTip(openModification ? QString() : u"订单修改窗口尚未提供"_s);
    m_modifyLast->setToolTip(m_modifyLast->statusTip());
    m_callNumber->setText(laidian_haoma);
    applyEnglish();
    m_sms->setChecked(s.is(u"下单后自动为给配送工发短信模式"_s, u"是"_s));
    const bool dispatching = s.is(u"是否需要发货功能"_s, u"需要"_s);
    m_inStore->setChecked(!dispatching);
    m_inStore->setVisible(dispatching);
    m_copies->setValue(s.intValue(u"默认打印份数"_s, 1));
    m_mealPeriod->setText(mealPeriodAt(m_ctx.clock().now(), s));
    xiadan_zhuangtai.clear();
    m_pages->setCurrentIndex(0);
    fillLists();

    // Discount period in force.
    const std::optional<QString> period = m_picker->applyDiscountPeriod();
    if (m_variant.isCallPopup())
        m_baseCaption = windowTitle().isEmpty() ? m_variant.caption : windowTitle();
    if (period && *period != u"10")
        setWindowTitle(discountPeriodCaption(m_variant, m_baseCaption, *period));
    else
        setWindowTitle(m_variant.isCallPopup() ? m_baseCaption : m_variant.caption);
    m_picker->findChild<QLineEdit *>(u"Edit12"_s)->setFocus();
}

void OrderFormWindow::applyEnglish()
{
    if (!m_ctx.settings().is(u"版本语言"_s, u"英语"_s))
        return;
    const QList<QPair<QString, QString>> english = {{u"登记电话"_s, u"Phone"_s},
                                                    {u"客户姓名"_s, u"Customer Name"_s},
                                                    {u"送餐地址"_s, u"Address"_s},
                                                    {u"客户单位"_s, u"Map/Dist"_s}};
    for (const auto &[zh, en] : english)
        if (QLabel *l = m_captions.value(zh))
            l->setText(en);
    m_save->setText(u"Accept"_s);
    m_saveCustomer->setText(u"Keep Detail"_s);
    m_print->setText(u"Print"_s);
    if (auto *del = m_picker->findChild<QPushButton *>(u"Button5"_s))
        del->setText(u"cancel"_s);
}

void OrderFormWindow::fillLists()
{
    Settings &s = m_ctx.settings();
    Db &db = m_ctx.db();
    try {
        auto fill = [&db](QComboBox *box, const QString &sql, const QString &column, bool keepText) {
            const QString text = box->currentText();
            box->clear();
            for (const SqlRow &r : db.rows(sql))
                box->addItem(r.text(column));
            box->setCurrentText(keepText ? text : QString());
        };
        fill(m_worker, u"select 姓名 from 员工列表"_s, u"姓名"_s, false);
        fill(m_type, u"select 客户类型 from 客户类型"_s, u"客户类型"_s, true);
        fill(m_area, u"select 区域 from 区域 order by 区域"_s, u"区域"_s, true);
        fill(m_dispatchNote, u"select 常用发货备注 from 常用发货备注"_s, u"常用发货备注"_s, true);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    const QString minutes = s.value(u"默认送餐分钟"_s).isEmpty() ? u"30"_s : s.value(u"默认送餐分钟"_s);
    m_hours->setCurrentIndex(0);
    if (m_minutes->findText(minutes) < 0)
        m_minutes->addItem(minutes);
    m_minutes->setCurrentText(minutes);
    updateDelivery();
}

// ---------------------------------------------------------------------------
// Customer panel

void OrderFormWindow::clearCustomer(bool keepPhoneAndAddress)
{
    Label14->setText(kNoCustomer);
    for (QComboBox *c : {m_type, m_area, m_dispatchNote})
        c->setCurrentText(QString());
    for (QLineEdit *e : {Edit3, m_company, Edit8, m_remark, m_qq, m_points})
        e->clear();
    if (!keepPhoneAndAddress) {
        Edit9->clear();
        Com_dz->clear();
        Com_dz->setCurrentText(QString());
        m_balance->clear();
        m_count->clear();
        m_amount->clear();
        m_blacklist->setChecked(false);
        m_credit->hide();
        m_lastModel->removeRows(0, m_lastModel->rowCount());
        m_matchModel->removeRows(0, m_matchModel->rowCount());
        m_lastOrder.reset();
        m_lastOrderNumber.clear();
    }
}

void OrderFormWindow::setCredit(const QString &rating)
{
    const CreditMark mark = creditMarkFor(rating);
    QString colour;
    switch (mark.colour) {
    case CreditMark::Colour::Hidden:
        m_credit->hide();
        return;
    case CreditMark::Colour::Blue: colour = u"blue"_s; break;
    case CreditMark::Colour::Green: colour = u"green"_s; break;
    case CreditMark::Colour::Red: colour = u"red"_s; break;
    case CreditMark::Colour::Unchanged: break;
    }
    m_credit->setStyleSheet(colour.isEmpty() ? QString() : u"background:%1;border-radius:9px;"_s.arg(colour));
    m_credit->setToolTip(mark.hint);
    m_credit->show();
}

void OrderFormWindow::setPayment(const QString &method)
{
    if (m_payment->findText(method) < 0)
        m_payment->addItem(method);
    m_payment->setCurrentText(method);
    paymentChosen();
}

void OrderFormWindow::showCustomer(const CustomerTransfer &t, bool full)
{
    m_type->setCurrentText(t.type);
    m_area->setCurrentText(t.area);
    Edit3->setText(t.name);
    m_company->setText(t.company);
    if (full) {
        m_remark->setText(t.remark);
        Edit8->setText(t.card);
        setCredit(t.credit);
    }
    Label14->setText(QString::number(t.id));
    Edit9->setText(t.phone);
    m_qq->setText(t.qq);
    m_points->setText(t.points.toString());
    m_count->setText(t.purchaseCount.toString());
    m_amount->setText(t.purchaseAmount.toString());
    m_balance->setText(t.balance.toString());
    if (t.balance > Money())
        setPayment(kAccountPay);
    m_blacklist->setChecked(t.blacklisted);
    Com_dz->clear();
    Com_dz->addItem(t.address);
    Com_dz->addItems(t.otherAddresses);
    Com_dz->setCurrentIndex(0);
    m_picker->applyCustomerType(t.type);
}

void OrderFormWindow::showLastOrder(qint64 customerId, const QList<SqlRow> &lines, bool withPrompt)
{
    xiugai_danhao.clear();
    m_lastOrder = m_desk.lastOrder(customerId);
    m_lastOrderNumber = m_lastOrder ? m_lastOrder->number : QString();
    fillRows(m_lastModel, lines, kLastOrderColumns);
    if (withPrompt && m_variant.hasCallNumber && m_lastOrder && m_desk.repeatCallDue(*m_lastOrder))
        showPrompt(true);
}

void OrderFormWindow::showMatches(const QList<qint64> &ids)
{
    m_matchModel->removeRows(0, m_matchModel->rowCount());
    for (qint64 id : ids) {
        const SqlRow r = m_ctx.db().first(u"select 客户姓名,联系地址 from 客户资料 where id=:id"_s, {{u"id"_s, id}});
        m_matchModel->appendRow({new QStandardItem(r.text(u"客户姓名"_s)), new QStandardItem(r.text(u"联系地址"_s)),
                                 new QStandardItem(QString::number(id))});
    }
    if (m_variant.hasMultiCustomerTab)
        m_lastPages->setCurrentWidget(ids.size() > 1 ? m_matches : m_lastGrid);
}

void OrderFormWindow::loadFromIds(const QList<qint64> &ids, bool withPrompt)
{
    if (ids.isEmpty()) {
        clearCustomer(true);
        Com_dz->setCurrentText(QString());
        m_lastModel->removeRows(0, m_lastModel->rowCount());
        m_matchModel->removeRows(0, m_matchModel->rowCount());
        m_lastOrder.reset();
        m_lastOrderNumber.clear();
        return;
    }
    showMatches(ids);
    loadCustomer(ids.first(), withPrompt);
}

void OrderFormWindow::loadCustomer(qint64 id, bool withPrompt)
{
    try {
        const CustomerTransfer t = customerTransfer(m_ctx.db(), id, m_variant.pickerMode, m_picker->periodRate());
        showCustomer(t, true);
        showLastOrder(id, t.lastOrderLines, withPrompt);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void OrderFormWindow::askCustomerList()
{
    if (!openCustomerList)
        return;
    QPointer<OrderFormWindow> self(this);
    openCustomerList(CustomerPickRequest(m_variant.pickerMode, this,
                                         [self](const CustomerTransfer &t) {
                                             if (self)
                                                 self->receiveCustomer(t);
                                         },
                                         m_picker->periodRate()));
}

void OrderFormWindow::receiveCustomer(const CustomerTransfer &t)
{
    m_customerHandedOver = !isVisible();
    showCustomer(t, true);
    showMatches({t.id});
    showLastOrder(t.id, t.lastOrderLines, false);
}

void OrderFormWindow::lookupByPhone()
{
    QString number = Edit9->text().trimmed();
    if (number.isEmpty() && m_variant.hasCallNumber)
        number = m_callNumber->text().trimmed();
    if (number.isEmpty())
        return askCustomerList();
    try {
        loadFromIds(m_desk.customersByPhone(number), true);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void OrderFormWindow::lookupByMemberCode()
{
    const QString code = Edit8->text().trimmed();
    if (code.isEmpty())
        return askCustomerList();
    try {
        loadFromIds(m_desk.customersByMemberCode(code), false);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void OrderFormWindow::lookupByQq()
{
    const QString qq = m_qq->text().trimmed();
    if (qq.isEmpty())
        return askCustomerList();
    try {
        loadFromIds(m_desk.customersByQq(qq), false);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void OrderFormWindow::lookupByAddress()
{
    const QString address = Com_dz->currentText().trimmed();
    if (address.isEmpty())
        return askCustomerList();
    try {
        loadFromIds(m_desk.customersByAddress(address), false);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void OrderFormWindow::previousCustomer()
{
    try {
        const std::optional<qint64> id = m_desk.previousCustomer();
        if (id)
            loadFromIds({*id}, false);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void OrderFormWindow::resetCustomer() { clearCustomer(true); }

void OrderFormWindow::areaChosen()
{
    // A new customer's address is composed from the area and the typed text.
    if (Label14->text() != kNoCustomer)
        return;
    const QString area = m_area->currentText();
    QString address = Com_dz->currentText();
    if (area.isEmpty() || address.startsWith(area))
        return;
    Com_dz->setCurrentText(area + address);
}

void OrderFormWindow::updateDelivery()
{
    const QDateTime at = deliveryAt(m_ctx.clock().now(), m_hours->currentText().toInt(), m_minutes->currentText().toInt());
    m_date->setDate(at.date());
    m_time->setTime(at.time());
}

void OrderFormWindow::paymentChosen()
{
    const bool account = m_payment->currentText() == kAccountPay;
    if (account)
        m_payNow->setChecked(false);
    m_payNow->setEnabled(!account);
}

void OrderFormWindow::payNowToggled(bool on)
{
    if (on && m_payment->currentText() != u"现金") {
        m_payment->setCurrentText(u"现金"_s);
        paymentChosen();
    }
}

void OrderFormWindow::blacklistToggled(bool on)
{
    m_blackLabel->setVisible(on);
    if (on) {
        m_blinkOn = false;
        blink();
        m_blinkTimer->start();
    } else {
        m_blinkTimer->stop();
    }
}

void OrderFormWindow::blink()
{
    m_blinkOn = !m_blinkOn;
    QPalette p = m_blackLabel->palette();
    const QColor face = palette().color(QPalette::Window);
    p.setColor(QPalette::Window, m_blinkOn ? Qt::black : face);
    p.setColor(QPalette::WindowText, m_blinkOn ? face : Qt::black);
    m_blackLabel->setPalette(p);
}

void OrderFormWindow::loadHistory()
{
    try {
        const QList<SqlRow> rows = m_ctx.db().rows(u"select * from 产品销售开票 where 客户编号=:bh order by id"_s,
                                                   {{u"bh"_s, Label14->text()}});
        QStringList columns = {u"单据编号"_s, u"购物日期"_s, u"时间"_s,     u"产品名称"_s, u"数量"_s, u"单价"_s,
                               u"实付货款"_s, u"收款方式"_s, u"配送工"_s, u"地址"_s};
        m_historyModel->clear();
        m_historyModel->setHorizontalHeaderLabels(columns);
        fillRows(m_historyModel, rows, columns);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

// ---------------------------------------------------------------------------
// Repeat-call prompt

void OrderFormWindow::showPrompt(bool on)
{
    if (on) {
        QString hours = m_ctx.settings().value(u"再次来电提醒时间"_s);
        if (hours.isEmpty())
            hours = u"2"_s;
        m_prompt->setTitle(u"该电话"_s + hours + u"小时内已经订过餐，请选择业务类型"_s);
        m_prompt->adjustSize();
        m_prompt->move((width() - m_prompt->width()) / 2, height() / 3);
        m_prompt->raise();
    }
    m_prompt->setVisible(on);
    m_save->setEnabled(!on);
    if (auto *dishes = m_picker->findChild<QListView *>(u"ListView2"_s))
        dishes->setEnabled(!on);
}

void OrderFormWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_prompt->move((width() - m_prompt->width()) / 2, height() / 3);
    m_merge->adjustSize();
    m_merge->move((width() - m_merge->width()) / 2, height() / 3);
}

void OrderFormWindow::promptAgain() { showPrompt(false); }

void OrderFormWindow::promptModify()
{
    showPrompt(false);
    if (!m_lastOrder)
        return;
    const LastOrder &o = *m_lastOrder;
    try {
        xiugai_danhao = o.number;
        m_dispatchNote->setCurrentText(o.dispatchNote);
        setPayment(o.paymentMethod);
        m_worker->setCurrentText(o.deliveryWorker);
        setBoxText("edit1", o.discount);
        setBoxText("Edit13", o.pointsUsed.toString());
        xiugai_jifen = o.pointsUsed;
        setBoxText("Edit7", o.roundOff.toString());
        m_desk.reenter(cartKey(), o);
        m_picker->refreshCart();
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void OrderFormWindow::promptCancel()
{
    if (!m_lastOrder)
        return;
    QString question;
    const QString refusal = m_desk.cancelRefusal(*m_lastOrder, &question);
    if (!refusal.isEmpty()) {
        m_ctx.prompter().warning(refusal);
        return;
    }
    if (!m_ctx.prompter().confirm(question, m_ctx.programTitle()))
        return;
    try {
        m_desk.cancel(*m_lastOrder);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
        return;
    }
    if (refreshBoard)
        refreshBoard(QString());
    close();
}

void OrderFormWindow::promptChase() { close(); }

// ---------------------------------------------------------------------------
// Saving

QString OrderFormWindow::boxText(const char *name) const
{
    QWidget *w = m_picker->findChild<QWidget *>(QString::fromLatin1(name));
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentText();
    return {};
}

void OrderFormWindow::setBoxText(const char *name, const QString &text)
{
    QWidget *w = m_picker->findChild<QWidget *>(QString::fromLatin1(name));
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(text);
    else if (auto *c = qobject_cast<QComboBox *>(w))
        c->setCurrentText(text);
}

TakeawayDraft OrderFormWindow::draft() const
{
    TakeawayDraft d;
    d.form = m_variant.form;
    d.cartKey = cartKey();
    d.customerId = Label14->text();
    d.name = Edit3->text();
    d.registeredPhone = Edit9->text().trimmed();
    d.callNumber = m_variant.hasCallNumber ? m_callNumber->text() : Edit9->text().trimmed();
    d.address = Com_dz->currentText();
    d.area = m_area->currentText();
    d.company = m_company->text();
    d.customerType = m_type->currentText();
    d.remark = m_remark->text();
    d.memberCode = Edit8->text();
    d.qq = m_qq->text();
    d.blacklisted = m_blacklist->isChecked();
    d.addressMode = m_rb[1]->isChecked() ? u"修改默认地址"_s : m_rb[2]->isChecked() ? u"增加新地址"_s : u"地址不变"_s;
    d.balanceText = m_balance->text();
    d.pointsText = m_points->text();
    d.purchaseText = m_amount->text();
    d.totalText = m_picker->totalText();
    d.discountText = boxText("edit1");
    d.roundOffText = boxText("Edit7");
    d.pointsUsedText = boxText("Edit13");
    d.feeText = boxText("ComboBox9");
    d.taxText = boxText("ComboBox10");
    d.paymentMethod = m_payment->currentText();
    d.payNow = m_payNow->isChecked();
    d.inStore = m_inStore->isChecked();
    d.smsToWorker = m_sms->isChecked();
    d.deliveryWorker = m_worker->currentText();
    d.deliveryDate = m_date->date();
    d.deliveryTime = m_time->time();
    d.dispatchNote = m_dispatchNote->currentText();
    d.mealPeriod = m_mealPeriod->text();
    d.orderSource = kaidan_laiyuan;
    d.recordingPath = Label31->text();
    d.reenterOrder = xiugai_danhao;
    d.reenterPoints = xiugai_jifen.toString();
    return d;
}

void OrderFormWindow::saveOrder()
{
    if (!m_save->isEnabled())
        return;
    const TakeawayDraft d = draft();
    // A letter in a number box is refused before anything is written.
    const QString refusal = numberBoxRefusal(d);
    if (!refusal.isEmpty()) {
        m_ctx.prompter().warning(refusal);
        return;
    }
    if (!m_picker->recomputeTotal())
        return;
    xiadan_zhuangtai = u"订餐"_s;
    if (m_variant.hasCloseAfterSave)
        m_ctx.settings().write(u"开单后关闭"_s, m_closeAfter->isChecked() ? u"关闭"_s : u"不关闭"_s);
    TakeawaySaver saver(m_ctx);
    handleOutcome(saver.save(draft()), false);
}

void OrderFormWindow::handleOutcome(const OrderSaveOutcome &out, bool fromMerge)
{
    switch (out.status) {
    case OrderSaveOutcome::Status::Refused:
    case OrderSaveOutcome::Status::Failed:
        m_ctx.prompter().warning(out.message);
        break;
    case OrderSaveOutcome::Status::NeedsMerge:
        laidian_haoma = Edit9->text();
        m_mergeExisting = out.existingCustomerId;
        m_mergeText->setText(out.message);
        m_merge->adjustSize();
        m_merge->move((width() - m_merge->width()) / 2, height() / 3);
        m_merge->raise();
        m_merge->show();
        m_save->setEnabled(false);
        break;
    case OrderSaveOutcome::Status::Saved: {
        dingdan_bianhao = out.orderNumber;
        Label14->setText(out.customerId);
        if (!out.mergedPhones.isEmpty())
            Edit9->setText(out.mergedPhones);
        if (!out.message.isEmpty())
            m_ctx.prompter().information(out.message);
        if (!out.clipboardText.isEmpty())
            QGuiApplication::clipboard()->setText(out.clipboardText);
        lock(true);
        if (refreshBoard)
            refreshBoard(out.orderNumber);
        const bool print = printing::printsAfterSave(m_ctx);
        if (fromMerge) {
            if (print && printAction)
                printAction(out.orderNumber);
            m_merge->hide();
            startNewOrder();
        } else if (m_variant.hasCloseAfterSave) {
            if (print && printAction)
                printAction(out.orderNumber);
            if (m_closeAfter->isChecked())
                close();
            else
                startNewOrder();
        } else {
            if (print && printAction)
                printAction(out.orderNumber);
            close();
        }
        break;
    }
    }
    if (out.checkLowStock)
        lowStockCheck();
}

void OrderFormWindow::mergeAnswer(bool merge)
{
    const TakeawayDraft d = draft();
    TakeawaySaver saver(m_ctx);
    const OrderSaveOutcome out = merge ? saver.mergeIntoExisting(d, m_mergeExisting) : saver.saveAsNewCustomer(d);
    handleOutcome(out, true);
}

void OrderFormWindow::lowStockCheck()
{
    try {
        if (TakeawaySaver(m_ctx).lowStockDishes().isEmpty())
            return;
        auto *w = new TFkucun_baojing(m_ctx);
        w->show();
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void OrderFormWindow::lock(bool locked)
{
    m_customerPanel->setEnabled(!locked);
    m_picker->setEnabled(!locked);
    m_print->setEnabled(locked);
    m_save->setEnabled(!locked);
}

void OrderFormWindow::startNewOrder()
{
    // A fresh order on the same form: the saved cart goes, a new one starts.
    try {
        m_ctx.db().execute(u"delete from 销售临时表 where 时间=:时间"_s, {{u"时间"_s, cartKey()}});
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    const QString key = newCartKey(m_ctx.clock());
    m_picker->setCartKey(key);
    m_cartKey->setText(key);
    clearCustomer(false);
    setBoxText("edit1", u"10"_s);
    setBoxText("Edit13", u"0"_s);
    setBoxText("Edit7", QString());
    m_rb[0]->setChecked(true);
    xiugai_danhao.clear();
    xiugai_jifen = Money();
    xiadan_zhuangtai.clear();
    lock(false);
    m_print->setEnabled(false);
    m_picker->refreshCart();
}

void OrderFormWindow::printOrder()
{
    if (dingdan_bianhao.isEmpty() || !printAction)
        return;
    printAction(dingdan_bianhao);
    if (m_variant.isCallPopup())
        close();
}

void OrderFormWindow::saveCustomerOnly()
{
    CustomerOnly c;
    c.customerId = Label14->text();
    c.name = Edit3->text();
    c.phone = Edit9->text().trimmed();
    c.address = Com_dz->currentText();
    c.type = m_type->currentText();
    c.company = m_company->text();
    c.area = m_area->currentText();
    c.remark = m_remark->text();
    c.blacklisted = m_blacklist->isChecked();
    c.addressMode = m_rb[1]->isChecked() ? u"修改默认地址"_s : m_rb[2]->isChecked() ? u"增加新地址"_s : u"地址不变"_s;
    CustomerOnlySaver saver(m_ctx);
    CustomerOnlyOutcome out = saver.save(c);
    if (out.status == CustomerOnlyOutcome::Status::NeedsMerge) {
        const QString title = m_ctx.settings().shop(u"公司简称"_s) + u"订餐配送系统"_s;
        if (!m_ctx.prompter().confirm(out.message, title))
            return;
        out = saver.merge(c, out.existingId);
    }
    if (out.status == CustomerOnlyOutcome::Status::Failed) {
        m_ctx.prompter().error(out.message);
        return;
    }
    Label14->setText(out.customerId);
    Edit9->setText(out.phoneShown);
    try {
        const QString address = Com_dz->currentText();
        const CustomerTransfer t =
            customerTransfer(m_ctx.db(), out.customerId.toLongLong(), m_variant.pickerMode, m_picker->periodRate());
        Com_dz->clear();
        Com_dz->addItem(t.address);
        Com_dz->addItems(t.otherAddresses);
        Com_dz->setCurrentText(address);
    } catch (const SqlError &) {
    }
    m_ctx.prompter().information(out.message);
}

void OrderFormWindow::copySummary()
{
    QList<QPair<QString, Money>> lines;
    for (const CartLine &l : m_picker->cart().lines())
        lines.append({l.name, l.quantity});
    const QString delivery = m_date->date().toString(u"yyyy-MM-dd"_s) + u' ' + m_time->time().toString(u"hh:mm:ss"_s);
    QGuiApplication::clipboard()->setText(orderSummaryText(dingdan_bianhao, Edit3->text(), Edit9->text(),
                                                           Com_dz->currentText(), lines, m_picker->totalText(),
                                                           delivery, m_worker->currentText()));
    m_ctx.prompter().information(u"复制成功"_s);
}

void OrderFormWindow::reuseLastOrder()
{
    try {
        const QString refusal = m_desk.reuse(cartKey(), Label14->text(), m_lastOrderNumber);
        if (!refusal.isEmpty()) {
            m_ctx.prompter().warning(refusal);
            return;
        }
        m_picker->refreshCart();
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void OrderFormWindow::modifyLastOrder()
{
    if (!m_lastOrder || !openModification)
        return;
    const QDate today = businessDate(m_ctx.clock().now(), m_ctx.settings().intValue(u"营业延长时间"_s));
    if (m_lastOrder->businessDate != today) {
        m_ctx.prompter().warning(u"改订单不是今天下的订单，不能修改"_s);
        return;
    }
    const bool paid = m_lastOrder->paid;
    if (paid)
        m_ctx.prompter().information(
            u"该定单已经收款完毕，无法修改该定单内容，如果想修改内容，请另外开单！！"_s);
    const QString number = m_lastOrder->number;
    auto open = openModification;
    close();
    open(number, paid);
}

// ---------------------------------------------------------------------------
// Keys and closing

void OrderFormWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_F1:
        if (m_save->isEnabled() && m_save->isVisible())
            m_save->click();
        return;
    case Qt::Key_F2:
        previousCustomer();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool OrderFormWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 || key->key() == Qt::Key_F2 || key->key() == Qt::Key_Escape) {
            keyPressEvent(key);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            QWidget *next = nullptr;
            if (watched == Edit9) {
                lookupByPhone();
                next = m_type;
            } else if (watched == m_type) next = m_area;
            else if (watched == m_area) next = Edit3;
            else if (watched == Edit3) next = m_company;
            else if (watched == m_company || watched == m_balance) next = Com_dz;
            else if (watched == Com_dz) next = m_remark;
            else if (watched == m_remark) next = Edit8;
            else if (watched == Edit8) next = m_qq;
            else if (watched == m_qq) next = m_dispatchNote;
            else if (watched == m_points) next = m_payment;
            else if (watched == m_payment) next = m_worker;
            else if (watched == m_worker) next = m_picker->findChild<QLineEdit *>(u"Edit12"_s);
            else if (watched == m_hours) next = m_minutes;
            else if (watched == m_minutes) next = m_date;
            else if (watched == m_date) next = m_time;
            if (next) {
                if (!m_prompt->isVisible())
                    next->setFocus();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void OrderFormWindow::closeEvent(QCloseEvent *event)
{
    int step = 1;
    try {
        m_ctx.db().execute(u"delete from 销售临时表 where 时间=:时间"_s, {{u"时间"_s, cartKey()}});
        step = 2;
        m_picker->refreshCart();
        if (m_variant.hasCallNumber) {
            step = 3;
            CallOutcome call;
            call.historyId = callHistoryId;
            call.callTime = Label21->text();
            call.recordingPath = Label31->text();
            call.orderNumber = xiadan_zhuangtai == u"订餐" ? dingdan_bianhao : QString();
            call.customerName = Edit3->text();
            call.customerId = Label14->text();
            call.address = Com_dz->currentText();
            recordCallOutcome(m_ctx.db(), call);
            step = 4;
            if (closed)
                closed(this);
        }
    } catch (const std::exception &) {
        m_ctx.prompter().error(u"状态："_s + QString::number(step));
    }
    m_blinkTimer->stop();
    m_prompt->hide();
    event->accept();
}

// ---------------------------------------------------------------------------

Txiaoshou2::Txiaoshou2(AppContext &ctx) : OrderFormWindow(ctx, OrderFormVariant::callPopup(), nullptr)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

Txiaoshou::Txiaoshou(AppContext &ctx, QWidget *parent) : OrderFormWindow(ctx, OrderFormVariant::manualTakeaway(), parent) {}

} // namespace lanfan
