#pragma once

#include <QString>

namespace lanfan {

class Settings;

// The build as the main window's caption names it.
inline const QString kBuildVersion = QStringLiteral("2026.12.11.00.00");

// What the settings make of the main window, computed in one place so that
// the window only applies it.
struct MainWindowOptions {
    QString applicationTitle;    // also the program title of message boxes (程序名称)
    QString caption;             // the main window's caption
    bool english = false;        // 版本语言 = "英语"
    bool helpMenuVisible = true;       // hidden when 公司简称 is empty
    bool videoTutorialVisible = true;  // "网络视频教程" only for 公司简称 = "澜帆"
    bool dispatchVisible = true;       // 是否需要发货功能 = "需要"
    bool dineInVisible = true;         // 堂食功能 = "是"
    bool retailVisible = true;         // 零售功能 = "是"
    bool skinOn = true;                // 换肤 = "是"
};

// Reads the current values. `程序名称` counts as set only when it was read
// from the settings file (the loaded settings keep a built title otherwise).
MainWindowOptions mainWindowOptions(const Settings &settings, const QString &version = kBuildVersion);

} // namespace lanfan
