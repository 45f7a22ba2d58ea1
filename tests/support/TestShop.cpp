#include "TestShop.h"

#include <QFile>
#include <QtTest>

namespace lanfan::test {

TestShop::TestShop(const std::function<void(const DataFolder &)> &prepare)
    : m_folder(m_dir.path()), m_clock(QDateTime(QDate(2026, 12, 11), QTime(12, 0)))
{
    if (!m_dir.isValid())
        qFatal("no temporary folder");
    m_folder.ensure();
    if (prepare)
        prepare(m_folder);
    auto db = openShopDatabase(m_folder, m_clock, &m_outcome);
    if (!db)
        qFatal("test shop database not opened: %s", qPrintable(m_outcome.message));
    m_context = std::make_unique<AppContext>(m_folder, std::move(db), m_clock, m_prompter);
    m_context->settings().loadAll(m_context->db());
}

std::unique_ptr<Db> TestShop::secondConnection() const
{
    static int n = 0;
    return openSqliteFile(m_folder.shopDatabase(), QStringLiteral("second-%1").arg(++n));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
}

} // namespace lanfan::test
