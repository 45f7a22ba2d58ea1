#include "Tabout.h"

#include "app/AppContext.h"
#include "app/MainOptions.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lanfan {

Tabout::Tabout(AppContext &context, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"Tabout"_s);
    setWindowTitle(u"关于"_s);
    const Settings &s = context.settings();
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(context.programTitle(), this);
    title->setObjectName(u"aboutTitle"_s);
    layout->addWidget(title);
    auto *form = new QFormLayout;
    form->addRow(u"版本："_s, new QLabel(kBuildVersion, this));
    for (const QString &name : {u"公司全称"_s, u"电话"_s, u"EMAIL"_s, u"网站"_s, u"QQ"_s}) {
        auto *value = new QLabel(s.value(name), this);
        value->setObjectName(name);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(name + u'：', value);
    }
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace lanfan
