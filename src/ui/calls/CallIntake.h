#pragma once

#include "calls/CallPaths.h"

#include <QString>

namespace lanfan {

class AppContext;
class OrderForms;
class Txiaoshou2;

// Turns a calling number into an open call popup and a call-history row.
// One routine for every path; the path's row of rules says what differs.
class CallIntake {
public:
    CallIntake(AppContext &ctx, OrderForms &forms);

    // Opens (or, for a number typed by hand that is already open, brings
    // forward) the popup of a number. Returns the popup, or null when the
    // number is refused or a device reported a number whose popup is open.
    // `line` counts from 0 (USB boxes); `recording` is the call's recording file.
    Txiaoshou2 *intake(CallPath path, const QString &number, int line = 0, const QString &recording = {});

private:
    Txiaoshou2 *openPopup(const QString &key) const;

    AppContext &m_ctx;
    OrderForms &m_forms;
};

} // namespace lanfan
