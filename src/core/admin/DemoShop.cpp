#include "DemoShop.h"

#include "app/Passwords.h"
#include "orders/ImCode.h"

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
    const char *style;
};

// Categories in their order with their kitchen printer; drinks take no
// discount and are poured at the counter.
struct Category {
    QString name;
    QString discount;
    QString printer;
};

const QList<Category> kCategories = {
    {u"盖浇饭"_s, u"是"_s, u"热菜打印机"_s}, {u"炒菜"_s, u"是"_s, u"热菜打印机"_s},
    {u"凉菜"_s, u"是"_s, u"凉菜打印机"_s},   {u"汤品"_s, u"是"_s, u"热菜打印机"_s},
    {u"主食"_s, u"是"_s, u"面点打印机"_s},   {u"饮料"_s, u"否"_s, u"吧台打印机"_s},
    {u"套餐"_s, u"是"_s, u"热菜打印机"_s},
};

const Dish kDishes[] = {
    {"001", "鱼香肉丝盖饭", "盖浇饭", "18", "川菜"},
    {"002", "宫保鸡丁盖饭", "盖浇饭", "18", "川菜"},
    {"003", "红烧牛肉盖饭", "盖浇饭", "22", "家常菜"},
    {"004", "番茄炒蛋盖饭", "盖浇饭", "15", "家常菜"},
    {"005", "青椒肉丝盖饭", "盖浇饭", "16", "家常菜"},
    {"006", "土豆牛腩盖饭", "盖浇饭", "24", "家常菜"},
    {"007", "黑椒鸡排盖饭", "盖浇饭", "20", "粤菜"},
    {"008", "咖喱鸡盖饭", "盖浇饭", "19", "粤菜"},
    {"101", "鱼香肉丝", "炒菜", "26", "川菜"},
    {"102", "宫保鸡丁", "炒菜", "28", "川菜"},
    {"103", "麻婆豆腐", "炒菜", "18", "川菜"},
    {"104", "清炒时蔬", "炒菜", "15", "家常菜"},
    {"105", "糖醋排骨", "炒菜", "36", "家常菜"},
    {"106", "白切鸡", "炒菜", "38", "粤菜"},
    {"107", "回锅肉", "炒菜", "30", "川菜"},
    {"108", "水煮鱼", "炒菜", "48", "川菜"},
    {"109", "干煸四季豆", "炒菜", "20", "川菜"},
    {"110", "蒜蓉西兰花", "炒菜", "18", "粤菜"},
    {"111", "剁椒鱼头", "炒菜", "58", "湘菜"},
    {"112", "农家小炒肉", "炒菜", "28", "湘菜"},
    {"113", "辣椒炒肉", "炒菜", "26", "湘菜"},
    {"114", "蚝油生菜", "炒菜", "14", "粤菜"},
    {"151", "拍黄瓜", "凉菜", "10", "家常菜"},
    {"152", "凉拌木耳", "凉菜", "12", "家常菜"},
    {"153", "夫妻肺片", "凉菜", "28", "川菜"},
    {"154", "皮蛋豆腐", "凉菜", "12", "家常菜"},
    {"201", "番茄蛋汤", "汤品", "12", "家常菜"},
    {"202", "紫菜蛋花汤", "汤品", "10", "家常菜"},
    {"203", "老火靓汤", "汤品", "22", "粤菜"},
    {"204", "酸辣汤", "汤品", "12", "川菜"},
    {"205", "冬瓜排骨汤", "汤品", "26", "家常菜"},
    {"301", "米饭", "主食", "2", ""},
    {"302", "扬州炒饭", "主食", "16", "粤菜"},
    {"303", "干炒牛河", "主食", "18", "粤菜"},
    {"304", "牛肉面", "主食", "18", "家常菜"},
    {"305", "酸辣粉", "主食", "12", "川菜"},
    {"306", "水饺", "主食", "15", "家常菜"},
    {"307", "葱油饼", "主食", "6", "家常菜"},
    {"401", "可乐", "饮料", "4", ""},
    {"402", "柠檬茶", "饮料", "6", ""},
    {"403", "矿泉水", "饮料", "2", ""},
    {"404", "橙汁", "饮料", "8", ""},
    {"405", "王老吉", "饮料", "5", ""},
    {"406", "豆浆", "饮料", "3", ""},
    {"501", "单人套餐A", "套餐", "25", ""},
    {"502", "双人套餐", "套餐", "68", ""},
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
    const char *phone;     // several numbers joined by ","
    const char *address;
    const char *area;
    const char *company;
    const char *type;
    int points;
    const char *balance;   // stored value, put in as a top-up
    const char *blacklist;
    QDate birthday;
    QList<const char *> moreAddresses;
};

const Customer kCustomers[] = {
    {"王先生", "13912345678,073188661234", "东城区建设路18号3单元502", "东城区", "", "会员客户", 80, "0", "否", QDate(1985, 3, 12), {"东城区五一大道200号公司前台"}},
    {"李女士", "13800000001", "西城区人民路66号", "西城区", "", "普通客户", 0, "0", "否", QDate(), {}},
    {"张经理", "073184561234,13974100001", "高新区麓谷大厦1201室", "高新区", "麓谷科技", "VIP客户", 260, "200", "否", QDate(1978, 10, 1), {"高新区文轩路27号2栋", "东城区建设路9号"}},
    {"陈同学", "15800001111", "大学城学生公寓6栋312", "大学城", "", "普通客户", 0, "0", "否", QDate(), {}},
    {"刘阿姨", "13700002222", "南湖新村5栋2门101", "南湖新村", "", "会员客户", 120, "50", "否", QDate(1960, 6, 18), {}},
    {"赵先生", "13600003333", "东城区解放路100号", "东城区", "", "普通客户", 0, "0", "是", QDate(), {}},
    {"孙小姐", "13511112222", "西城区银杏苑8栋1703", "西城区", "", "会员客户", 45, "0", "否", QDate(1992, 8, 8), {}},
    {"周老板", "13922223333,13922224444", "东城区五金市场A区12号", "东城区", "周记五金", "VIP客户", 510, "500", "否", QDate(1970, 1, 20), {"东城区五金市场仓库"}},
    {"吴医生", "13833334444", "南湖新村社区医院二楼", "南湖新村", "南湖社区医院", "会员客户", 66, "0", "否", QDate(), {}},
    {"郑老师", "13744445555", "大学城师范学院北门教工楼", "大学城", "师范学院", "会员客户", 90, "100", "否", QDate(1981, 9, 10), {"大学城图书馆三楼办公室"}},
    {"冯先生", "13655556666", "高新区创业大厦909", "高新区", "", "普通客户", 0, "0", "否", QDate(), {}},
    {"何女士", "15966667777", "西城区滨江花园3栋801", "西城区", "", "普通客户", 12, "0", "否", QDate(), {}},
    {"许总", "073185557777,13988889999", "高新区金融中心28楼", "高新区", "许氏投资", "VIP客户", 880, "1000", "否", QDate(1975, 12, 25), {"高新区金融中心一楼大堂"}},
    {"马师傅", "13577778888", "东城区汽修一条街6号", "东城区", "马记汽修", "普通客户", 0, "0", "否", QDate(), {}},
    {"朱同学", "18600001234", "大学城学生公寓12栋208", "大学城", "", "普通客户", 5, "0", "否", QDate(), {}},
    {"胡经理", "13466665555", "高新区软件园C座5楼", "高新区", "云帆软件", "会员客户", 150, "0", "否", QDate(1988, 4, 2), {}},
    {"郭女士", "13355554444", "南湖新村12栋3门402", "南湖新村", "", "会员客户", 30, "20", "否", QDate(), {}},
    {"林先生", "13244443333", "西城区图书城对面18号", "西城区", "", "普通客户", 0, "0", "否", QDate(), {}},
    {"罗阿姨", "13133332222,073184442222", "南湖新村老年活动中心旁", "南湖新村", "", "会员客户", 70, "0", "否", QDate(1958, 2, 14), {"南湖新村3栋1门101"}},
    {"梁先生", "15022221111", "东城区火车站南广场酒店", "东城区", "", "普通客户", 0, "0", "否", QDate(), {}},
    {"宋小姐", "15111110000", "西城区万达广场写字楼1106", "西城区", "万达物业", "会员客户", 55, "0", "否", QDate(1995, 5, 20), {}},
    {"唐先生", "15233334444", "高新区科技园路1号", "高新区", "", "普通客户", 0, "0", "否", QDate(), {}},
    {"韩同学", "15344445555", "大学城理工学院7号宿舍楼", "大学城", "", "普通客户", 0, "0", "否", QDate(), {}},
    {"曹女士", "15555556666", "东城区幸福小区6栋", "东城区", "", "会员客户", 40, "0", "否", QDate(), {}},
    {"邓经理", "15666667777", "高新区环保大厦3楼", "高新区", "绿源环保", "VIP客户", 320, "300", "否", QDate(1983, 7, 7), {"西城区人民路88号分公司"}},
    {"彭先生", "15777778888", "西城区体育馆东门", "西城区", "", "普通客户", 0, "0", "否", QDate(), {}},
    {"曾女士", "15888889999", "南湖新村菜市场旁22号", "南湖新村", "", "普通客户", 8, "0", "否", QDate(), {}},
    {"蒋老师", "15999990000,073186663333", "大学城外国语学校", "大学城", "外国语学校", "会员客户", 100, "0", "否", QDate(1979, 11, 11), {}},
    {"谢先生", "18700007777", "东城区建设路56号", "东城区", "", "普通客户", 0, "0", "否", QDate(), {}},
    {"董小姐", "18800008888", "高新区公寓楼B栋1102", "高新区", "", "会员客户", 25, "0", "否", QDate(), {}},
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
        {u"张师傅"_s, u"13500000001"_s, u"电动车"_s},
        {u"李师傅"_s, u"13500000002"_s, u"电动车"_s},
        {u"王师傅"_s, u"13500000003"_s, u"摩托车"_s},
    };
    for (const QStringList &w : workers) {
        db.execute(u"insert into 员工列表 (姓名,电话,所用车辆,送餐次数提成) values (:姓名,:电话,:所用车辆,:提成)"_s,
                   {{u"姓名"_s, w[0]}, {u"电话"_s, w[1]}, {u"所用车辆"_s, w[2]}, {u"提成"_s, money("1")}});
        ++s.workers;
    }

    for (int i = 0; i < kCategories.size(); ++i) {
        db.execute(u"insert into 种类 (种类,排序编号,后厨打印机,是否参与打折) values (:种类,:排序编号,:后厨打印机,:是否参与打折)"_s,
                   {{u"种类"_s, kCategories[i].name}, {u"排序编号"_s, i + 1}, {u"后厨打印机"_s, kCategories[i].printer},
                    {u"是否参与打折"_s, kCategories[i].discount}});
        ++s.categories;
    }
    for (const QString &style : {u"川菜"_s, u"粤菜"_s, u"湘菜"_s, u"家常菜"_s})
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
                    {u"拼音"_s, dishMnemonic(u8(d.name))},
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
             {u"不辣"_s, "0"}, {u"微辣"_s, "0"}, {u"特辣"_s, "0"}, {u"少盐"_s, "0"}, {u"不要香菜"_s, "0"},
             {u"加饭"_s, "1"}, {u"加蛋"_s, "2"}, {u"加肉"_s, "5"}, {u"大份"_s, "6"}, {u"打包盒"_s, "1"}})
        db.execute(u"insert into 口味 (口味,加价) values (:口味,:加价)"_s, {{u"口味"_s, flavour}, {u"加价"_s, money(extra)}});
    for (const QString &table : {u"A1"_s, u"A2"_s, u"A3"_s, u"A4"_s, u"A5"_s, u"A6"_s, u"B1"_s, u"B2"_s, u"B3"_s,
                                 u"B4"_s, u"包间1"_s, u"包间2"_s})
        db.execute(u"insert into 餐台号 (餐台号) values (:餐台号)"_s, {{u"餐台号"_s, table}});
    for (double rate : {9.5, 9.0, 8.8, 8.5, 8.0, 7.0})
        db.execute(u"insert into 折扣设置 (折扣率) values (:折扣率)"_s, {{u"折扣率"_s, rate}});
    for (const QString &note : {u"多带餐具"_s, u"不要葱蒜"_s, u"到楼下请打电话"_s, u"尽快送达"_s, u"放门卫处"_s,
                                u"需要发票"_s, u"少放辣"_s})
        db.execute(u"insert into 常用发货备注 (常用发货备注) values (:备注)"_s, {{u"备注"_s, note}});

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
        for (const char *address : c.moreAddresses)
            db.execute(u"insert into 多个地址 (客户编号,客户地址) values (:客户编号,:客户地址)"_s,
                       {{u"客户编号"_s, id}, {u"客户地址"_s, u8(address)}});
        // A stored value is a top-up with its record, as every balance change is.
        const Money balance = Money::parseOrZero(QString::fromLatin1(c.balance));
        if (balance > Money()) {
            db.execute(u"update 客户资料 set 帐户余额=帐户余额+:金额 where id=:id"_s,
                       {{u"金额"_s, QVariant::fromValue(balance)}, {u"id"_s, id}});
            db.execute(u"insert into 充值记录 (客户编号,客户姓名,客户类型,客户地区,联系电话,充值前余额,充值金额,充值后余额,充值时间,"
                       "会员卡号,单据编号,类型) values (:编号,:姓名,:类型,:地区,:电话,:前,:金额,:后,:时间,'','',:kind)"_s,
                       {{u"编号"_s, QString::number(id)},
                        {u"姓名"_s, u8(c.name)},
                        {u"类型"_s, u8(c.type)},
                        {u"地区"_s, u8(c.area)},
                        {u"电话"_s, u8(c.phone)},
                        {u"前"_s, money("0")},
                        {u"金额"_s, QVariant::fromValue(balance)},
                        {u"后"_s, QVariant::fromValue(balance)},
                        {u"时间"_s, clock.now()},
                        {u"kind"_s, u"充值"_s}});
        }
        ++s.customers;
    }

    // A cashier: takes, dispatches and settles orders and looks after customers.
    s.operatorName = u"收银员"_s;
    s.operatorPassword = u"123"_s;
    db.execute(u"insert into 登陆 (用户,密码,权限,Right1,Right2,Right3,Right4,Right5,Right6,Right7,Right8,Right9) values "
               "(:用户,:密码,'操作员',:r1,:r2,:r3,:r4,:r5,:r0,:r0,:r0,:r0)"_s,
               {{u"用户"_s, s.operatorName},
                {u"密码"_s, hashPassword(s.operatorPassword)},
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
