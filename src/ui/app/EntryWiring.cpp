#include "EntryWiring.h"

#include "OperatorWindows.h"
#include "Tmain.h"
#include "app/AppContext.h"
#include "board/BoardWiring.h"
#include "calls/CallDevices.h"
#include "calls/CallIntake.h"
#include "customers/AreaWindows.h"
#include "customers/CustomerTypeWindows.h"
#include "customers/Tkehu_list.h"
#include "orders/OrderForms.h"
#include "orders/Txiaoshou.h"
#include "orders/TFyouhui_shiduan.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace lanfan {

void connectMainEntries(Tmain &main, AppContext &context)
{
    AppContext *ctx = &context;
    Tmain *window = &main;

    // The takeaway order forms: the one manual form and the call popups.
    auto *forms = new OrderForms(context, &main);
    forms->setObjectName(u"OrderForms"_s);
    connectBoard(main, context, *forms);

    // One customer list for the whole run, modeless; it doubles as the
    // order forms' customer picker.
    auto customerList = std::make_shared<QPointer<Tkehu_list>>();
    auto showCustomerList = [ctx, window, customerList](const CustomerPickRequest &request) {
        if (!*customerList) {
            *customerList = new Tkehu_list(*ctx, window);
            (*customerList)->setWindowFlag(Qt::Window);
        }
        Tkehu_list *list = *customerList;
        if (request.isActive())
            list->setPickRequest(request);
        else
            list->clearPickRequest();
        list->showMaximized();
        list->raise();
        list->activateWindow();
    };
    forms->openCustomerList = showCustomerList;

    main.enableEntry(u"客户管理"_s, [showCustomerList] { showCustomerList({}); });
    main.enableEntry(u"客户类型设置"_s, [ctx, window] { TFkehu_leixing(*ctx, window).exec(); });
    main.enableEntry(u"客户区域管理"_s, [ctx, window] { Tqvyu_shezhi(*ctx, window).exec(); });
    main.enableEntry(u"优惠时段设置"_s, [ctx, window] { TFyouhui_shiduan(*ctx, window).exec(); });
    main.enableEntry(u"销售开单"_s, [forms] { forms->openManual(); });

    // "快速手工开单": a number, a member code or an address typed on the main window.
    auto *intake = new CallIntake(context, *forms);
    QObject::connect(forms, &QObject::destroyed, [intake] { delete intake; });
    auto *quick = new QToolBar(u"快速手工开单"_s, &main);
    quick->setObjectName(u"GroupBoxQuick"_s);
    quick->setMovable(false);
    auto *box = new QWidget(quick);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(6, 2, 6, 2);
    auto field = [box, row](const QString &caption, const QString &name, const QString &buttonName) {
        row->addWidget(new QLabel(caption, box));
        auto *edit = new QLineEdit(box);
        edit->setObjectName(name);
        edit->setMaximumWidth(160);
        row->addWidget(edit);
        auto *button = new QPushButton(u"开单"_s, box);
        button->setObjectName(buttonName);
        row->addWidget(button);
        QObject::connect(edit, &QLineEdit::returnPressed, button, &QPushButton::click);
        return std::pair{edit, button};
    };
    row->addWidget(new QLabel(u"快速手工开单："_s, box));
    auto [phone, phoneButton] = field(u"电话"_s, u"Edit2"_s, u"Button7"_s);
    auto [code, codeButton] = field(u"手工编码"_s, u"Edit3"_s, u"Button9"_s);
    auto [address, addressButton] = field(u"地址"_s, u"Edit4"_s, u"Button2"_s);
    row->addStretch(1);
    quick->addWidget(box);
    main.addToolBarBreak();
    main.addToolBar(Qt::TopToolBarArea, quick);
    QObject::connect(phoneButton, &QPushButton::clicked, window,
                     [intake, phone] { intake->intake(CallPath::ManualPhone, phone->text()); });
    QObject::connect(codeButton, &QPushButton::clicked, window,
                     [intake, code] { intake->intake(CallPath::ManualMemberCode, code->text()); });
    QObject::connect(addressButton, &QPushButton::clicked, window, [forms, address] {
        Txiaoshou *form = forms->openManual();
        form->Com_dz->setCurrentText(address->text());
        if (auto *lookup = form->findChild<QPushButton *>(u"ButtonDz"_s))
            lookup->click();
    });
    connectCallDevices(main, context, *intake, phone);
    main.enableEntry(u"权限管理"_s, [ctx, window] { openOperatorList(*ctx, *window); });
    main.enableEntry(u"修改密码"_s, [ctx, window] { openOwnPasswordChange(*ctx, window); });
    main.enableEntry(u"初始化密码修改"_s, [ctx, window] { openInitPasswordChange(*ctx, window); });
}

} // namespace lanfan
