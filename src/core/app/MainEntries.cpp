#include "MainEntries.h"

#include "AppContext.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QString kBasic = u"基础数据"_s;
const QString kCustomers = u"客户管理"_s;
const QString kBusiness = u"业务管理"_s;
const QString kQuery = u"数据查询"_s;
const QString kStatistics = u"汇总统计"_s;
const QString kPoints = u"积分管理"_s;
const QString kVisits = u"客户回访"_s;
const QString kSms = u"手机短信"_s;
const QString kSystem = u"系统管理"_s;
const QString kHelp = u"帮助"_s;

MainEntry item(const QString &menu, const QString &key, RightRef right = {})
{
    MainEntry e;
    e.key = key;
    e.menu = menu;
    e.right = right;
    return e;
}

MainEntry withToolbar(MainEntry e, const QString &caption, const QString &english = {})
{
    e.toolbar = caption;
    e.toolbarEnglish = english;
    return e;
}

MainEntry withShortcut(MainEntry e, const QString &keys)
{
    e.shortcut = keys;
    return e;
}

MainEntry afterSeparator(MainEntry e)
{
    e.separatorBefore = true;
    return e;
}

} // namespace

const QList<MainMenu> &mainMenus()
{
    static const QList<MainMenu> menus = {
        {kBasic, u"Basic data"_s},
        {kCustomers, u"Customer management"_s},
        {kBusiness, u"Business Management"_s},
        {kQuery, u"Data Query"_s},
        {kStatistics, u"Summary Statistics"_s},
        {kPoints, u"Integral management"_s},
        {kVisits, u"Visiting clients"_s},
        {kSms, u"SMS"_s},
        {kSystem, u"System Settings"_s},
        {kHelp, u"Help"_s},
    };
    return menus;
}

const QList<MainEntry> &mainEntries()
{
    static const QList<MainEntry> entries = {
        item(kBasic, u"菜单管理"_s, {1, 1}),
        item(kBasic, u"菜品种类设置"_s, {1, 7}),
        item(kBasic, u"菜品风味设置"_s, {1, 6}),
        item(kBasic, u"口味设置"_s, {1, 8}),
        item(kBasic, u"优惠时段设置"_s),
        afterSeparator(item(kBasic, u"配送员管理"_s, {1, 3})),
        afterSeparator(item(kBasic, u"配料管理"_s)),
        item(kBasic, u"配料类别设置"_s),

        withToolbar(item(kCustomers, u"客户管理"_s, {1, 2}), u"客户资料"_s, u"Customer/D"_s),
        item(kCustomers, u"客户类型设置"_s, {1, 4}),
        item(kCustomers, u"客户区域管理"_s, {1, 5}),
        afterSeparator(item(kCustomers, u"账户充值"_s)),
        item(kCustomers, u"充值记录"_s),

        withShortcut(withToolbar(item(kBusiness, u"销售开单"_s, {2, 1}), u"外卖开单F1"_s, u"T/W"_s), u"F1"_s),
        withShortcut(withToolbar(item(kBusiness, u"堂食开单"_s), u"堂食开单F2"_s, u"Table"_s), u"F2"_s),
        withShortcut(withToolbar(item(kBusiness, u"零售开单"_s), u"零售开单F3"_s), u"F3"_s),
        afterSeparator(withToolbar(item(kBusiness, u"单一发货"_s, {2, 2}), u"单一发货"_s)),
        withToolbar(item(kBusiness, u"成批发货"_s), u"成批发货"_s),
        withToolbar(item(kBusiness, u"收款"_s, {2, 3}), u"单一收款"_s),
        withToolbar(item(kBusiness, u"成批收款"_s), u"成批收款"_s),
        withToolbar(item(kBusiness, u"退货"_s, {2, 6}), u"退货"_s),
        withToolbar(item(kBusiness, u"退款"_s, {2, 7}), u"退款"_s),
        item(kBusiness, u"提醒设置"_s),
        afterSeparator(item(kBusiness, u"配料采购"_s, {2, 14})),
        item(kBusiness, u"配料出库"_s),
        item(kBusiness, u"成品入库"_s, {2, 14}),
        item(kBusiness, u"成品出库"_s),
        afterSeparator(withToolbar(item(kBusiness, u"历史来电记录"_s), u"历史来电记录"_s)),
        // Only on the pop-up menus of the board's two grids.
        item(QString(), u"删除订货单"_s, {2, 5}),

        item(kQuery, u"订单销售查询"_s, {3, 1}),
        item(kQuery, u"菜品销售汇总查询"_s, {3, 2}),
        item(kQuery, u"日销售汇总查询"_s),
        item(kQuery, u"种类销售汇总"_s),
        afterSeparator(item(kQuery, u"签单查询"_s, {3, 3})),
        item(kQuery, u"订单删除查询"_s, {3, 8}),

        item(kStatistics, u"送餐员汇总及提成查询"_s, {3, 4}),
        item(kStatistics, u"客户消费帐单详细查询"_s, {3, 5}),
        item(kStatistics, u"客户消费汇总查询"_s),
        afterSeparator(item(kStatistics, u"点单时间统计"_s, {3, 6})),
        item(kStatistics, u"送餐效率统计"_s, {3, 7}),

        item(kPoints, u"积分兑换"_s),
        item(kPoints, u"积分兑换记录"_s),
        item(kPoints, u"积分兑换商品设置"_s),

        item(kVisits, u"回访录入"_s),
        item(kVisits, u"回访查询"_s),
        item(kVisits, u"今日生日"_s),

        item(kSms, u"发送短信"_s),
        item(kSms, u"短信设置"_s),
        item(kSms, u"短信发送情况"_s),

        withToolbar(item(kSystem, u"系统设置"_s, {4, 1}), u"系统设置"_s),
        item(kSystem, u"权限管理"_s, {4, 2}),
        item(kSystem, u"修改密码"_s, {4, 3}),
        item(kSystem, u"初始化密码修改"_s),
        afterSeparator(item(kSystem, u"数据备份"_s, {4, 4})),
        item(kSystem, u"数据恢复"_s, {4, 5}),
        item(kSystem, u"数据初始化"_s, {4, 6}),
        item(kSystem, u"工作模式"_s),
        afterSeparator(item(kSystem, u"X型来电接收盒运行日志"_s)),
        afterSeparator(withToolbar(item(kSystem, u"退出"_s), u"退出"_s)),

        item(kHelp, u"帮助"_s, {5, 1}),
        item(kHelp, u"网络视频教程"_s),
        item(kHelp, u"我想要增加功能！！！"_s),
        afterSeparator(item(kHelp, u"关于"_s, {5, 2})),
    };
    return entries;
}

const QStringList &mainToolbar()
{
    static const QStringList keys = {
        u"销售开单"_s, u"堂食开单"_s, u"零售开单"_s, QString(),
        u"客户管理"_s, QString(),
        u"单一发货"_s, u"成批发货"_s, u"收款"_s, u"成批收款"_s, u"退货"_s, u"退款"_s, QString(),
        u"历史来电记录"_s, u"系统设置"_s, QString(),
        u"退出"_s,
    };
    return keys;
}

const MainEntry *findMainEntry(const QString &key)
{
    for (const auto &e : mainEntries())
        if (e.key == key)
            return &e;
    return nullptr;
}

bool entryAllowed(const Operator &op, const MainEntry &entry)
{
    return !entry.right.governed() || op.may(entry.right.group, entry.right.position);
}

} // namespace lanfan
