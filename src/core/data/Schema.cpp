#include "Schema.h"

#include "Db.h"
#include "common/Text.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

// The password a new database carries for its first operator; the login
// window shows it until it is changed.
const QString kInitialPassword = u"888"_s;

QString columnSql(const Dialect &d, const ColumnDef &c)
{
    QString s = quoteIdentifier(c.name) + u' ' + d.columnType(c.type, c.length);
    if (!c.defaultValue.isEmpty())
        s += u" DEFAULT "_s + c.defaultValue;
    return s;
}

// Our own upgrade steps. Step N brings a database from level N-1 to N; the
// table definition above always describes the newest level, so a new
// database is created at the newest level and runs no step.
struct UpgradeStep {
    int level;
    void (*apply)(Db &);
};

const QList<UpgradeStep> &upgradeSteps()
{
    static const QList<UpgradeStep> steps = {
        {1, [](Db &) {}}, // the first schema
        {2, [](Db &) {}}, // index for the customer list's busiest-first order (indexes are created by the ensure)
    };
    return steps;
}

const QString kLevelTable = u"架构版本"_s;

} // namespace

QStringList TableDef::columnNames() const
{
    QStringList out;
    for (const auto &c : columns)
        out << c.name;
    return out;
}

QString IndexDef::name() const
{
    return u"ix_"_s + table + u'_' + columns.join(u'_');
}

const QList<TableDef> &shopTables()
{
    static const QList<TableDef> tables = {
#include "SchemaTables.inc"
    };
    return tables;
}

const TableDef *findShopTable(const QString &name)
{
    for (const auto &t : shopTables())
        if (t.name == name)
            return &t;
    return nullptr;
}

const QList<IndexDef> &shopIndexes()
{
    static const QList<IndexDef> indexes = {
        {u"产品销售开票"_s, {u"单据编号"_s}},
        {u"产品销售开票"_s, {u"购物日期"_s}},
        {u"产品销售开票"_s, {u"送餐日期"_s}},
        {u"产品销售开票"_s, {u"开单日期时间"_s}},
        {u"产品销售开票"_s, {u"客户编号"_s}},
        {u"产品销售开票"_s, {u"产品名称"_s}},
        {u"产品销售开票"_s, {u"收款时间"_s}},
        {u"产品销售开票"_s, {u"发货时间"_s}},
        {u"订单删除日志"_s, {u"单据编号"_s}},
        {u"销售临时表"_s, {u"时间"_s}},
        {u"订单修改临时表"_s, {u"单据编号"_s}},
        {u"客户资料"_s, {u"手工编码"_s}},
        {u"客户资料"_s, {u"联系电话"_s}},
        {u"客户资料"_s, {u"购物次数"_s, u"购物金额"_s}},
        {u"多个地址"_s, {u"客户编号"_s}},
        {u"充值记录"_s, {u"客户编号"_s}},
        {u"充值记录"_s, {u"单据编号"_s}},
        {u"充值记录"_s, {u"充值时间"_s}},
        {u"来电历史记录表"_s, {u"来电时间"_s}},
        {u"来电历史记录表"_s, {u"电话号码"_s}},
        {u"菜单表"_s, {u"名称"_s}},
        {u"菜单表"_s, {u"拼音"_s}},
        {u"菜单表"_s, {u"食物总类"_s}},
        {u"套餐内容"_s, {u"套餐名称"_s}},
        {u"备选菜品"_s, {u"套餐名称"_s}},
        {u"菜品配料表"_s, {u"菜品名称"_s}},
        {u"采购进货明细表"_s, {u"货单编号"_s}},
        {u"采购退货明细表"_s, {u"货单编号"_s}},
        {u"fasongneirong"_s, {u"fasongwanbi"_s}},
    };
    return indexes;
}

const TableDef &patchTable()
{
    static const TableDef t{u"命令表"_s, {{u"版本号"_s, ColumnType::Text, 0, {}}, {u"sql语句"_s, ColumnType::Text, 0, {}}}};
    return t;
}

QString createTableSql(const Dialect &dialect, const TableDef &table)
{
    QStringList cols;
    for (const auto &c : table.columns)
        cols << columnSql(dialect, c);
    return u"CREATE TABLE IF NOT EXISTS "_s + quoteIdentifier(table.name) + u" ("_s + cols.join(u", "_s) + u')';
}

int latestSchemaLevel()
{
    return upgradeSteps().last().level;
}

int schemaLevel(Db &db)
{
    try {
        return db.scalar(u"select 级别 from "_s + kLevelTable).toInt();
    } catch (const SqlError &) {
        return 0;
    }
}

static void ensureTable(Db &db, const TableDef &t, const QSet<QString> &existing)
{
    if (!existing.contains(t.name)) {
        db.execute(createTableSql(db.dialect(), t));
        return;
    }
    // An older file may lack columns that were added later: add them.
    QSet<QString> have;
    for (const QString &c : db.dialect().columnsOf(db, t.name))
        have.insert(c.toLower());
    for (const auto &c : t.columns) {
        if (have.contains(c.name.toLower()) || c.type == ColumnType::AutoId)
            continue;
        db.execute(u"ALTER TABLE "_s + quoteIdentifier(t.name) + u" ADD COLUMN "_s + columnSql(db.dialect(), c));
    }
}

static void seedOneRowTables(Db &db)
{
    auto empty = [&](const QString &table) {
        return db.scalar(u"select count(*) from "_s + quoteIdentifier(table)).toLongLong() == 0;
    };
    if (empty(u"店名"_s)) {
        db.execute(u"insert into 店名 (店名,服务用语,电话,网址,打印样式,打印幅面,标题左边距,左边距,右边距,上边距,下边距,"
                   "打印图片,积分规则,积分抵现金,单价修改,退菜规则,提成设置,次提成金额) values "
                   "(:店名,:服务用语,'','',:打印样式,:打印幅面,0,0,0,0,0,:打印图片,1,0,:单价修改,:退菜规则,:提成设置,0)"_s,
                   {{u"店名"_s, u"快餐店"_s},
                    {u"服务用语"_s, u"谢谢惠顾，欢迎再次订餐！"_s},
                    {u"打印样式"_s, u"普通样式"_s},
                    {u"打印幅面"_s, u"76mm"_s},
                    {u"打印图片"_s, false},
                    {u"单价修改"_s, u"可以"_s},
                    {u"退菜规则"_s, u"任意"_s},
                    {u"提成设置"_s, u"次数"_s}});
    }
    if (empty(u"颜色显示"_s))
        db.execute(u"insert into 颜色显示 (需要颜色) values (:v)"_s, {{u"v"_s, true}});
    if (empty(u"串口编号"_s))
        db.execute(u"insert into 串口编号 (编号) values (0)"_s);
    if (empty(u"来电路数"_s))
        db.execute(u"insert into 来电路数 (路数) values ('MODEM')"_s);
    if (empty(u"录音设备"_s))
        db.execute(u"insert into 录音设备 (录音设备,路数) values ('','')"_s);
    if (empty(u"版本号"_s))
        db.execute(u"insert into 版本号 (版本号) values ('0')"_s);
    if (empty(u"初始化密码"_s))
        db.execute(u"insert into 初始化密码 (初始化密码) values ('405168')"_s);
}

QString ensureShopSchema(Db &db)
{
    const int level = schemaLevel(db);
    if (level >= latestSchemaLevel())
        return {};

    QString created;
    Transaction tx(db);
    QSet<QString> existing;
    {
        QSqlQuery q = db.exec(db.dialect().listTables());
        while (q.next())
            existing.insert(q.value(0).toString());
    }
    for (const auto &t : shopTables())
        ensureTable(db, t, existing);
    for (const auto &ix : shopIndexes())
        db.execute(u"CREATE INDEX IF NOT EXISTS "_s + quoteIdentifier(ix.name()) + u" ON "_s + quoteIdentifier(ix.table) + u" ("_s
                   + [&] { QStringList c; for (const auto &n : ix.columns) c << quoteIdentifier(n); return c.join(u','); }() + u')');
    seedOneRowTables(db);

    if (db.scalar(u"select count(*) from 登陆"_s).toLongLong() == 0) {
        const QString all = QString(31, u'1');
        db.execute(u"insert into 登陆 (用户,密码,权限,Right1,Right2,Right3,Right4,Right5,Right6,Right7,Right8,Right9) "
                   "values ('admin',:密码,'管理员',:r,:r,:r,:r,:r,:r,:r,:r,:r)"_s,
                   {{u"密码"_s, md5Hex(kInitialPassword)}, {u"r"_s, all}});
        created = kInitialPassword;
    }

    if (!existing.contains(kLevelTable)) {
        db.execute(u"CREATE TABLE IF NOT EXISTS "_s + quoteIdentifier(kLevelTable) + u" (级别 INTEGER)"_s);
        db.execute(u"insert into "_s + kLevelTable + u" (级别) values (0)"_s);
    }
    // A database created just now is already at the newest level.
    const bool fresh = !existing.contains(u"产品销售开票"_s);
    for (const auto &step : upgradeSteps()) {
        if (step.level > level && !fresh)
            step.apply(db);
    }
    db.execute(u"update "_s + kLevelTable + u" set 级别=:l"_s, {{u"l"_s, latestSchemaLevel()}});
    tx.commit();
    return created;
}

void ensurePatchSchema(Db &db)
{
    db.execute(createTableSql(db.dialect(), patchTable()));
}

QString initialPassword()
{
    return kInitialPassword;
}

} // namespace lanfan
