#include "Tkehu_add.h"

#include "app/AppContext.h"
#include "common/Prompter.h"
#include "customers/CustomerTypes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QDate kNoBirthday(1900, 1, 1);

QLineEdit *lineEdit(const QString &name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

} // namespace

Tkehu_add::Tkehu_add(AppContext &ctx, qint64 customerId, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_store(ctx)
{
    setObjectName(u"Tkehu_add"_s);
    setWindowTitle(u"客户管理"_s);
    build();
    if (customerId > 0)
        m_customer = m_store.load(customerId);
    fill();
    applyLanguage();
    m_pages->setCurrentIndex(0);
}

void Tkehu_add::build()
{
    auto *root = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(u"PageControl1"_s);
    root->addWidget(m_pages);

    // page 1: 基本信息
    auto *basic = new QWidget;
    basic->setObjectName(u"TabSheet1"_s);
    auto *basicLayout = new QHBoxLayout(basic);

    auto *required = new QGroupBox(u"必填项"_s, basic);
    auto *req = new QFormLayout(required);
    m_type = new QComboBox(required);
    m_type->setObjectName(u"客户类型"_s);
    m_type->addItem(QString());
    m_type->addItems(CustomerTypeStore(m_ctx).names());
    m_area = new QComboBox(required);
    m_area->setObjectName(u"客户地区"_s);
    m_area->addItem(QString());
    m_area->addItems(AreaStore(m_ctx).names());
    m_name = lineEdit(u"客户姓名"_s, required);
    m_address = lineEdit(u"联系地址"_s, required);
    m_phone = lineEdit(u"联系电话"_s, required);
    m_phone->setPlaceholderText(u"多个电话请用逗号分开"_s);
    m_card = lineEdit(u"手工编码"_s, required);
    req->addRow(u"客户类型"_s, m_type);
    req->addRow(u"客户地区"_s, m_area);
    req->addRow(u"客户姓名"_s, m_name);
    req->addRow(u"默认地址"_s, m_address);
    req->addRow(u"电    话"_s, m_phone);
    req->addRow(new QLabel(u"多个电话请用逗号分开"_s));
    req->addRow(u"会员卡号"_s, m_card);
    basicLayout->addWidget(required);

    auto *optional = new QGroupBox(u"选填项"_s, basic);
    auto *opt = new QFormLayout(optional);
    m_company = lineEdit(u"客户单位"_s, optional);
    m_idCard = lineEdit(u"身份证号"_s, optional);
    m_birthday = new QDateEdit(optional);
    m_birthday->setObjectName(u"生日"_s);
    m_birthday->setDisplayFormat(u"yyyy-MM-dd"_s);
    m_birthday->setCalendarPopup(true);
    m_birthday->setMinimumDate(kNoBirthday);
    m_birthday->setSpecialValueText(u" "_s); // the earliest date stands for "no birthday"
    m_credit = new QComboBox(optional);
    m_credit->setObjectName(u"信用等级"_s);
    m_credit->addItems({u"好"_s, u"中"_s, u"差"_s});
    m_credit->setEditable(false);
    m_blacklist = new QCheckBox(u"加入黑名单"_s, optional);
    m_blacklist->setObjectName(u"黑名单"_s);
    m_points = lineEdit(u"积分"_s, optional);
    m_points->setValidator(new QDoubleValidator(m_points));
    m_qq = lineEdit(u"QQ"_s, optional);
    m_remark = lineEdit(u"客户备注"_s, optional);
    m_amount = lineEdit(u"购物金额"_s, optional);
    m_amount->setValidator(new QDoubleValidator(m_amount));
    opt->addRow(u"客户单位"_s, m_company);
    opt->addRow(u"身份证号"_s, m_idCard);
    opt->addRow(u"生    日"_s, m_birthday);
    opt->addRow(u"信用等级"_s, m_credit);
    opt->addRow(QString(), m_blacklist);
    opt->addRow(u"可用积分"_s, m_points);
    opt->addRow(u"QQ 号 码"_s, m_qq);
    opt->addRow(u"客户备注"_s, m_remark);
    opt->addRow(u"购物金额"_s, m_amount);
    basicLayout->addWidget(optional);
    m_pages->addTab(basic, u"基本信息"_s);

    // page 2: 多个地址
    auto *more = new QWidget;
    more->setObjectName(u"TabSheet2"_s);
    auto *moreLayout = new QVBoxLayout(more);
    m_addresses = new QTableWidget(0, 1, more);
    m_addresses->setObjectName(u"DBGridEh1"_s);
    m_addresses->setHorizontalHeaderLabels({u"客户地址"_s});
    m_addresses->horizontalHeader()->setStretchLastSection(true);
    m_addresses->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_addresses->setSelectionBehavior(QAbstractItemView::SelectRows);
    moreLayout->addWidget(m_addresses);
    auto *addRow = new QHBoxLayout;
    addRow->addWidget(new QLabel(u"新地址"_s));
    m_newAddress = lineEdit(u"新地址"_s, more);
    addRow->addWidget(m_newAddress, 1);
    auto *add = new QPushButton(u"新增"_s, more);
    add->setObjectName(u"新增"_s);
    auto *del = new QPushButton(u"删除"_s, more);
    del->setObjectName(u"删除"_s);
    addRow->addWidget(add);
    addRow->addWidget(del);
    moreLayout->addLayout(addRow);
    m_pages->addTab(more, u"多个地址"_s);
    connect(add, &QPushButton::clicked, this, &Tkehu_add::addAddress);
    connect(del, &QPushButton::clicked, this, &Tkehu_add::removeAddress);
    connect(m_pages, &QTabWidget::currentChanged, this, &Tkehu_add::pageChanged);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = new QPushButton(u"确定"_s, this);
    m_ok->setObjectName(u"确定"_s);
    m_cancel = new QPushButton(u"取消"_s, this);
    m_cancel->setObjectName(u"取消"_s);
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    root->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &Tkehu_add::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    for (QWidget *w : {static_cast<QWidget *>(m_card), static_cast<QWidget *>(m_name), static_cast<QWidget *>(m_company),
                       static_cast<QWidget *>(m_qq), static_cast<QWidget *>(m_remark), static_cast<QWidget *>(m_idCard),
                       static_cast<QWidget *>(m_points), static_cast<QWidget *>(m_amount), static_cast<QWidget *>(m_address),
                       static_cast<QWidget *>(m_phone)})
        w->installEventFilter(this);
}

bool Tkehu_add::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QWidget *next = nullptr;
            if (watched == m_card || watched == m_name)
                next = m_company;
            else if (watched == m_company || watched == m_qq || watched == m_remark)
                next = m_idCard;
            else if (watched == m_idCard)
                next = m_birthday;
            else if (watched == m_points || watched == m_amount)
                next = m_address;
            else if (watched == m_address)
                next = m_phone;
            else if (watched == m_phone)
                next = m_ok;
            if (next) {
                next->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tkehu_add::applyLanguage()
{
    if (m_ctx.settings().value(u"版本语言"_s) != u"英语"_s)
        return;
    auto relabel = [](QWidget *field, const QString &text) {
        if (auto *form = qobject_cast<QFormLayout *>(field->parentWidget()->layout()))
            if (auto *label = qobject_cast<QLabel *>(form->labelForField(field)))
                label->setText(text);
    };
    relabel(m_name, u"Customer Name"_s);
    relabel(m_phone, u"Phone"_s);
    relabel(m_address, u"Address"_s);
    m_ok->setText(u"Accept"_s);
    m_cancel->setText(u"Cancel"_s);
}

void Tkehu_add::fill()
{
    const Customer &c = m_customer;
    auto choose = [](QComboBox *box, const QString &text) {
        int i = box->findText(text);
        if (i < 0 && !text.isEmpty()) {
            box->addItem(text); // a name no longer in the table stays as it is
            i = box->count() - 1;
        }
        box->setCurrentIndex(std::max(i, 0));
    };
    choose(m_type, c.type);
    choose(m_area, c.area);
    m_name->setText(c.name);
    m_address->setText(c.address);
    m_phone->setText(c.phone);
    m_card->setText(c.card);
    m_company->setText(c.company);
    m_idCard->setText(c.idCard);
    m_birthday->setDate(c.birthday.isValid() ? c.birthday : kNoBirthday);
    m_credit->setCurrentIndex(m_credit->findText(c.isNew() ? u"中"_s : c.credit));
    m_blacklist->setChecked(c.blacklisted);
    m_points->setText(c.points);
    m_qq->setText(c.qq);
    m_remark->setText(c.remark);
    m_amount->setText(c.purchaseAmount);
    reloadAddresses();
}

Customer Tkehu_add::collect() const
{
    Customer c = m_customer;
    c.type = m_type->currentText();
    c.area = m_area->currentText();
    c.name = m_name->text();
    c.address = m_address->text();
    c.phone = m_phone->text();
    c.card = m_card->text();
    c.company = m_company->text();
    c.idCard = m_idCard->text();
    c.birthday = m_birthday->date() == kNoBirthday ? QDate() : m_birthday->date();
    c.credit = m_credit->currentText();
    c.blacklisted = m_blacklist->isChecked();
    c.points = m_points->text();
    c.qq = m_qq->text();
    c.remark = m_remark->text();
    c.purchaseAmount = m_amount->text();
    return c;
}

void Tkehu_add::accept()
{
    const Customer c = collect();
    const bool wasNew = c.isNew();
    const SaveOutcome out = m_store.save(c);
    if (!out.stored) {
        if (CustomerStore::checkForSave(c).isEmpty())
            m_ctx.prompter().error(out.message);
        else
            m_ctx.prompter().warning(out.message);
        return;
    }
    m_ctx.prompter().information(out.message);
    m_customer = m_store.load(out.id);
    Q_EMIT saved(out.id);
    if (wasNew)
        QDialog::accept();
}

void Tkehu_add::pageChanged(int index)
{
    if (index == 1 && m_customer.isNew()) {
        m_ctx.prompter().information(u"请先保存客户信息，才能编辑该客户的其他地址"_s);
        m_pages->setCurrentIndex(0);
    }
}

void Tkehu_add::reloadAddresses()
{
    m_addresses->setRowCount(0);
    if (m_customer.isNew())
        return;
    const auto list = m_store.addresses(m_customer.id);
    m_addresses->setRowCount(int(list.size()));
    for (int i = 0; i < list.size(); ++i) {
        auto *item = new QTableWidgetItem(list[i].address);
        item->setData(Qt::UserRole, list[i].id);
        m_addresses->setItem(i, 0, item);
    }
}

void Tkehu_add::addAddress()
{
    if (m_customer.isNew())
        return;
    try {
        m_store.addAddress(m_customer.id, m_newAddress->text());
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    reloadAddresses();
}

void Tkehu_add::removeAddress()
{
    const int row = m_addresses->currentRow();
    if (row < 0)
        return;
    try {
        m_store.removeAddress(m_addresses->item(row, 0)->data(Qt::UserRole).toLongLong());
    } catch (const SqlError &e) {
        m_ctx.prompter().error(e.text());
    }
    reloadAddresses();
}

} // namespace lanfan
