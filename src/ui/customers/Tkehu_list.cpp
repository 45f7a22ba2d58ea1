#include "Tkehu_list.h"

#include "AreaWindows.h"
#include "TFkehu_daoru.h"
#include "Tkehu_add.h"

#include "app/AppContext.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "common/TitleSort.h"
#include "customers/CustomerListModel.h"
#include "customers/CustomerSheet.h"
#include "customers/CustomerStore.h"
#include "customers/CustomerTypes.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QString kAreaRoot = u"客户区域"_s;
const QString kTypeRoot = u"会员等级"_s;
const QString kNoExcel = u"excel不存在或者安装的是克隆版的操作系统自带的简装版的OFFICE，请安装完整版的OFFICE！"_s;

QPushButton *button(const QString &text, QWidget *parent, QBoxLayout *layout)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(text);
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
}

} // namespace

Tkehu_list::Tkehu_list(AppContext &ctx, QWidget *parent) : Tkehu_list(ctx, CustomerPickRequest{}, parent) {}

Tkehu_list::Tkehu_list(AppContext &ctx, CustomerPickRequest request, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_ctx(ctx)
{
    setObjectName(u"Tkehu_list"_s);
    setWindowTitle(u"客户资料"_s);
    build();
    applyRights();
    chooseExportFile = [this](const QString &suggested) {
        return QFileDialog::getSaveFileName(this, u"导出至excel文件"_s, suggested, u"EXCEL文件 (*.xlsx);;CSV文件 (*.csv)"_s);
    };
    openFile = [](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };

    try {
        CustomerStore(m_ctx).zeroNullBalances();
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    reload();
    rebuildTree();
    setPickRequest(std::move(request));
    setWindowState(windowState() | Qt::WindowMaximized);
}

Tkehu_list::~Tkehu_list() = default;

void Tkehu_list::build()
{
    auto *root = new QVBoxLayout(this);

    // the command row
    auto *commands = new QHBoxLayout;
    connect(button(u"新建"_s, this, commands), &QPushButton::clicked, this, &Tkehu_list::newCustomer);
    connect(button(u"修改"_s, this, commands), &QPushButton::clicked, this, &Tkehu_list::editCustomer);
    connect(button(u"删除"_s, this, commands), &QPushButton::clicked, this, &Tkehu_list::deleteCustomer);
    m_topUpButton = button(u"帐户充值"_s, this, commands);
    connect(m_topUpButton, &QPushButton::clicked, this, [this] {
        if (m_topUp && currentId())
            m_topUp(currentId());
    });
    m_recordsButton = button(u"充值记录"_s, this, commands);
    connect(m_recordsButton, &QPushButton::clicked, this, [this] {
        if (m_topUpRecords)
            m_topUpRecords();
    });
    m_directButton = button(u"直接开单"_s, this, commands);
    connect(m_directButton, &QPushButton::clicked, this, &Tkehu_list::directOrder);
    m_exportButton = button(u"导出至excel文件"_s, this, commands);
    connect(m_exportButton, &QPushButton::clicked, this, &Tkehu_list::exportToSpreadsheet);
    m_importButton = button(u"excel文件成批导入"_s, this, commands);
    connect(m_importButton, &QPushButton::clicked, this, &Tkehu_list::openImport);
    m_helpButton = button(u"导出的单据编号不能正常显示？？"_s, this, commands);
    connect(m_helpButton, &QPushButton::clicked, this, [this] {
        m_ctx.prompter().information(u"请把单据编号此列的单元格格式的数字类型下的分类类型选择为特殊即可！！"_s);
    });
    connect(button(u"视频教程"_s, this, commands), &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl(tutorialAddress)); });
    commands->addStretch();
    m_modeLabel = new QLabel(this);
    m_modeLabel->setObjectName(u"LabelMode"_s);
    m_modeLabel->setStyleSheet(u"color: #b00000; font-weight: bold;"_s);
    commands->addWidget(m_modeLabel);
    root->addLayout(commands);

    // the search criteria, in the order they are applied
    auto *criteria = new QGroupBox(u"查询条件"_s, this);
    auto *grid = new QGridLayout(criteria);
    auto check = [&](const QString &text, QWidget *field, int row, int column) {
        auto *box = new QCheckBox(text, criteria);
        box->setObjectName(text);
        grid->addWidget(box, row, column * 2);
        if (field)
            grid->addWidget(field, row, column * 2 + 1);
        return box;
    };
    auto edit = [&](const QString &name) {
        auto *e = new QLineEdit(criteria);
        e->setObjectName(name);
        connect(e, &QLineEdit::returnPressed, this, &Tkehu_list::search);
        return e;
    };
    m_area = new QComboBox(criteria);
    m_area->setObjectName(u"ComboBox1"_s);
    m_phone = edit(u"Edit1"_s);
    m_qq = edit(u"Edit2"_s);
    m_name = edit(u"Edit3"_s);
    m_address = edit(u"Edit4"_s);
    m_card = edit(u"Edit5"_s);
    m_useArea = check(u"区域"_s, m_area, 0, 0);
    m_usePhone = check(u"电话号码"_s, m_phone, 0, 1);
    m_useQq = check(u"QQ号"_s, m_qq, 0, 2);
    m_useBirthday = check(u"今天生日"_s, nullptr, 0, 3);
    m_useName = check(u"姓名"_s, m_name, 1, 0);
    m_useAddress = check(u"地址"_s, m_address, 1, 1);
    m_useCard = check(u"会员卡号"_s, m_card, 1, 2);
    auto *searchButton = new QPushButton(u"查询"_s, criteria);
    searchButton->setObjectName(u"查询"_s);
    searchButton->setAutoDefault(false);
    grid->addWidget(searchButton, 1, 6, 1, 2);
    connect(searchButton, &QPushButton::clicked, this, &Tkehu_list::search);
    // typing into a box ticks its criterion
    const std::pair<QLineEdit *, QCheckBox *> pairs[] = {
        {m_phone, m_usePhone}, {m_qq, m_useQq}, {m_name, m_useName}, {m_address, m_useAddress}, {m_card, m_useCard}};
    for (const auto &[e, box] : pairs)
        connect(e, &QLineEdit::textEdited, box, [box = box, e = e] { box->setChecked(!e->text().isEmpty()); });

    auto *sortRow = new QHBoxLayout;
    sortRow->addWidget(new QLabel(u"排序："_s, criteria));
    m_byOrders = new QRadioButton(u"订餐次数"_s, criteria);
    m_byOrders->setObjectName(u"订餐次数"_s);
    m_byCard = new QRadioButton(u"会员卡号"_s, criteria);
    m_byCard->setObjectName(u"会员卡号排序"_s);
    m_byId = new QRadioButton(u"自动编号"_s, criteria);
    m_byId->setObjectName(u"自动编号"_s);
    m_byOrders->setChecked(true);
    auto *sortGroup = new QButtonGroup(this);
    for (QRadioButton *r : {m_byOrders, m_byCard, m_byId}) {
        sortGroup->addButton(r);
        sortRow->addWidget(r);
    }
    sortRow->addStretch();
    grid->addLayout(sortRow, 2, 0, 1, 8);
    connect(sortGroup, &QButtonGroup::buttonClicked, this, [this] { reload(); });
    root->addWidget(criteria);

    // tree | grids
    auto *split = new QSplitter(Qt::Horizontal, this);
    m_tree = new QTreeWidget(split);
    m_tree->setObjectName(u"TreeView1"_s);
    m_tree->setHeaderLabel(u"区域或等级树状图"_s);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { treeClicked(item); });
    connect(m_tree, &QTreeWidget::customContextMenuRequested, this, &Tkehu_list::treeMenu);

    auto *right = new QWidget(split);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_model = new CustomerListModel(m_ctx.db(), this);
    m_grid = new QTableView(right);
    m_grid->setObjectName(u"DBGridEh1"_s);
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->verticalHeader()->hide();
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_proxy = TitleSort::install(m_grid);
    connect(m_grid, &QTableView::doubleClicked, this, &Tkehu_list::doubleClicked);
    connect(m_grid, &QTableView::customContextMenuRequested, this, &Tkehu_list::gridMenu);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &Tkehu_list::loadOtherAddresses);
    rightLayout->addWidget(m_grid, 3);
    m_footer = new QLabel(right);
    m_footer->setObjectName(u"Footer"_s);
    rightLayout->addWidget(m_footer);
    rightLayout->addWidget(new QLabel(u"该客户对应的其他地址"_s, right));
    m_addresses = new QTableWidget(0, 1, right);
    m_addresses->setObjectName(u"DBGridEh2"_s);
    m_addresses->setHorizontalHeaderLabels({u"客户地址"_s});
    m_addresses->horizontalHeader()->setStretchLastSection(true);
    m_addresses->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rightLayout->addWidget(m_addresses, 1);
    split->addWidget(m_tree);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({180, 1000});
    root->addWidget(split, 1);

    m_directAction = new QAction(u"直接开单"_s, this);
    connect(m_directAction, &QAction::triggered, this, &Tkehu_list::directOrder);
    m_trackingAction = new QAction(u"客户追踪"_s, this);
    connect(m_trackingAction, &QAction::triggered, this, [this] {
        if (!m_tracking)
            return;
        if (m_model->rowCount() == 0 || !currentId()) {
            m_ctx.prompter().information(u"没有选择任何客户！！"_s);
            return;
        }
        m_tracking(currentId());
    });
    resize(1200, 760);
}

void Tkehu_list::applyRights()
{
    const bool admin = m_ctx.currentOperator().isAdministrator();
    m_exportButton->setEnabled(admin);
    m_importButton->setEnabled(admin);
    m_helpButton->setEnabled(admin);
}

void Tkehu_list::updateEntries()
{
    const bool picking = pickerMode() != PickerMode::None;
    m_directButton->setEnabled(picking || bool(m_directOrder));
    m_directAction->setEnabled(picking || bool(m_directOrder));
    m_topUpButton->setEnabled(bool(m_topUp));
    m_recordsButton->setEnabled(bool(m_topUpRecords));
    m_trackingAction->setEnabled(bool(m_tracking));
    m_modeLabel->setText(picking ? u"选择客户："_s + pickerModeText(pickerMode()) : QString());
    setWindowTitle(picking ? u"客户资料 - "_s + pickerModeText(pickerMode()) : u"客户资料"_s);
}

void Tkehu_list::setPickRequest(CustomerPickRequest request)
{
    if (QObject *old = m_request.asker())
        disconnect(old, &QObject::destroyed, this, nullptr);
    m_request = std::move(request);
    // a form closed while the list is open takes the picker mode with it
    if (QObject *asker = m_request.asker())
        connect(asker, &QObject::destroyed, this, [this] { QMetaObject::invokeMethod(this, &Tkehu_list::updateEntries, Qt::QueuedConnection); });
    updateEntries();
}

void Tkehu_list::setDirectOrderHandler(CustomerAction action)
{
    m_directOrder = std::move(action);
    updateEntries();
}

void Tkehu_list::setTopUpHandler(CustomerAction action)
{
    m_topUp = std::move(action);
    updateEntries();
}

void Tkehu_list::setTopUpRecordsHandler(std::function<void()> action)
{
    m_topUpRecords = std::move(action);
    updateEntries();
}

void Tkehu_list::setTrackingHandler(CustomerAction action)
{
    m_tracking = std::move(action);
    updateEntries();
}

CustomerOrder Tkehu_list::order() const
{
    if (m_byCard->isChecked())
        return CustomerOrder::ByCard;
    if (m_byId->isChecked())
        return CustomerOrder::ById;
    return CustomerOrder::ByOrders;
}

void Tkehu_list::reload()
{
    load(allCustomers(order()));
}

void Tkehu_list::load(const CustomerQuery &query)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_model->load(query);
    } catch (const SqlError &e) {
        QApplication::restoreOverrideCursor();
        m_ctx.prompter().error(e.text());
        return;
    }
    QApplication::restoreOverrideCursor();
    updateFooter();
    if (m_proxy->rowCount() > 0)
        m_grid->setCurrentIndex(m_proxy->index(0, 0));
    loadOtherAddresses();
}

void Tkehu_list::updateFooter()
{
    m_footer->setText(u"共："_s + QString::number(m_model->rowCount()));
}

qint64 Tkehu_list::currentId() const
{
    const QModelIndex i = m_grid->currentIndex();
    if (!i.isValid())
        return 0;
    return m_model->idAt(m_proxy->mapToSource(i).row());
}

bool Tkehu_list::selectId(qint64 id)
{
    const int row = m_model->rowOf(id);
    if (row < 0)
        return false;
    const QModelIndex i = m_proxy->mapFromSource(m_model->index(row, 0));
    m_grid->setCurrentIndex(i);
    m_grid->scrollTo(i);
    return true;
}

void Tkehu_list::loadOtherAddresses()
{
    m_addresses->setRowCount(0);
    const qint64 id = currentId();
    if (!id)
        return;
    try {
        const auto list = CustomerStore(m_ctx).addresses(id);
        m_addresses->setRowCount(int(list.size()));
        for (int i = 0; i < list.size(); ++i)
            m_addresses->setItem(i, 0, new QTableWidgetItem(list[i].address));
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
}

void Tkehu_list::rebuildTree()
{
    m_tree->clear();
    auto *areas = new QTreeWidgetItem(m_tree, {kAreaRoot});
    auto *types = new QTreeWidgetItem(m_tree, {kTypeRoot});
    try {
        const QStringList areaNames = AreaStore(m_ctx).names();
        for (const QString &a : areaNames)
            new QTreeWidgetItem(areas, {a});
        const QStringList typeNames = CustomerTypeStore(m_ctx).names();
        for (const QString &t : typeNames)
            new QTreeWidgetItem(types, {t});
        const QString keep = m_area->currentText();
        m_area->clear();
        m_area->addItems(areaNames);
        m_area->setCurrentIndex(std::max(0, m_area->findText(keep)));
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    areas->setExpanded(true);
    types->setExpanded(true);
}

void Tkehu_list::treeClicked(QTreeWidgetItem *item)
{
    if (!item)
        return;
    QTreeWidgetItem *parent = item->parent();
    if (!parent)
        load(allCustomers(CustomerOrder::ById));
    else if (parent->text(0) == kAreaRoot)
        load(customersOfArea(item->text(0)));
    else
        load(customersOfType(item->text(0)));
}

void Tkehu_list::treeMenu(const QPoint &pos)
{
    QTreeWidgetItem *item = m_tree->itemAt(pos);
    QMenu menu(this);
    menu.setObjectName(u"PopupMenu2"_s);
    QAction *add = menu.addAction(u"增加区域"_s);
    QAction *remove = menu.addAction(u"删除区域"_s);
    remove->setEnabled(item && item->parent());
    QAction *chosen = menu.exec(m_tree->viewport()->mapToGlobal(pos));
    if (chosen == add) {
        TFqvyu_add dialog(m_ctx, this);
        if (dialog.exec() == QDialog::Accepted) {
            rebuildTree();
            Q_EMIT areasChanged();
        }
    } else if (chosen == remove && item && item->parent()) {
        if (item->parent()->text(0) == kAreaRoot) {
            try {
                AreaStore(m_ctx).remove(item->text(0));
            } catch (const SqlError &e) {
                m_ctx.prompter().error(e.text());
                return;
            }
            Q_EMIT areasChanged();
        }
        delete item;
    }
}

void Tkehu_list::gridMenu(const QPoint &pos)
{
    QMenu menu(this);
    menu.setObjectName(u"PopupMenu1"_s);
    menu.addAction(m_directAction);
    menu.addAction(m_trackingAction);
    menu.exec(m_grid->viewport()->mapToGlobal(pos));
}

void Tkehu_list::doubleClicked()
{
    if (pickerMode() != PickerMode::None) {
        pick(currentId());
        return;
    }
    editCustomer();
}

void Tkehu_list::newCustomer()
{
    Tkehu_add editor(m_ctx, 0, this);
    qint64 stored = 0;
    connect(&editor, &Tkehu_add::saved, this, [&](qint64 id) { stored = id; });
    editor.exec();
    if (stored) {
        load(m_model->query());
        selectId(stored);
    }
}

void Tkehu_list::editCustomer()
{
    const qint64 id = currentId();
    if (!id)
        return;
    Tkehu_add editor(m_ctx, id, this);
    bool changed = false;
    connect(&editor, &Tkehu_add::saved, this, [&] { changed = true; });
    editor.exec();
    if (changed) {
        load(m_model->query());
        selectId(id);
    }
}

void Tkehu_list::deleteCustomer()
{
    const qint64 id = currentId();
    if (!id)
        return;
    if (!m_ctx.prompter().confirm(u"确实要删除吗？"_s, m_ctx.programTitle()))
        return;
    try {
        CustomerStore(m_ctx).remove(id);
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
        return;
    }
    load(m_model->query());
}

void Tkehu_list::search()
{
    CustomerCriteria c;
    if (m_useArea->isChecked())
        c.area = m_area->currentText();
    if (m_usePhone->isChecked())
        c.phone = m_phone->text();
    if (m_useQq->isChecked())
        c.qq = m_qq->text();
    c.birthdayToday = m_useBirthday->isChecked();
    if (m_useName->isChecked())
        c.name = m_name->text();
    if (m_useAddress->isChecked())
        c.address = m_address->text();
    if (m_useCard->isChecked())
        c.card = m_card->text();
    load(searchCustomers(c, m_ctx.clock().today(), order()));
}

void Tkehu_list::exportToSpreadsheet()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(folder.isEmpty() ? QDir::homePath() : folder)
                                  .filePath(u"客户资料_"_s + m_ctx.clock().now().toString(u"yyyyMMdd_HHmmss"_s) + u".xlsx"_s);
    QString path = chooseExportFile ? chooseExportFile(suggested) : suggested;
    if (path.isEmpty())
        return;
    const bool csv = QFileInfo(path).suffix().compare(u"csv"_s, Qt::CaseInsensitive) == 0;
    if (!csv && QFileInfo(path).suffix().compare(u"xlsx"_s, Qt::CaseInsensitive) != 0)
        path += u".xlsx"_s;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error = csv ? writeCustomersCsv(m_ctx.db(), m_model->query(), path)
                              : writeCustomersXlsx(m_ctx.db(), m_model->query(), path);
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        qWarning("customer export failed: %s", qPrintable(error));
        m_ctx.prompter().warning(kNoExcel);
        return;
    }
    if (!openFile || !openFile(path))
        m_ctx.prompter().information(u"没有可以打开该文件的程序，文件已保存在："_s + QDir::toNativeSeparators(path));
}

void Tkehu_list::openImport()
{
    auto *dialog = new TFkehu_daoru(m_ctx, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &TFkehu_daoru::imported, this, [this] { load(allCustomers(CustomerOrder::ById)); });
    dialog->open();
}

void Tkehu_list::directOrder()
{
    if (pickerMode() != PickerMode::None) {
        pick(currentId());
        return;
    }
    if (m_directOrder && m_model->rowCount() > 0 && currentId())
        m_directOrder(currentId());
}

void Tkehu_list::pick(qint64 id)
{
    if (!id || pickerMode() == PickerMode::None)
        return;
    CustomerTransfer transfer;
    try {
        transfer = customerTransfer(m_ctx.db(), id, m_request.mode(), m_request.periodRate());
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
        return;
    }
    const CustomerPickRequest request = m_request;
    clearPickRequest();
    close();
    request.deliver(transfer);
}

} // namespace lanfan
