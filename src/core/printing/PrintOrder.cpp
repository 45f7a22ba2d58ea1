#include "PrintOrder.h"

#include "data/Db.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace lanfan::printing {

namespace {

QString dateText(const QVariant &v)
{
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDate || v.metaType().id() == QMetaType::QDateTime)
        return v.toDate().toString(u"yyyy-MM-dd"_s);
    return v.toString().left(10);
}

PrintLine lineFrom(const SqlRow &r)
{
    PrintLine l;
    l.dish = r.text(u"产品名称"_s);
    l.flavour = r.text(u"口味"_s);
    l.price = r.money(u"单价"_s);
    l.quantity = r.money(u"数量"_s);
    l.amount = r.money(u"应付货款"_s);
    l.kitchenPrinter = r.text(u"后厨打印机"_s).trimmed();
    if (r.values().contains(u"新老"_s))
        l.newOld = r.text(u"新老"_s);
    return l;
}

} // namespace

Money PrintOrder::portions() const
{
    Money sum;
    for (const auto &l : lines)
        sum += l.quantity;
    return sum;
}

Money PrintOrder::listTotal() const
{
    Money sum;
    for (const auto &l : lines)
        sum += l.amount;
    return sum;
}

QString moneyText(Money m)
{
    return m.toFixed(2);
}

QString quantityText(Money m)
{
    return m.toString();
}

PrintOrder loadSavedOrder(Db &db, const QString &orderNumber, bool areaInAddress)
{
    PrintOrder o;
    const auto rows = db.rows(u"select * from 产品销售开票 where 单据编号=:单据编号 order by id"_s,
                              {{u"单据编号"_s, orderNumber}});
    if (rows.isEmpty())
        return o;
    const SqlRow &h = rows.first();
    o.orderNumber = h.text(u"单据编号"_s);
    o.worker = h.text(u"配送工"_s);
    o.orderDate = dateText(h.value(u"购物日期"_s));
    o.orderTime = h.text(u"时间"_s);
    o.deliveryDate = dateText(h.value(u"送餐日期"_s));
    o.deliveryTime = h.text(u"送餐时间"_s);
    o.customerName = h.text(u"客户姓名"_s);
    o.phone = h.text(u"电话"_s);
    o.area = h.text(u"区域"_s);
    o.address = areaInAddress ? o.area + h.text(u"地址"_s) : h.text(u"地址"_s);
    o.company = h.text(u"客户单位"_s);
    o.points = Money::fromVariant(h.value(u"积分"_s)).toString();
    o.note = h.text(u"发货备注"_s);
    o.customerType = h.text(u"客户类型"_s);
    o.payment = h.text(u"收款方式"_s);
    o.tableNumber = h.text(u"餐台号"_s);
    o.orderKind = h.text(u"订单类型"_s);
    o.total = h.money(u"折后金额"_s);
    o.rounding = h.money(u"抹零金额"_s);
    o.discount = h.isNull(u"打折"_s) ? Money::fromInt(10) : Money::fromVariant(h.value(u"打折"_s));
    o.pointsUsed = Money::fromVariant(h.value(u"使用积分"_s));
    o.balance = h.money(u"账户余额"_s);
    o.serviceRate = Money::fromVariant(h.value(u"服务费"_s));
    o.taxRate = Money::fromVariant(h.value(u"税率"_s));
    o.cash = h.money(u"现金收入"_s);
    for (const auto &r : rows)
        o.lines << lineFrom(r);
    o.savedLines = o.lines;

    bool isNumber = false;
    const qint64 customerId = h.text(u"客户编号"_s).toLongLong(&isNumber);
    if (isNumber) {
        const SqlRow c = db.first(u"select 客户备注, 手工编码, 积分 from 客户资料 where id=:id"_s, {{u"id"_s, customerId}});
        o.customerRemark = c.text(u"客户备注"_s);
        o.memberCode = c.text(u"手工编码"_s);
        o.previousPoints = Money::fromVariant(c.value(u"积分"_s));
    }
    return o;
}

QList<PrintLine> loadModificationLines(Db &db, const QString &orderNumber)
{
    QList<PrintLine> lines;
    for (const auto &r : db.rows(u"select * from 订单修改临时表 where 单据编号=:单据编号 order by id"_s,
                                 {{u"单据编号"_s, orderNumber}}))
        lines << lineFrom(r);
    return lines;
}

QList<PrintLine> loadCartLines(Db &db, const QString &cartKey)
{
    QList<PrintLine> lines;
    for (const auto &r : db.rows(u"select * from 销售临时表 where 时间=:时间 order by ID"_s, {{u"时间"_s, cartKey}}))
        lines << lineFrom(r);
    return lines;
}

PrintOrder sampleOrder()
{
    PrintOrder o;
    o.orderNumber = u"202612110007"_s;
    o.operatorName = u"收银员小李"_s;
    o.worker = u"王师傅"_s;
    o.orderDate = u"2026-12-11"_s;
    o.orderTime = u"11:42:05"_s;
    o.deliveryDate = u"2026-12-11"_s;
    o.deliveryTime = u"12:15:00"_s;
    o.customerName = u"张先生"_s;
    o.phone = u"13807310001"_s;
    o.area = u"岳麓区"_s;
    o.address = u"岳麓区麓山南路932号湖南大学科技园三栋五楼东侧前台"_s;
    o.company = u"湘江软件有限公司"_s;
    o.points = u"128"_s;
    o.note = u"少放辣椒，米饭多加一份，到楼下请打电话"_s;
    o.customerType = u"会员"_s;
    o.payment = u"现金"_s;
    o.orderKind = u"外卖"_s;
    o.previousPoints = Money::fromInt(128);
    o.balance = Money::fromInt(200);
    auto line = [](const char16_t *dish, const char16_t *flavour, int priceTenths, int qty, const char16_t *printer) {
        PrintLine l;
        l.dish = QString::fromUtf16(dish);
        l.flavour = QString::fromUtf16(flavour);
        l.price = Money::fromUnits(qint64(priceTenths) * 1000);
        l.quantity = Money::fromInt(qty);
        l.amount = l.price * qty;
        l.kitchenPrinter = QString::fromUtf16(printer);
        return l;
    };
    o.lines = {line(u"小炒黄牛肉", u"微辣", 380, 1, u"热菜"),
               line(u"剁椒鱼头", u"中辣", 580, 1, u"热菜"),
               line(u"手撕包菜", u"", 180, 1, u"热菜"),
               line(u"凉拌黄瓜", u"加醋", 120, 1, u"凉菜"),
               line(u"米饭", u"", 20, 3, u"主食")};
    o.total = o.listTotal();
    o.savedLines = o.lines;
    return o;
}

} // namespace lanfan::printing
