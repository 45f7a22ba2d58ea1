#include "EntryWiring.h"

#include "OperatorWindows.h"
#include "Tmain.h"
#include "app/AppContext.h"
#include "customers/AreaWindows.h"
#include "customers/CustomerTypeWindows.h"
#include "customers/Tkehu_list.h"
#include "orders/OrderForms.h"
#include "orders/TFyouhui_shiduan.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace lanfan {

void connectMainEntries(Tmain &main, AppContext &context)
{
    AppContext *ctx = &context;
    Tmain *window = &main;

    // The takeaway order forms: the one manual form and the call popups.
    auto *forms = new OrderForms(context, &main);
    forms->setObjectName(u"OrderForms"_s);

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
    main.enableEntry(u"权限管理"_s, [ctx, window] { openOperatorList(*ctx, *window); });
    main.enableEntry(u"修改密码"_s, [ctx, window] { openOwnPasswordChange(*ctx, window); });
    main.enableEntry(u"初始化密码修改"_s, [ctx, window] { openInitPasswordChange(*ctx, window); });
}

} // namespace lanfan
