#pragma once

namespace lanfan {

class AppContext;
class Tmain;

// Connects the main window's entries to the windows they open. Called once,
// right after the main window is created at login. A window that becomes
// available adds one line here:
//
//     main.enableEntry(u"客户管理"_s, [&] { ... show the customer list ... });
//
// The entry's menu item, toolbar button and pop-up items then run it, and
// stay disabled for an operator whose rights refuse it.
void connectMainEntries(Tmain &main, AppContext &context);

} // namespace lanfan
