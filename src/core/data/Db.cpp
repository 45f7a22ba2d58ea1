#include "Db.h"

#include "common/Money.h"

#include <QSqlError>
#include <QSqlRecord>
#include <QRegularExpression>

namespace lanfan {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

QString errorText(const QSqlError &e)
{
    QString t = e.databaseText();
    if (t.isEmpty())
        t = e.text();
    if (t.isEmpty())
        t = e.driverText();
    return t.trimmed();
}

} // namespace

QString quoteIdentifier(const QString &identifier)
{
    QString s = identifier;
    s.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

Money SqlRow::money(const QString &column) const
{
    return Money::fromVariant(m_values.value(column));
}

bool SqlRow::flag(const QString &column) const
{
    const QVariant v = m_values.value(column);
    if (v.metaType().id() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == u"1" || s == u"true" || s == u"t" || s == u"yes";
    }
    return v.toBool();
}

Db::Db(const QString &connectionName, std::unique_ptr<Dialect> dialect)
    : m_connectionName(connectionName), m_dialect(std::move(dialect))
{
}

Db::~Db()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isValid())
            db.close();
    }
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Db::handle() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

QString Db::rewriteNamed(const QString &sql, QStringList *names)
{
    QString out;
    out.reserve(sql.size());
    const int n = int(sql.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            // copy a quoted literal or identifier as it stands ('' escapes a quote)
            const QChar quote = c;
            out += c;
            ++i;
            while (i < n) {
                out += sql[i];
                if (sql[i] == quote) {
                    if (i + 1 < n && sql[i + 1] == quote) {
                        out += sql[++i];
                    } else {
                        break;
                    }
                }
                ++i;
            }
            continue;
        }
        if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            while (i < n && sql[i] != u'\n')
                out += sql[i++];
            if (i < n)
                out += sql[i];
            continue;
        }
        if (c == u':') {
            if (i + 1 < n && sql[i + 1] == u':') {
                out += u"::";
                ++i;
                continue;
            }
            if (i + 1 < n && isNameStart(sql[i + 1])) {
                int j = i + 1;
                while (j < n && isNameChar(sql[j]))
                    ++j;
                if (names)
                    names->append(sql.mid(i + 1, j - i - 1));
                out += u'?';
                i = j - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QSqlQuery Db::prepareAndRun(const QString &sql, const SqlParams &params)
{
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    QStringList names;
    const QString positional = rewriteNamed(sql, &names);
    if (!q.prepare(positional))
        throw SqlError(errorText(q.lastError()), sql);
    for (int i = 0; i < names.size(); ++i) {
        const QString &name = names[i];
        auto it = params.constFind(name);
        if (it == params.cend())
            it = params.constFind(u':' + name);
        if (it == params.cend())
            throw SqlError(QStringLiteral("参数 :%1 没有值").arg(name), sql);
        q.bindValue(i, m_dialect->bindValue(it.value()));
    }
    if (!q.exec())
        throw SqlError(errorText(q.lastError()), sql);
    return q;
}

QSqlQuery Db::exec(const QString &sql, const SqlParams &params)
{
    return prepareAndRun(sql, params);
}

int Db::execute(const QString &sql, const SqlParams &params)
{
    QSqlQuery q = prepareAndRun(sql, params);
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}

qint64 Db::insert(const QString &sql, const SqlParams &params)
{
    QSqlQuery q = prepareAndRun(sql, params);
    QVariant id = q.lastInsertId();
    q.finish();
    if ((!id.isValid() || id.isNull()) && !m_dialect->lastInsertIdQuery().isEmpty())
        id = scalar(m_dialect->lastInsertIdQuery());
    return id.toLongLong();
}

QVariant Db::scalar(const QString &sql, const SqlParams &params)
{
    QSqlQuery q = prepareAndRun(sql, params);
    QVariant v;
    if (q.next())
        v = q.value(0);
    q.finish();
    return v;
}

QList<SqlRow> Db::rows(const QString &sql, const SqlParams &params)
{
    QSqlQuery q = prepareAndRun(sql, params);
    QList<SqlRow> out;
    const QSqlRecord rec = q.record();
    const int cols = rec.count();
    QStringList names;
    for (int c = 0; c < cols; ++c)
        names << rec.fieldName(c);
    while (q.next()) {
        QVariantMap m;
        for (int c = 0; c < cols; ++c)
            m.insert(names[c], q.value(c));
        out.append(SqlRow(std::move(m)));
    }
    q.finish();
    return out;
}

SqlRow Db::first(const QString &sql, const SqlParams &params)
{
    QSqlQuery q = prepareAndRun(sql, params);
    SqlRow row;
    if (q.next()) {
        const QSqlRecord rec = q.record();
        QVariantMap m;
        for (int c = 0; c < rec.count(); ++c)
            m.insert(rec.fieldName(c), q.value(c));
        row = SqlRow(std::move(m));
    }
    q.finish();
    return row;
}

void Db::executeScript(const QString &script)
{
    const QStringList parts = script.split(QRegularExpression(QStringLiteral(";\\s*\\n")), Qt::SkipEmptyParts);
    for (QString stmt : parts) {
        stmt = stmt.trimmed();
        if (stmt.endsWith(u';'))
            stmt.chop(1);
        if (!stmt.isEmpty())
            execute(stmt);
    }
}

Transaction::Transaction(Db &db) : m_db(db)
{
    if (m_db.m_depth == 0) {
        m_db.execute(m_db.dialect().beginWrite());
        m_outer = true;
        try {
            const QString lock = m_db.dialect().lockForWriting();
            if (!lock.isEmpty())
                m_db.execute(lock);
        } catch (...) {
            m_db.execute(QStringLiteral("ROLLBACK"));
            throw;
        }
    }
    ++m_db.m_depth;
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    --m_db.m_depth;
    if (m_outer) {
        try {
            m_db.execute(QStringLiteral("ROLLBACK"));
        } catch (...) {
            // the connection is gone; nothing more can be undone here
        }
    }
}

void Transaction::commit()
{
    if (m_done)
        return;
    if (m_outer)
        m_db.execute(QStringLiteral("COMMIT"));
    --m_db.m_depth;
    m_done = true;
}

} // namespace lanfan
