#include "CallIntake.h"

#include "app/AppContext.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "orders/OrderForms.h"
#include "orders/Txiaoshou.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace lanfan {

CallIntake::CallIntake(AppContext &ctx, OrderForms &forms) : m_ctx(ctx), m_forms(forms)
{
}

Txiaoshou2 *CallIntake::openPopup(const QString &key) const
{
    for (Txiaoshou2 *p : m_forms.popups())
        if (p && p->objectName() == key)
            return p;
    return nullptr;
}

Txiaoshou2 *CallIntake::intake(CallPath path, const QString &reported, int line, const QString &recording)
{
    const CallPathRules &rules = rulesFor(path);
    const QString number = normaliseNumber(path, reported);
    if (!acceptsNumber(path, number)) {
        if (path == CallPath::ManualPhone)
            m_ctx.prompter().information(u"请输入电话号码"_s);
        else if (path == CallPath::ManualMemberCode)
            m_ctx.prompter().information(u"请输入手工编码"_s);
        return nullptr;
    }

    const QString key = popupKey(path, number);
    if (Txiaoshou2 *open = openPopup(key)) {
        // A device reporting an open number is ignored; a number typed by
        // hand brings its popup forward.
        if (rules.device)
            return nullptr;
        open->showNormal();
        open->raise();
        open->activateWindow();
        return open;
    }

    const QString callTime = callTimeText(m_ctx.clock().now());
    const bool memberCode = path == CallPath::ManualMemberCode;
    CallPopupInputs in;
    in.key = key;
    in.phone = memberCode ? QString() : number;
    in.callNumber = memberCode ? QString() : number;
    in.memberCode = memberCode ? number : QString();
    in.source = orderSource(path);
    in.caption = popupCaption(path, number, line, callTime);
    in.callTime = callTime;
    in.recording = recording;

    Db &db = m_ctx.db();
    if (rules.writesHistory) {
        in.historyId = QString::number(db.insert(
            u"insert into 来电历史记录表 (来电时间,电话号码,方向,线路,处理结果,客户编号) "
            "values (:来电时间,:电话号码,'打入',:线路,'未接电话','无')"_s,
            {{u"来电时间"_s, callTime}, {u"电话号码"_s, number}, {u"线路"_s, line}}));
    }

    Txiaoshou2 *popup = m_forms.createPopup(in);
    if (rules.normalState)
        popup->setWindowState(popup->windowState() & ~Qt::WindowMaximized);
    popup->show();
    auto lookup = [&] {
        if (auto *button = popup->findChild<QPushButton *>(memberCode ? u"Button9"_s : u"Button6"_s))
            button->click();
    };
    auto forward = [&] {
        const bool keepOlder = m_ctx.settings().is(u"新来电窗口位置"_s, u"不遮挡老窗口"_s);
        if (rules.lookupFirst && keepOlder && m_forms.popups().size() > 1) {
            popup->showMinimized();
        } else {
            popup->raise();
            popup->activateWindow();
        }
    };
    if (rules.lookupFirst) {
        lookup();
        forward();
    } else {
        forward();
        lookup();
    }

    if (!in.historyId.isEmpty()) {
        db.execute(u"update 来电历史记录表 set 客户名称=:客户名称,客户编号=:客户编号,联系地址=:联系地址 where 编号=:编号"_s,
                   {{u"客户名称"_s, popup->Edit3->text()},
                    {u"客户编号"_s, popup->Label14->text()},
                    {u"联系地址"_s, popup->Com_dz->currentText()},
                    {u"编号"_s, in.historyId.toLongLong()}});
    }
    return popup;
}

} // namespace lanfan
