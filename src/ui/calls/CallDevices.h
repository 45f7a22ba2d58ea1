#pragma once

class QLineEdit;

namespace lanfan {

class AppContext;
class CallIntake;
class Tmain;

// Starts the caller-ID device chosen at login when the main window is first
// shown, feeds its numbers to the intake, keeps the device run log (menu
// entry "X型来电接收盒运行日志", saved when the program ends) and listens on
// the data folder's local call socket.
void connectCallDevices(Tmain &main, AppContext &context, CallIntake &intake, QLineEdit *phoneBox);

} // namespace lanfan
