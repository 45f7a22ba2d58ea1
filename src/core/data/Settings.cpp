#include "Settings.h"

#include "Db.h"
#include "Schema.h"
#include "common/Money.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QString kKey = u"类型"_s;

} // namespace

const QList<SettingDef> &settingDefs()
{
    static const QList<SettingDef> defs = {
        {u"换肤"_s, u"是"_s},
        {u"图标显示"_s, u"大图标"_s},
        {u"双拼价格"_s, u"平均"_s},
        {u"口味打印"_s, u"不打印"_s},
        {u"开单后关闭"_s, u"关闭"_s},
        {u"是否串口打印机"_s, u"不是"_s},
        {u"打印机串口号"_s, u"com1"_s},
        {u"开单后打印"_s, u"打印预览"_s},
        {u"地址打印是否包含地区"_s, u"不包含"_s},
        {u"主界面显示"_s, u"全天"_s},
        {u"早中午分界线"_s, u"14:00:00"_s},
        {u"上下午分界线"_s, u"19:00:00"_s},
        {u"版本语言"_s, u"简体中文"_s},
        {u"默认打印份数"_s, u"1"_s},
        {u"默认打印份数堂食"_s, u"1"_s},
        {u"主项数据高度"_s, u"22"_s},
        {u"后厨打印机"_s, QString()},
        {u"开启钱箱"_s, u"否"_s},
        {u"钱箱端口"_s, u"LPT1"_s},
        {u"计算精度"_s, u"角分"_s},
        {u"营业延长时间"_s, u"0"_s},
        {u"默认自定义打印报表样式"_s, u"样式一"_s},
        {u"默认自定义堂食打印报表样式"_s, u"样式一"_s},
        {u"默认送餐分钟"_s, u"30"_s},
        {u"公司简称"_s, u"澜帆"_s},
        {u"QQ"_s, u"800088123"_s},
        {u"EMAIL"_s, u"support@lanfan.example"_s},
        {u"网站"_s, u"www.lanfan.example"_s},
        {u"电话"_s, u"400-000-0000"_s},
        {u"公司全称"_s, u"澜帆软件工作室"_s},
        {u"后厨打印机台数"_s, u"一台后厨打印机"_s},
        {u"程序名称"_s, QString()},
        {u"是否需要发货功能"_s, u"需要"_s},
        {u"B小票是否打印"_s, u"否"_s},
        {u"C小票是否打印"_s, u"否"_s},
        {u"C小票类型"_s, u"多菜一单"_s},
        {u"B小票打印机"_s, QString()},
        {u"C小票打印机"_s, QString()},
        {u"点菜方式"_s, u"双击"_s},
        {u"多份数停顿间隔"_s, u"2"_s},
        {u"自动粘贴到剪切板"_s, u"是"_s},
        {u"发货提醒功能"_s, u"是"_s},
        {u"发货提醒时间"_s, u"10"_s},
        {u"上税功能"_s, u"否"_s},
        {u"服务费率"_s, u"0"_s},
        {u"税率"_s, u"0"_s},
        {u"钱箱类型"_s, u"普通"_s},
        {u"主窗口显示订单"_s, u"显示当天订单"_s},
        {u"订单窗口是否最大化"_s, u"普通"_s},
        {u"新来电窗口位置"_s, u"遮挡老窗口"_s},
        {u"点菜显示库存"_s, u"不显示"_s},
        {u"已选菜区域双击动作"_s, u"删除"_s},
        {u"来电打印电话模式"_s, u"来电号码"_s},
        {u"录音模式"_s, u"摘机录音"_s},
        {u"下单后自动为给配送工发短信模式"_s, u"否"_s},
        {u"再次来电提醒时间"_s, u"2"_s},
        {u"客显功能"_s, u"否"_s},
        {u"客显串口号"_s, u"1"_s},
        {u"堂食功能"_s, u"是"_s},
        {u"零售功能"_s, u"是"_s},
        {u"堂食图标模式"_s, u"图标"_s},
        {u"Q型摘机灵敏度"_s, u"200"_s},
        {u"堂食B小票是否打印"_s, u"否"_s},
        {u"堂食C小票是否打印"_s, u"否"_s},
        {u"订单保存完毕提示"_s, u"是"_s},
        {u"地址姓名重复提示"_s, u"是"_s},
    };
    return defs;
}

bool isKnownSetting(const QString &name)
{
    for (const auto &d : settingDefs())
        if (d.name == name)
            return true;
    return false;
}

Settings::Settings(const QString &iniPath) : m_ini(iniPath)
{
    for (const auto &d : settingDefs()) {
        m_values.insert(d.name, d.defaultValue);
        m_sources.insert(d.name, Source::Default);
    }
}

void Settings::loadFile()
{
    m_ini.load();
    for (const auto &d : settingDefs()) {
        const QString v = m_ini.value(d.name, kKey, QString::fromLatin1(MissingMarker));
        if (v == QLatin1String(MissingMarker) && !m_ini.contains(d.name, kKey)) {
            m_values.insert(d.name, d.defaultValue);
            m_sources.insert(d.name, Source::Default);
        } else {
            m_values.insert(d.name, v);
            m_sources.insert(d.name, Source::File);
        }
    }
    // The main window builds the title when none is set, and keeps it as the
    // current value of 程序名称.
    if (m_values.value(u"程序名称"_s).isEmpty())
        setCurrent(u"程序名称"_s, programTitleFor(QString(), m_values.value(u"公司简称"_s)));
}

void Settings::loadShop(Db &db)
{
    m_shop.clear();
    m_shopSources.clear();
    m_shopOrder.clear();
    const SqlRow row = db.first(u"select * from 店名"_s);
    QStringList columns = findShopTable(u"店名"_s)->columnNames();
    for (const QString &c : row.values().keys())
        if (!columns.contains(c))
            columns << c;
    for (const QString &column : columns) {
        if (!row.values().contains(column))
            continue;
        QString text;
        const QVariant v = row.value(column);
        if (!v.isNull()) {
            if (v.metaType().id() == QMetaType::Double)
                text = Money::fromVariant(v).toString();
            else
                text = v.toString();
        }
        m_shop.insert(column, text);
        m_shopSources.insert(column, Source::Shop);
        m_shopOrder << column;
    }
    auto convert = [&](const QString &column, auto rule) {
        const QString before = m_shop.value(column);
        const QString after = rule(before);
        if (after != before || !m_shop.contains(column)) {
            m_shop.insert(column, after);
            m_shopSources.insert(column, Source::Derived);
            if (!m_shopOrder.contains(column))
                m_shopOrder << column;
        }
    };
    convert(u"打印幅面"_s, [](const QString &v) { return v == u"58mm" ? v : u"76mm"_s; });
    convert(u"积分规则"_s, [](const QString &v) { return v.trimmed().isEmpty() ? u"1"_s : v; });
    convert(u"单价修改"_s, [](const QString &v) { return v.trimmed().isEmpty() ? u"可以"_s : v; });
    convert(u"退菜规则"_s, [](const QString &v) { return v.trimmed().isEmpty() ? u"任意"_s : v; });
}

void Settings::loadAll(Db &db)
{
    loadShop(db);
    loadFile();
}

QString Settings::value(const QString &name) const
{
    Q_ASSERT_X(m_values.contains(name), "Settings::value", qPrintable(name));
    return m_values.value(name);
}

Settings::Source Settings::source(const QString &name) const
{
    return m_sources.value(name, Source::Default);
}

bool Settings::write(const QString &name, const QString &value)
{
    const bool ok = m_ini.write(name, kKey, value);
    m_values.insert(name, value);
    m_sources.insert(name, Source::File);
    return ok;
}

void Settings::setCurrent(const QString &name, const QString &value, Source source)
{
    m_values.insert(name, value);
    m_sources.insert(name, source);
}

QString Settings::shop(const QString &column) const
{
    return m_shop.value(column);
}

Settings::Source Settings::shopSource(const QString &column) const
{
    return m_shopSources.value(column, Source::Default);
}

void Settings::writeShop(Db &db, const QString &column, const QVariant &value)
{
    const TableDef *table = findShopTable(u"店名"_s);
    if (!table || !table->columnNames().contains(column))
        throw SqlError(u"店名 没有列 "_s + column);
    db.execute(u"update 店名 set "_s + quoteIdentifier(column) + u"=:v"_s, {{u"v"_s, value}});
    QString text = value.metaType() == QMetaType::fromType<Money>() ? value.value<Money>().toString() : value.toString();
    m_shop.insert(column, text);
    m_shopSources.insert(column, Source::Shop);
    if (!m_shopOrder.contains(column))
        m_shopOrder << column;
}

int Settings::intValue(const QString &name, int fallback) const
{
    bool ok = false;
    const int v = value(name).trimmed().toInt(&ok);
    return ok ? v : fallback;
}

QString programTitleFor(const QString &programName, const QString &companyShortName)
{
    if (!programName.isEmpty())
        return programName;
    if (companyShortName == u"澜帆")
        return companyShortName + u"电话订餐配送管理系统--中英文双语版"_s;
    return companyShortName + u"快餐外卖管理系统"_s;
}

QString sourceName(Settings::Source s)
{
    switch (s) {
    case Settings::Source::Default: return u"default"_s;
    case Settings::Source::File: return u"file"_s;
    case Settings::Source::Shop: return u"shop"_s;
    case Settings::Source::Derived: return u"derived"_s;
    }
    return {};
}

} // namespace lanfan
