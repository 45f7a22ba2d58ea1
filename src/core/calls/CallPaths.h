#pragma once

#include <QDateTime>
#include <QString>

namespace lanfan {

// The ways a number reaches an order form. Each path differs only in the
// parameters of its row below; the intake itself is one routine.
// `LocalSocket` is a number handed over on the data folder's local call
// socket (a telephone system on the same PC, or `lanfan-admin call`).
enum class CallPath { Modem, XType, SerialBox, HTypeUsb, QTypeUsb, ManualPhone, ManualMemberCode, LocalSocket };

struct CallPathRules {
    CallPath path;
    bool stripLeadingZero;  // "0571-8888" → "571-8888"
    int minimumLength;      // the number must be longer than this (characters)
    bool device;            // a device reported it (duplicates are ignored, history is written)
    bool resetPanel;        // the popup's customer panel is emptied
    bool normalState;       // the popup is shown in normal state, not maximised
    bool lookupFirst;       // run the lookup before bringing the popup forward (USB boxes)
    bool writesHistory;     // insert a history row (the Q-type box updates its arrival row instead)
};

const CallPathRules &rulesFor(CallPath path);

// The number as the path takes it.
QString normaliseNumber(CallPath path, const QString &number);
// Whether the path accepts the number at all.
bool acceptsNumber(CallPath path, const QString &number);

// Key of the open popup for a number: "a" + the number without "-", lower
// case; "asg" + the code for member codes. Any character a number may hold
// ("*", "#", "+") stays in the key.
QString popupKey(CallPath path, const QString &numberOrCode);

// Window caption of the popup. `line` counts from 0; `callTime` is shown by the USB paths.
QString popupCaption(CallPath path, const QString &numberOrCode, int line = 0, const QString &callTime = {});
// The order source the popup carries into the saved order.
QString orderSource(CallPath path, bool recording = true);

// Text of the call time, as stored in the history row and shown on the popup.
inline QString callTimeText(const QDateTime &t)
{
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace lanfan
