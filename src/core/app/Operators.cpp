#include "app/Operators.h"

#include "app/AppContext.h"
#include "app/Passwords.h"
#include "data/Db.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QString kAdminName = u"admin"_s;

QString rightsColumn(int group)
{
    return u"Right"_s + QString::number(group);
}

} // namespace

const QList<RightsGroup> &rightsGroups()
{
    static const QList<RightsGroup> groups = {
        {1, u"基础数据"_s,
         {u"菜单管理"_s, u"客户管理"_s, u"配送员管理"_s, u"客户类型设置"_s, u"客户区域设置"_s,
          u"菜品风味设置"_s, u"菜品种类设置"_s, u"口味设置"_s}},
        {2, u"业务管理"_s,
         {u"销售开单"_s, u"发货"_s, u"收款"_s, u"签单"_s, u"删除订货单"_s, u"退货"_s, u"退款"_s,
          u"修改订货单"_s, u"订单打折"_s, u"订单抹零"_s, u"赠菜"_s, u"删除来电记录"_s, u"修改库存"_s,
          u"成品和配料入库"_s}},
        {3, u"查询统计"_s,
         {u"订单销售查询"_s, u"菜品销售汇总查询"_s, u"签单查询"_s, u"提成查询"_s, u"客户消费查询"_s,
          u"点单时间统计"_s, u"送餐时间统计"_s, u"订单删除查询"_s}},
        {4, u"系统设置"_s,
         {u"系统设置"_s, u"权限管理"_s, u"修改密码"_s, u"数据备份"_s, u"数据还原"_s, u"数据初始化"_s}},
        {5, u"帮助"_s, {u"帮助"_s, u"关于"_s}},
    };
    return groups;
}

const RightsGroup *rightsGroupByNode(const QString &text)
{
    for (const RightsGroup &g : rightsGroups())
        if (g.nodeText() == text)
            return &g;
    return nullptr;
}

Operators::Operators(AppContext &ctx) : m_ctx(ctx) {}

QStringList Operators::names() const
{
    QStringList names;
    for (const SqlRow &row : m_ctx.db().rows(u"select 用户 from 登陆 order by id"_s))
        names << row.text(u"用户"_s);
    return names;
}

static std::optional<OperatorRow> toOperatorRow(const QList<SqlRow> &rows)
{
    if (rows.isEmpty())
        return std::nullopt;
    const SqlRow &row = rows.first();
    return OperatorRow{int(row.integer(u"id"_s)), row.text(u"用户"_s), row.text(u"权限"_s)};
}

std::optional<OperatorRow> Operators::find(int id) const
{
    return toOperatorRow(m_ctx.db().rows(u"select id,用户,权限 from 登陆 where id=:id"_s, {{u"id"_s, id}}));
}

std::optional<OperatorRow> Operators::findByName(const QString &name) const
{
    return toOperatorRow(m_ctx.db().rows(u"select id,用户,权限 from 登陆 where 用户=:用户 order by id"_s,
                                         {{u"用户"_s, name}}));
}

QString Operators::rights(const QString &name, int group) const
{
    if (group < 1 || group > 9)
        return {};
    return m_ctx.db()
        .scalar(u"select %1 from 登陆 where 用户=:用户 order by id"_s.arg(rightsColumn(group)),
                {{u"用户"_s, name}})
        .toString();
}

QString Operators::saveRights(const QString &name, int group, const QList<bool> &ticks)
{
    const RightsGroup *g = nullptr;
    for (const RightsGroup &candidate : rightsGroups())
        if (candidate.number == group)
            g = &candidate;
    if (!g)
        return {};
    QString text;
    for (qsizetype i = 0; i < g->functions.size(); ++i)
        text += ticks.value(i, false) ? u'1' : u'0';
    m_ctx.db().execute(u"update 登陆 set %1=:right where 用户=:用户"_s.arg(rightsColumn(group)),
                       {{u"right"_s, text}, {u"用户"_s, name}});
    return text;
}

SaveResult Operators::save(const OperatorForm &form)
{
    Db &db = m_ctx.db();
    std::optional<OperatorRow> existing;
    if (form.id != 0) {
        existing = find(form.id);
        if (!existing)
            return {false, kEnterNameMessage};
    }
    // "admin" keeps its name.
    const QString name = existing && existing->name == kAdminName ? kAdminName : form.name.trimmed();
    if (name.isEmpty())
        return {false, kEnterNameMessage};
    if (form.password.isEmpty())
        return {false, kEnterPasswordMessage};
    if (form.password != form.repeat)
        return {false, kPasswordsDifferMessage};
    if (form.role.trimmed().isEmpty())
        return {false, kChooseRoleMessage};
    // A name belongs to one operator: the login picks the operator by name.
    const QList<SqlRow> same = db.rows(u"select id from 登陆 where 用户=:用户"_s, {{u"用户"_s, name}});
    for (const SqlRow &row : same)
        if (row.integer(u"id"_s) != form.id)
            return {false, kNameTakenMessage};

    const QString stored = hashPassword(form.password);
    if (!existing) {
        SqlParams params{{u"用户"_s, name}, {u"密码"_s, stored}, {u"权限"_s, form.role}, {u"r"_s, kNoRights}};
        db.execute(u"insert into 登陆 (用户,密码,权限,Right1,Right2,Right3,Right4,Right5,Right6,Right7,Right8,Right9) "
                   "values (:用户,:密码,:权限,:r,:r,:r,:r,:r,:r,:r,:r,:r)"_s,
                   params);
        return {true, {}};
    }
    db.execute(u"update 登陆 set 用户=:用户, 权限=:权限, 密码=:密码 where id=:id"_s,
               {{u"用户"_s, name}, {u"权限"_s, form.role}, {u"密码"_s, stored}, {u"id"_s, form.id}});
    Operator &current = m_ctx.currentOperator();
    if (current.name == existing->name) {
        current.name = name;
        current.role = form.role;
    }
    return {true, kOperatorChangedMessage};
}

QString Operators::checkDelete(const QString &nodeText, bool operatorNode) const
{
    if (nodeText == m_ctx.currentOperator().name)
        return kCannotDeleteSelfMessage;
    if (!operatorNode)
        return kChooseLowerNodeMessage;
    return {};
}

void Operators::remove(const QString &name)
{
    if (name == m_ctx.currentOperator().name)
        return;
    m_ctx.db().execute(u"delete from 登陆 where 用户=:用户"_s, {{u"用户"_s, name}});
}

void Operators::reloadCurrentOperator()
{
    Operator &current = m_ctx.currentOperator();
    const QList<SqlRow> rows = m_ctx.db().rows(u"select * from 登陆 where 用户=:nm order by id"_s,
                                               {{u"nm"_s, current.name}});
    if (rows.isEmpty())
        return;
    const SqlRow &row = rows.first();
    current.role = row.text(u"权限"_s);
    current.rights.clear();
    for (int i = 1; i <= 9; ++i)
        current.rights << row.text(rightsColumn(i));
}

QString Operators::changeOwnPassword(const QString &oldPassword, const QString &newPassword,
                                     const QString &repeat)
{
    if (newPassword.isEmpty())
        return kNewPasswordEmptyMessage;
    if (newPassword != repeat)
        return kNewPasswordsDifferMessage;
    Db &db = m_ctx.db();
    const QList<SqlRow> rows = db.rows(u"select id,密码 from 登陆 where 用户=:yh order by id"_s,
                                       {{u"yh"_s, m_ctx.currentOperator().name}});
    for (const SqlRow &row : rows) {
        if (!passwordMatches(row.text(u"密码"_s), oldPassword))
            continue;
        db.execute(u"update 登陆 set 密码=:mm where id=:id"_s,
                   {{u"mm"_s, hashPassword(newPassword)}, {u"id"_s, row.value(u"id"_s)}});
        return kPasswordChangedMessage;
    }
    return kOldPasswordWrongMessage;
}

QString Operators::changeInitPassword(const QString &oldPassword, const QString &newPassword,
                                      const QString &repeat)
{
    if (newPassword.isEmpty())
        return kNewPasswordEmptyMessage;
    if (newPassword != repeat)
        return kNewPasswordsDifferMessage;
    Db &db = m_ctx.db();
    Transaction tx(db);
    if (db.scalar(u"select count(*) from 初始化密码 where 初始化密码=:初始化密码"_s,
                  {{u"初始化密码"_s, oldPassword}})
            .toLongLong()
        == 0)
        return kOldPasswordWrongMessage;
    db.execute(u"update 初始化密码 set 初始化密码=:新密码 where 初始化密码=:初始化密码"_s,
               {{u"新密码"_s, newPassword}, {u"初始化密码"_s, oldPassword}});
    tx.commit();
    return kPasswordChangedMessage;
}

} // namespace lanfan
