#include "CallPaths.h"

#include <array>

using namespace Qt::StringLiterals;

namespace lanfan {

const CallPathRules &rulesFor(CallPath path)
{
    //                                   path                     strip0 min   device reset  normal lookup1st history
    static const std::array<CallPathRules, 8> rules{{
        {CallPath::Modem,            false, 0, true,  false, true,  false, true},
        {CallPath::XType,            false, 0, true,  false, true,  false, true},
        {CallPath::SerialBox,        true,  0, true,  true,  false, false, true},
        {CallPath::HTypeUsb,         true,  0, true,  false, true,  true,  true},
        {CallPath::QTypeUsb,         false, 6, true,  false, true,  true,  false},
        {CallPath::ManualPhone,      true,  0, false, true,  false, false, false},
        {CallPath::ManualMemberCode, false, 0, false, true,  false, false, false},
        {CallPath::LocalSocket,      false, 0, true,  false, true,  false, true},
    }};
    return rules[size_t(path)];
}

QString normaliseNumber(CallPath path, const QString &number)
{
    QString n = number.trimmed();
    if (rulesFor(path).stripLeadingZero && n.startsWith(u'0'))
        n.remove(0, 1);
    return n;
}

bool acceptsNumber(CallPath path, const QString &number)
{
    return !number.isEmpty() && number.size() > rulesFor(path).minimumLength;
}

QString popupKey(CallPath path, const QString &numberOrCode)
{
    if (path == CallPath::ManualMemberCode)
        return (u"asg"_s + numberOrCode).toLower();
    QString n = numberOrCode;
    n.remove(u'-');
    return (u"a"_s + n).toLower();
}

QString popupCaption(CallPath path, const QString &numberOrCode, int line, const QString &callTime)
{
    switch (path) {
    case CallPath::Modem: return u"来电MODEM订餐："_s + numberOrCode;
    case CallPath::XType: return u"X型来电订餐："_s + numberOrCode;
    case CallPath::SerialBox: return u"串口来电订餐："_s + numberOrCode;
    case CallPath::HTypeUsb:
    case CallPath::QTypeUsb:
        return u"线路"_s + QString::number(line + 1) + u"--来电订餐："_s + numberOrCode + u"    ----时间："_s + callTime;
    case CallPath::ManualPhone: return u"快速手工订餐："_s + numberOrCode;
    case CallPath::ManualMemberCode: return u"订餐：手工编码："_s + numberOrCode;
    case CallPath::LocalSocket: return u"本机来电订餐："_s + numberOrCode;
    }
    return {};
}

QString orderSource(CallPath path, bool recording)
{
    switch (path) {
    case CallPath::Modem: return u"MODEM来电开单"_s;
    case CallPath::XType: return u"X型来电开单"_s;
    case CallPath::SerialBox: return u"H型串口来电开单"_s;
    case CallPath::HTypeUsb: return recording ? u"H型USB来电录音开单"_s : u"H型USB来电不录音开单"_s;
    case CallPath::QTypeUsb: return u"Q型来电开单"_s;
    case CallPath::ManualPhone:
    case CallPath::ManualMemberCode: return u"快速开单"_s;
    case CallPath::LocalSocket: return u"本机来电开单"_s;
    }
    return {};
}

} // namespace lanfan
