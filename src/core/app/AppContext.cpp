#include "AppContext.h"

namespace lanfan {

AppContext::AppContext(DataFolder folder, std::unique_ptr<Db> db, const Clock &clock, Prompter &prompter)
    : m_folder(std::move(folder)), m_db(std::move(db)), m_settings(m_folder.settingsIni()), m_clock(clock),
      m_prompterPtr(&prompter)
{
}

AppContext::~AppContext() = default;

} // namespace lanfan
