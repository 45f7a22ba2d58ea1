#include "BoardLayout.h"

#include "data/Db.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace lanfan::board {

BoardLayoutStore::BoardLayoutStore(Db &db) : m_db(db) {}

BoardLayoutStore::Loaded BoardLayoutStore::load(const QStringList &knownFields)
{
    Loaded out;
    QSet<QString> seen;
    for (const SqlRow &r : m_db.rows(u"select 字段名称,排序编号,宽度 from 主窗口订单显示顺序 order by 排序编号"_s)) {
        const QString field = r.text(u"字段名称"_s).trimmed();
        if (!knownFields.contains(field) || seen.contains(field)) {
            out.broken = true;
            break;
        }
        seen.insert(field);
        const QVariant width = r.value(u"宽度"_s);
        out.columns.append({field, width.isNull() || width.toString().isEmpty() ? -1 : width.toInt()});
    }
    if (out.broken) {
        out.columns.clear();
        reset();
    }
    return out;
}

void BoardLayoutStore::save(const QList<ColumnLayout> &columns)
{
    Transaction t(m_db);
    m_db.execute(u"delete from 主窗口订单显示顺序"_s);
    for (int i = 0; i < columns.size(); ++i)
        m_db.execute(u"insert into 主窗口订单显示顺序 (字段名称,排序编号,宽度) values (:字段名称,:排序编号,:宽度)"_s,
                     {{u"字段名称"_s, columns[i].field},
                      {u"排序编号"_s, i},
                      {u"宽度"_s, columns[i].width < 0 ? QVariant() : QVariant(columns[i].width)}});
    t.commit();
}

void BoardLayoutStore::reset()
{
    m_db.execute(u"delete from 主窗口订单显示顺序"_s);
}

QList<ColumnLayout> mergedLayout(const QList<ColumnLayout> &stored, const QList<ColumnLayout> &defaults)
{
    QList<ColumnLayout> out;
    QSet<QString> named;
    for (const ColumnLayout &c : stored) {
        ColumnLayout col = c;
        if (col.width < 0) {
            for (const ColumnLayout &d : defaults)
                if (d.field == c.field)
                    col.width = d.width;
        }
        out << col;
        named.insert(c.field);
    }
    for (const ColumnLayout &d : defaults)
        if (!named.contains(d.field))
            out << d;
    return out;
}

bool colouringOn(Db &db)
{
    const QVariant v = db.scalar(db.dialect().firstRowOnly(u"select 需要颜色 from 颜色显示"_s));
    if (v.isNull())
        return true;
    return SqlRow({{u"v"_s, v}}).flag(u"v"_s);
}

void storeColouring(Db &db, bool on)
{
    Transaction t(db);
    if (db.execute(u"update 颜色显示 set 需要颜色=:需要颜色"_s, {{u"需要颜色"_s, on}}) == 0)
        db.execute(u"insert into 颜色显示 (需要颜色) values (:需要颜色)"_s, {{u"需要颜色"_s, on}});
    t.commit();
}

} // namespace board
