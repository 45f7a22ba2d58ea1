#include "AppContext.h"

#include "printing/KitchenLog.h"

#include <QDir>

namespace lanfan {

AppContext::AppContext(DataFolder folder, std::unique_ptr<Db> db, const Clock &clock, Prompter &prompter)
    : m_folder(std::move(folder)), m_db(std::move(db)), m_settings(m_folder.settingsIni()), m_clock(clock),
      m_prompterPtr(&prompter)
{
}

AppContext::~AppContext() = default;

printing::KitchenLog &AppContext::kitchenLog()
{
    if (!m_kitchenLog)
        m_kitchenLog = std::make_unique<printing::KitchenLog>(
            QDir(m_folder.logs()).filePath(printing::KitchenLog::fileName()));
    return *m_kitchenLog;
}

} // namespace lanfan
