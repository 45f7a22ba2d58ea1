#include "LoginUpgrades.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

LoginUpgrade convert(const QString &table, const QString &column, const QString &type)
{
    return {table, column, type, {}, {}};
}

LoginUpgrade update(const QString &sql, const SqlParams &params = {})
{
    return {{}, {}, {}, sql, params};
}

void run(Db &db, const LoginUpgrade &step)
{
    // Unquoted: SQLite reads an unknown quoted name as a text literal, which
    // would hide a missing column.
    if (step.isConversion())
        db.exec(u"select "_s + step.column + u" from "_s + step.table + u" where 1=0"_s);
    else
        db.execute(step.sql, step.params);
}

} // namespace

const QList<LoginUpgrade> &loginUpgrades()
{
    static const QList<LoginUpgrade> steps = {
        convert(u"fasongneirong"_s, u"shouji"_s, u"text (255)"_s),
        convert(u"产品销售开票"_s, u"购物日期"_s, u"datetime"_s),
        convert(u"产品销售开票"_s, u"电话"_s, u"text (255)"_s),
        convert(u"来电历史记录表"_s, u"来电时间"_s, u"datetime"_s),
        convert(u"来电历史记录表"_s, u"录音文件"_s, u"text (255)"_s),
        convert(u"订单删除日志"_s, u"购物日期"_s, u"datetime"_s),
        convert(u"产品销售开票"_s, u"送餐日期"_s, u"datetime"_s),
        convert(u"产品销售开票"_s, u"收款时间"_s, u"datetime"_s),
        convert(u"产品销售开票"_s, u"发货时间"_s, u"datetime"_s),
        convert(u"产品销售开票"_s, u"数量"_s, u"money"_s),
        update(u"update 种类 set 排序编号=编号 where 排序编号 is null"_s),
        update(u"update 菜单表 set 排序编号=id where 排序编号 is null"_s),
        update(u"update 菜单表 set 当前库存=0,单位成本=0,库存总额=0 where 当前库存 is null"_s),
        update(u"update 订单删除日志 set 删除人=:删除人 where 删除人 is null"_s, {{u"删除人"_s, u"老记录"_s}}),
        convert(u"客户资料"_s, u"联系电话"_s, u"text (255)"_s),
        convert(u"多个地址"_s, u"客户编号"_s, u"integer"_s),
        convert(u"采购进货主表"_s, u"填表日期"_s, u"datetime"_s),
        convert(u"采购进货明细表"_s, u"填表日期"_s, u"datetime"_s),
        convert(u"订单删除日志"_s, u"电话"_s, u"text (255)"_s),
        convert(u"订单删除日志"_s, u"地址"_s, u"text (255)"_s),
        update(u"update 种类 set 是否参与打折=:是否参与打折 where 是否参与打折 is null"_s, {{u"是否参与打折"_s, u"是"_s}}),
        update(u"update 菜单表 set 是否参与打折=:是否参与打折 where 是否参与打折 is null"_s, {{u"是否参与打折"_s, u"是"_s}}),
    };
    return steps;
}

QString runLoginUpgrades(Db &db, const std::function<void(int)> &wait)
{
    const QList<LoginUpgrade> &steps = loginUpgrades();
    try {
        for (qsizetype i = 0; i < steps.size(); ++i) {
            if (i == 0) {
                try {
                    run(db, steps[0]);
                } catch (const SqlError &) {
                    db.execute(u"delete from fasongneirong"_s);
                    if (wait)
                        wait(1000);
                    run(db, steps[0]);
                }
                continue;
            }
            run(db, steps[i]);
        }
    } catch (const SqlError &e) {
        return e.text();
    }
    return {};
}

} // namespace lanfan
