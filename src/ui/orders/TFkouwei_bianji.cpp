#include "TFkouwei_bianji.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lanfan {

TFkouwei_bianji::TFkouwei_bianji(CartService &cart, const CartLine &line, QWidget *parent)
    : QDialog(parent), m_cart(cart), m_choice{line.flavour, line.price}
{
    setObjectName(u"TFkouwei_bianji"_s);
    setWindowTitle(u"口味编辑"_s);

    auto *hint = new QLabel(u"通过此功能，可以为一个菜品设置多种口味"_s, this);
    m_current = new QLineEdit(this);
    m_current->setObjectName(u"Edit1"_s);
    m_originalPrice = new QLabel(line.originalPrice.toString(2), this);
    m_originalPrice->setObjectName(u"Label3"_s);
    m_price = new QLabel(this);
    m_price->setObjectName(u"Label4"_s);
    m_list = new QListWidget(this);
    m_list->setObjectName(u"ListBox1"_s);
    m_list->addItems(cart.flavourNames());

    auto *form = new QFormLayout;
    form->addRow(u"当前口味："_s, m_current);
    form->addRow(u"原价："_s, m_originalPrice);
    form->addRow(u"现价："_s, m_price);

    auto *ok = new QPushButton(u"确定"_s, this);
    ok->setObjectName(u"Button1"_s);
    auto *cancel = new QPushButton(u"取消"_s, this);
    cancel->setObjectName(u"Button2"_s);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);

    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { pick(item->text()); });
    connect(m_current, &QLineEdit::textEdited, this, [this](const QString &t) { m_choice.flavours = t; });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showChoice();
    resize(340, 380);
}

QString TFkouwei_bianji::flavours() const
{
    return m_choice.flavours;
}

void TFkouwei_bianji::pick(const QString &flavour)
{
    m_choice = addFlavour(m_choice, flavour, m_cart.surchargeOf(flavour));
    showChoice();
}

void TFkouwei_bianji::showChoice()
{
    m_current->setText(m_choice.flavours);
    m_price->setText(m_choice.price.toString(2));
}

} // namespace lanfan
