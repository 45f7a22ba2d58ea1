#include "DemoShop.h"

#include "common/Clock.h"
#include "common/Money.h"
#include "common/Text.h"
#include "data/Db.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

QVariant money(const char *text)
{
    return QVariant::fromValue(Money::parseOrZero(QString::fromLatin1(text)));
}

struct Dish {
    const char *code;
    const char *name;
    const char *category;
    const char *price;
    const char *mnemonic;
    const char *style;
};

// Categories in their order; drinks take no discount.
const QList<QPair<QString, QString>> kCategories = {
    {u"盖浇饭"_s, u"是"_s}, {u"炒菜"_s, u"是"_s}, {u"汤品"_s, u"是"_s},
    {u"主食"_s, u"是"_s},   {u"饮料"_s, u"否"_s}, {u"套餐"_s, u"是"_s},
};

const Dish kDishes[] = {
    {"001", "鱼香肉丝盖饭", "盖浇饭", "18", "yxrsgf", "川菜"},
    {"002", "宫保鸡丁盖饭", "盖浇饭", "18", "gbjdgf", "川菜"},
    {"003", "红烧牛肉盖饭", "盖浇饭", "22", "hsnrgf", "家常菜"},
    {"004", "番茄炒蛋盖饭", "盖浇饭", "15", "fqcdgf", "家常菜"},
    {"101", "鱼香肉丝", "炒菜", "26", "yxrs", "川菜"},
    {"102", "宫保鸡丁", "炒菜", "28", "gbjd", "川菜"},
    {"103", "麻婆豆腐", "炒菜", "18", "mpdf", "川菜"},
    {"104", "清炒时蔬", "炒菜", "15", "qcss", "家常菜"},
    {"105", "糖醋排骨", "炒菜", "36", "tcpg", "家常菜"},
    {"106", "白切鸡", "炒菜", "38", "bqj", "粤菜"},
    {"201", "番茄蛋汤", "汤品", "12", "fqdt", "家常菜"},
    {"202", "紫菜蛋花汤", "汤品", "10", "zcdht", "家常菜"},
    {"203", "老火靓汤", "汤品", "22", "lhlt", "粤菜"},
    {"301", "米饭", "主食", "2", "mf", ""},
    {"302", "扬州炒饭", "主食", "16", "yzcf", "粤菜"},
    {"303", "干炒牛河", "主食", "18", "gcnh", "粤菜"},
    {"401", "可乐", "饮料", "4", "kl", ""},
    {"402", "柠檬茶", "饮料", "6", "nmc", ""},
    {"403", "矿泉水", "饮料", "2", "kqs", ""},
    {"501", "单人套餐A", "套餐", "25", "drtca", ""},
    {"502", "双人套餐", "套餐", "68", "srtc", ""},
};

struct SetLine {
    const char *set;
    const char *dish;
    int quantity;
};

const SetLine kSetMeals[] = {
    {"单人套餐A", "鱼香肉丝盖饭", 1}, {"单人套餐A", "紫菜蛋花汤", 1}, {"单人套餐A", "可乐", 1},
    {"双人套餐", "宫保鸡丁", 1},      {"双人套餐", "清炒时蔬", 1},     {"双人套餐", "番茄蛋汤", 1},
    {"双人套餐", "米饭", 2},
};

struct Customer {
    const char *name;
    const char *phone;
    const char *address;
    const char *area;
    const char *company;
    const char *type;
    int points;
    const char *blacklist;
    QDate birthday;
};

const Customer kCustomers[] = {
    {"王先生", "13912345678", "东城区建设路18号3单元502", "东城区", "", "会员客户", 80, "否", QDate(1985, 3, 12)},
    {"李女士", "13887654321", "西城区人民路66号", "西城区", "", "普通客户", 0, "否", QDate()},
    {"张经理", "073184561234", "高新区麓谷大厦1201室", "高新区", "麓谷科技", "VIP客户", 260, "否", QDate(1978, 10, 1)},
    {"陈同学", "15800001111", "大学城学生公寓6栋312", "大学城", "", "普通客户", 0, "否", QDate()},
    {"刘阿姨", "13700002222", "南湖新村5栋2门101", "南湖新村", "", "会员客户", 120, "否", QDate(1960, 6, 18)},
    {"赵先生", "13600003333", "东城区解放路100号", "东城区", "", "普通客户", 0, "是", QDate()},
};

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

QString addDemoShop(Db &db, const Clock &clock, DemoSummary *summary)
{
    if (db.scalar(u"select count(*) from 菜单表"_s).toLongLong() > 0
        || db.scalar(u"select count(*) from 客户资料"_s).toLongLong() > 0)
        return u"这个店已经有菜品或客户资料，不再加入演示数据"_s;

    DemoSummary s;
    Transaction tx(db);

    db.execute(u"update 店名 set 店名=:店名, 电话=:电话, 网址=:网址"_s,
               {{u"店名"_s, u"澜帆示范快餐店"_s}, {u"电话"_s, u"0731-88886666"_s}, {u"网址"_s, u"www.lanfan.example"_s}});

    for (const QString &area : {u"东城区"_s, u"西城区"_s, u"南湖新村"_s, u"高新区"_s, u"大学城"_s})
        db.execute(u"insert into 区域 (区域) values (:区域)"_s, {{u"区域"_s, area}});
    for (const auto &[type, rate] : QList<QPair<QString, const char *>>{
             {u"普通客户"_s, "10"}, {u"会员客户"_s, "9.5"}, {u"VIP客户"_s, "9"}})
        db.execute(u"insert into 客户类型 (客户类型,折扣率) values (:客户类型,:折扣率)"_s,
                   {{u"客户类型"_s, type}, {u"折扣率"_s, QString::fromLatin1(rate).toDouble()}});

    const QList<QStringList> workers = {
        {u"张师傅"_s, u"13800000001"_s, u"电动车"_s},
        {u"李师傅"_s, u"13800000002"_s, u"电动车"_s},
        {u"王师傅"_s, u"13800000003"_s, u"摩托车"_s},
    };
    for (const QStringList &w : workers) {
        db.execute(u"insert into 员工列表 (姓名,电话,所用车辆,送餐次数提成) values (:姓名,:电话,:所用车辆,:提成)"_s,
                   {{u"姓名"_s, w[0]}, {u"电话"_s, w[1]}, {u"所用车辆"_s, w[2]}, {u"提成"_s, money("1")}});
        ++s.workers;
    }

    for (int i = 0; i < kCategories.size(); ++i) {
        db.execute(u"insert into 种类 (种类,排序编号,后厨打印机,是否参与打折) values (:种类,:排序编号,'',:是否参与打折)"_s,
                   {{u"种类"_s, kCategories[i].first}, {u"排序编号"_s, i + 1}, {u"是否参与打折"_s, kCategories[i].second}});
        ++s.categories;
    }
    for (const QString &style : {u"川菜"_s, u"粤菜"_s, u"家常菜"_s})
        db.execute(u"insert into 风味 (风味) values (:风味)"_s, {{u"风味"_s, style}});

    int order = 0;
    for (const Dish &d : kDishes) {
        const QString category = u8(d.category);
        const bool discount = category != u"饮料";
        db.execute(u"insert into 菜单表 (编号,名称,食物总类,单价,拼音,备注,业务员提成,是否参与打折,排序编号,风味,"
                   "当前库存,单位成本,库存总额,报警低库存) values (:编号,:名称,:食物总类,:单价,:拼音,'',:提成,"
                   ":是否参与打折,:排序编号,:风味,:库存,:成本,:总额,0)"_s,
                   {{u"编号"_s, u8(d.code)},
                    {u"名称"_s, u8(d.name)},
                    {u"食物总类"_s, category},
                    {u"单价"_s, money(d.price)},
                    {u"拼音"_s, u8(d.mnemonic)},
                    {u"提成"_s, money("0")},
                    {u"是否参与打折"_s, discount ? u"是"_s : u"否"_s},
                    {u"排序编号"_s, ++order},
                    {u"风味"_s, u8(d.style)},
                    {u"库存"_s, money("0")},
                    {u"成本"_s, money("0")},
                    {u"总额"_s, money("0")}});
        ++s.dishes;
    }
    for (const SetLine &l : kSetMeals)
        db.execute(u"insert into 套餐内容 (套餐名称,菜品名称,数量) values (:套餐名称,:菜品名称,:数量)"_s,
                   {{u"套餐名称"_s, u8(l.set)}, {u"菜品名称"_s, u8(l.dish)}, {u"数量"_s, l.quantity}});
    db.execute(u"insert into 备选菜品 (套餐名称,默认菜品,备选菜品) values (:套餐名称,:默认菜品,:备选菜品)"_s,
               {{u"套餐名称"_s, u"单人套餐A"_s}, {u"默认菜品"_s, u"可乐"_s}, {u"备选菜品"_s, u"柠檬茶"_s}});

    for (const auto &[flavour, extra] : QList<QPair<QString, const char *>>{
             {u"不辣"_s, "0"}, {u"微辣"_s, "0"}, {u"特辣"_s, "0"}, {u"加饭"_s, "1"}, {u"打包盒"_s, "1"}})
        db.execute(u"insert into 口味 (口味,加价) values (:口味,:加价)"_s, {{u"口味"_s, flavour}, {u"加价"_s, money(extra)}});
    for (const QString &table : {u"A1"_s, u"A2"_s, u"A3"_s, u"A4"_s, u"B1"_s, u"B2"_s, u"包间1"_s})
        db.execute(u"insert into 餐台号 (餐台号) values (:餐台号)"_s, {{u"餐台号"_s, table}});
    for (const QString &note : {u"多带餐具"_s, u"不要葱蒜"_s, u"到楼下请打电话"_s})
        db.execute(u"insert into 常用发货备注 (常用发货备注) values (:备注)"_s, {{u"备注"_s, note}});

    qint64 first = 0;
    for (const Customer &c : kCustomers) {
        const qint64 id = db.insert(
            u"insert into 客户资料 (客户姓名,联系电话,联系地址,客户地区,客户单位,客户类型,客户备注,手工编码,QQ,购物次数,"
            "购物金额,积分,帐户余额,黑名单,身份证号,生日,生日月,生日日,信用等级) values (:姓名,:电话,:地址,:地区,:单位,"
            ":类型,'','','',0,:金额,:积分,:余额,:黑名单,'',:生日,:月,:日,'')"_s,
            {{u"姓名"_s, u8(c.name)},
             {u"电话"_s, u8(c.phone)},
             {u"地址"_s, u8(c.address)},
             {u"地区"_s, u8(c.area)},
             {u"单位"_s, u8(c.company)},
             {u"类型"_s, u8(c.type)},
             {u"金额"_s, money("0")},
             {u"积分"_s, c.points},
             {u"余额"_s, money("0")},
             {u"黑名单"_s, u8(c.blacklist)},
             {u"生日"_s, c.birthday.isValid() ? QVariant(c.birthday) : QVariant()},
             {u"月"_s, c.birthday.isValid() ? QVariant(c.birthday.month()) : QVariant()},
             {u"日"_s, c.birthday.isValid() ? QVariant(c.birthday.day()) : QVariant()}});
        if (!first)
            first = id;
        ++s.customers;
    }
    db.execute(u"insert into 多个地址 (客户编号,客户地址) values (:客户编号,:客户地址)"_s,
               {{u"客户编号"_s, first}, {u"客户地址"_s, u"东城区五一大道200号公司前台"_s}});

    // A stored value is a top-up with its record, as every balance change is.
    const SqlRow manager = db.first(u"select id, 客户姓名, 客户类型, 客户地区, 联系电话 from 客户资料 where 客户姓名=:姓名"_s,
                                    {{u"姓名"_s, u"张经理"_s}});
    db.execute(u"update 客户资料 set 帐户余额=帐户余额+:金额 where id=:id"_s,
               {{u"金额"_s, money("200")}, {u"id"_s, manager.value(u"id"_s)}});
    db.execute(u"insert into 充值记录 (客户编号,客户姓名,客户类型,客户地区,联系电话,充值前余额,充值金额,充值后余额,充值时间,"
               "会员卡号,单据编号,类型) values (:编号,:姓名,:类型,:地区,:电话,:前,:金额,:后,:时间,'','',:kind)"_s,
               {{u"编号"_s, manager.text(u"id"_s)},
                {u"姓名"_s, manager.text(u"客户姓名"_s)},
                {u"类型"_s, manager.text(u"客户类型"_s)},
                {u"地区"_s, manager.text(u"客户地区"_s)},
                {u"电话"_s, manager.text(u"联系电话"_s)},
                {u"前"_s, money("0")},
                {u"金额"_s, money("200")},
                {u"后"_s, money("200")},
                {u"时间"_s, clock.now()},
                {u"kind"_s, u"充值"_s}});

    // A cashier: takes, dispatches and settles orders and looks after customers.
    s.operatorName = u"收银员"_s;
    s.operatorPassword = u"123"_s;
    db.execute(u"insert into 登陆 (用户,密码,权限,Right1,Right2,Right3,Right4,Right5,Right6,Right7,Right8,Right9) values "
               "(:用户,:密码,'操作员',:r1,:r2,:r3,:r4,:r5,:r0,:r0,:r0,:r0)"_s,
               {{u"用户"_s, s.operatorName},
                {u"密码"_s, md5Hex(s.operatorPassword)},
                {u"r1"_s, u"01000000"_s},
                {u"r2"_s, u"11110000111000"_s},
                {u"r3"_s, u"10100000"_s},
                {u"r4"_s, u"001000"_s},
                {u"r5"_s, u"11"_s},
                {u"r0"_s, QString(31, u'0')}});
    tx.commit();
    if (summary)
        *summary = s;
    return {};
}

} // namespace lanfan
