#include "PrintSources.h"

#include "data/Settings.h"

using namespace Qt::StringLiterals;

namespace lanfan::printing {

namespace {

const QStringList kGroupA{u"公司名称"_s, u"订单号码"_s, u"制单员"_s, u"送餐员"_s, u"订餐日期"_s, u"订餐时间"_s, u"送餐时间"_s,
                          u"姓名"_s, u"电话"_s, u"地址"_s, u"单位"_s, u"区域"_s, u"合计"_s, u"合计份数"_s, u"原价合计"_s,
                          u"折扣率"_s, u"支付方式"_s, u"发货备注"_s, u"客户备注"_s, u"使用积分"_s};
const QStringList kGroupR{u"优惠金额"_s, u"前次积分"_s, u"客户类型"_s, u"手工编码"_s, u"抹零金额"_s, u"账户余额"_s};
const QStringList kGroupT{u"服务费率"_s, u"服务费"_s, u"税率"_s, u"税金"_s};
const QStringList kGroupK{u"订单号"_s, u"份数"_s, u"菜品"_s, u"单价"_s, u"口味"_s, u"类型"_s, u"该账单所有菜品总数"_s,
                          u"该账单该菜品总数"_s};

QSet<QString> setOf(std::initializer_list<QStringList> groups, const QStringList &extra = {}, const QStringList &without = {})
{
    QSet<QString> s;
    for (const auto &g : groups)
        for (const auto &n : g)
            s.insert(n);
    for (const auto &n : extra)
        s.insert(n);
    for (const auto &n : without)
        s.remove(n);
    return s;
}

QSet<QString> dineInReceipt()
{
    return setOf({kGroupA, kGroupR, kGroupT}, {u"收现"_s, u"找零"_s, u"餐台号"_s},
                 {u"使用积分"_s, u"区域"_s, u"发货备注"_s, u"客户备注"_s, u"折扣率"_s, u"优惠金额"_s, u"抹零金额"_s});
}

const Money kTen = Money::fromInt(10);

QString money2(Money m) { return m.toFixed(2); }

} // namespace

const SourceProfile &profileOf(PrintSource source)
{
    static const QList<SourceProfile> profiles{
        {PrintSource::CallPopup, u"Txiaoshou2"_s, true, false, false, u"B小票"_s, u"B小票是否打印"_s, u"C小票是否打印"_s,
         u"默认打印份数"_s, false, true, false, false},
        {PrintSource::Takeaway, u"Txiaoshou"_s, true, false, false, u"B小票"_s, u"B小票是否打印"_s, u"C小票是否打印"_s,
         u"默认打印份数"_s, true, false, false, false},
        {PrintSource::Modification, u"TFdingdan_xiugai"_s, true, false, true, u"B小票"_s, u"B小票是否打印"_s,
         u"C小票是否打印"_s, u"默认打印份数"_s, false, false, true, false},
        {PrintSource::DineIn, u"Txiaoshou_tangshi"_s, true, true, false, u"堂食B小票"_s, u"堂食B小票是否打印"_s,
         u"堂食C小票是否打印"_s, u"默认打印份数堂食"_s, false, false, false, false},
        {PrintSource::Retail, u"Txiaoshou_tiaoma"_s, true, true, false, QString(), QString(), QString(),
         u"默认打印份数堂食"_s, false, false, false, false},
        {PrintSource::Reprint, u"Tmain"_s, false, false, true, u"B小票"_s, u"B小票是否打印"_s, u"C小票是否打印"_s,
         u"默认打印份数"_s, true, false, false, true},
    };
    return profiles[int(source)];
}

QString sourceName(PrintSource source)
{
    static const QStringList names{u"call"_s, u"takeaway"_s, u"modification"_s, u"dinein"_s, u"retail"_s, u"reprint"_s};
    return names[int(source)];
}

bool parseSource(const QString &text, PrintSource *source)
{
    for (int n = 0; n <= int(PrintSource::Reprint); ++n)
        if (sourceName(PrintSource(n)) == text) {
            *source = PrintSource(n);
            return true;
        }
    return false;
}

QSet<QString> answeredVariables(PrintSource source, TemplateKind kind)
{
    const QStringList wide{u"本次积分"_s, u"送餐日期"_s};
    switch (source) {
    case PrintSource::CallPopup:
    case PrintSource::Takeaway:
        switch (kind) {
        case TemplateKind::Receipt: return setOf({kGroupA, kGroupR, kGroupT}, wide);
        case TemplateKind::BTicket:
        case TemplateKind::CTicket: return setOf({kGroupA}, wide);
        case TemplateKind::OneDish: return setOf({kGroupA, kGroupK}, wide);
        }
        break;
    case PrintSource::Modification:
        switch (kind) {
        case TemplateKind::Receipt: return setOf({kGroupA, kGroupR, kGroupT}, wide);
        case TemplateKind::BTicket:
        case TemplateKind::CTicket: return setOf({kGroupA});
        case TemplateKind::OneDish: return setOf({kGroupA, kGroupK});
        }
        break;
    case PrintSource::DineIn:
        switch (kind) {
        case TemplateKind::Receipt: return dineInReceipt();
        case TemplateKind::BTicket:
        case TemplateKind::CTicket:
            return setOf({{u"公司名称"_s, u"订单号码"_s, u"制单员"_s, u"送餐员"_s, u"订餐日期"_s, u"订餐时间"_s, u"送餐时间"_s,
                           u"姓名"_s, u"电话"_s, u"地址"_s, u"单位"_s, u"合计"_s, u"合计份数"_s, u"支付方式"_s, u"餐台号"_s}});
        case TemplateKind::OneDish: return setOf({kGroupK}, {u"订餐时间"_s});
        }
        break;
    case PrintSource::Retail:
        if (kind == TemplateKind::Receipt) {
            QSet<QString> s = dineInReceipt();
            s.remove(u"原价合计"_s);
            s.remove(u"账户余额"_s);
            s.remove(u"餐台号"_s);
            return s;
        }
        return {};
    case PrintSource::Reprint:
        switch (kind) {
        case TemplateKind::Receipt: return setOf({kGroupA, kGroupR, kGroupT}, {u"本次积分"_s, u"送餐日期"_s, u"餐台号"_s});
        case TemplateKind::BTicket: return setOf({kGroupA, kGroupR}, {u"送餐日期"_s, u"餐台号"_s});
        case TemplateKind::CTicket: return setOf({kGroupA, kGroupR}, {u"餐台号"_s});
        case TemplateKind::OneDish: return setOf({kGroupA, kGroupR, kGroupK}, {u"餐台号"_s});
        }
        break;
    }
    return {};
}

QMap<QString, QString> orderValues(const PrintOrder &o, PrintSource source, const Settings &settings)
{
    const Money listTotal = o.listTotal();
    const Money d = o.discount;
    const Money saved = kTen - d; // tenths knocked off
    Money discountAmount;
    if (source == PrintSource::Reprint) {
        // What the discount took off, recovered from the discounted total.
        discountAmount = d.isZero() ? listTotal : (o.total + o.rounding).dividedBy(d).times(saved);
    } else {
        discountAmount = listTotal.times(saved).dividedBy(kTen);
    }
    const Money base = listTotal.times(d).dividedBy(kTen) - o.rounding;
    Money pointsRule = Money::parseOrZero(settings.shop(u"积分规则"_s));
    if (pointsRule.isZero())
        pointsRule = Money::fromInt(1);

    QMap<QString, QString> v;
    v[u"公司名称"_s] = settings.shop(u"店名"_s);
    v[u"订单号码"_s] = o.orderNumber;
    v[u"制单员"_s] = o.operatorName;
    v[u"送餐员"_s] = o.worker;
    v[u"订餐日期"_s] = o.orderDate;
    v[u"订餐时间"_s] = o.orderTime;
    v[u"送餐日期"_s] = o.deliveryDate;
    v[u"送餐时间"_s] = o.deliveryTime;
    v[u"姓名"_s] = o.customerName;
    v[u"电话"_s] = o.phone;
    v[u"地址"_s] = o.address;
    v[u"单位"_s] = o.company;
    v[u"区域"_s] = o.area;
    v[u"合计"_s] = money2(o.total);
    v[u"合计份数"_s] = quantityText(o.portions());
    v[u"原价合计"_s] = money2(listTotal);
    v[u"折扣率"_s] = d == kTen ? u"无"_s : d.toString();
    v[u"优惠金额"_s] = money2(discountAmount);
    v[u"抹零金额"_s] = money2(o.rounding);
    v[u"支付方式"_s] = o.payment;
    v[u"发货备注"_s] = o.note;
    v[u"客户备注"_s] = o.customerRemark;
    v[u"客户类型"_s] = o.customerType;
    v[u"手工编码"_s] = o.memberCode;
    v[u"使用积分"_s] = o.pointsUsed.toString();
    v[u"前次积分"_s] = o.previousPoints.toString();
    v[u"本次积分"_s] = (o.previousPoints + o.total.dividedBy(pointsRule)).toString();
    v[u"账户余额"_s] = money2(o.balance);
    v[u"餐台号"_s] = o.tableNumber;
    v[u"服务费率"_s] = o.serviceRate.toString();
    v[u"税率"_s] = o.taxRate.toString();
    v[u"服务费"_s] = money2(o.serviceRate.times(base).dividedBy(Money::fromInt(100)));
    v[u"税金"_s] = money2(o.taxRate.times(base).dividedBy(Money::fromInt(100)));
    v[u"收现"_s] = money2(o.cash);
    v[u"找零"_s] = money2(o.change);
    return v;
}

QMap<QString, QString> templateValues(const PrintOrder &order, PrintSource source, TemplateKind kind,
                                      const Settings &settings)
{
    const QSet<QString> names = answeredVariables(source, kind);
    const QMap<QString, QString> all = orderValues(order, source, settings);
    QMap<QString, QString> out;
    for (auto it = all.begin(); it != all.end(); ++it)
        if (names.contains(it.key()))
            out.insert(it.key(), it.value());
    return out;
}

QMap<QString, QString> oneDishValues(const PrintOrder &o, const PrintLine &line, PrintSource source)
{
    const QList<PrintLine> &counted = (source == PrintSource::Modification || source == PrintSource::Reprint)
                                          ? o.savedLines
                                          : o.lines;
    Money all, same;
    for (const auto &l : counted) {
        all += l.quantity;
        if (l.dish == line.dish)
            same += l.quantity;
    }
    const bool returned = source == PrintSource::Modification && line.quantity < Money();
    return {{u"订单号"_s, o.orderNumber},
            {u"份数"_s, quantityText(line.quantity)},
            {u"菜品"_s, line.dish},
            {u"单价"_s, money2(line.price)},
            {u"口味"_s, line.flavour},
            {u"类型"_s, returned ? u"退菜"_s : u"点菜"_s},
            {u"该账单所有菜品总数"_s, quantityText(all)},
            {u"该账单该菜品总数"_s, quantityText(same)}};
}

QMap<QString, QString> lineValues(const PrintLine &l)
{
    return {{u"产品名称"_s, l.dish},
            {u"口味"_s, l.flavour},
            {u"单价"_s, money2(l.price)},
            {u"数量"_s, quantityText(l.quantity)},
            {u"应付货款"_s, money2(l.amount)},
            {u"后厨打印机"_s, l.kitchenPrinter}};
}

} // namespace lanfan::printing
