#pragma once

#include <QString>

namespace lanfan {

class AppContext;
class OrderBoard;
class OrderForms;
class Tmain;

// Puts the order board into the main window and connects it: the order
// forms refresh it after a save, its pop-up menus carry the entries of the
// main window, its buttons print, save a receipt picture and open the cash
// drawer, and the window show runs its steps (pickers, meal period, colour
// switch, lists, refresh, figures, birthday check, column layout) and starts
// the dispatch reminder. Called once, right after the order forms exist.
OrderBoard *connectBoard(Tmain &main, AppContext &ctx, OrderForms &forms);

// The message shown before a paid order opens in the modification form.
inline QString paidOrderMessage()
{
    return QStringLiteral("该定单已经收款完毕，无法修改该定单内容，如果想修改内容，请另外开单！！");
}

} // namespace lanfan
