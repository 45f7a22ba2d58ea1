#include "MainOptions.h"

#include "data/Settings.h"

using namespace Qt::StringLiterals;

namespace lanfan {

MainWindowOptions mainWindowOptions(const Settings &settings, const QString &version)
{
    MainWindowOptions o;
    const QString company = settings.value(u"公司简称"_s);
    const bool programNameSet = settings.source(u"程序名称"_s) == Settings::Source::File
                                && !settings.value(u"程序名称"_s).isEmpty();
    o.applicationTitle = programTitleFor(programNameSet ? settings.value(u"程序名称"_s) : QString(), company);
    if (programNameSet)
        o.caption = o.applicationTitle + u"----"_s + version;
    else if (company != u"澜帆")
        o.caption = o.applicationTitle + version;
    else
        o.caption = company + u"来电显示订餐管理系统--中英文双语版"_s + version;
    o.english = settings.is(u"版本语言"_s, u"英语"_s);
    if (o.english)
        o.caption = u"Lan Fan Delivery Software 2010"_s;
    o.helpMenuVisible = !company.isEmpty();
    o.videoTutorialVisible = company == u"澜帆";
    o.dispatchVisible = settings.is(u"是否需要发货功能"_s, u"需要"_s);
    o.dineInVisible = settings.is(u"堂食功能"_s, u"是"_s);
    o.retailVisible = settings.is(u"零售功能"_s, u"是"_s);
    o.skinOn = settings.is(u"换肤"_s, u"是"_s);
    return o;
}

} // namespace lanfan
