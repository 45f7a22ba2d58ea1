#pragma once

#include "app/DeviceMode.h"
#include "data/DataFolder.h"
#include "data/Db.h"
#include "data/Settings.h"

#include <QStringList>

#include <memory>

namespace lanfan {

class Clock;
class Prompter;

namespace printing {
class KitchenLog;
}

// The operator logged in for this run, with his role and rights strings.
struct Operator {
    QString name;
    QString role;
    QStringList rights; // Right1 .. Right9

    bool isAdministrator() const { return role == QStringLiteral("管理员"); }
    // Right `position` (from 1) of group `group` (1..9): its character is "1".
    bool may(int group, int position) const
    {
        if (group < 1 || group > rights.size() || position < 1)
            return false;
        const QString &r = rights[group - 1];
        return position <= r.size() && r[position - 1] == u'1';
    }
};

// What every service and window is handed: the database, the current
// settings, the operator, the clock and the prompter. Created at start-up.
class AppContext {
public:
    AppContext(DataFolder folder, std::unique_ptr<Db> db, const Clock &clock, Prompter &prompter);
    ~AppContext();

    Db &db() { return *m_db; }
    Settings &settings() { return m_settings; }
    const Clock &clock() const { return m_clock; }
    Prompter &prompter() { return *m_prompterPtr; }
    const DataFolder &folder() const { return m_folder; }
    Operator &currentOperator() { return m_operator; }
    const Operator &currentOperator() const { return m_operator; }
    // The caller-ID device chosen at login; empty before the login.
    CallDeviceMode &deviceMode() { return m_deviceMode; }
    const CallDeviceMode &deviceMode() const { return m_deviceMode; }

    // Replaces the prompter (tests, or the desktop prompter once a window exists).
    void setPrompter(Prompter &prompter) { m_prompterPtr = &prompter; }

    // The kitchen ticket log of this run ("后厨打印命令发送日志"); its lines
    // also go to the log file of the data folder.
    printing::KitchenLog &kitchenLog();

    // Title of the main window and of the question boxes.
    QString programTitle() const { return m_settings.value(QStringLiteral("程序名称")); }

private:
    DataFolder m_folder;
    std::unique_ptr<Db> m_db;
    Settings m_settings;
    const Clock &m_clock;
    Prompter *m_prompterPtr;
    Operator m_operator;
    CallDeviceMode m_deviceMode;
    std::unique_ptr<printing::KitchenLog> m_kitchenLog;
};

} // namespace lanfan
