#pragma once

#include <QDialog>

#include <functional>

class QPlainTextEdit;

namespace lanfan {

class AppContext;
class DeviceRunLog;

// "X型及串口MODEM运行日志": the lines of the serial caller-ID devices' run
// log, following new lines while open, with "另存为".
class TFxlaidian_rizhi : public QDialog {
    Q_OBJECT
public:
    TFxlaidian_rizhi(AppContext &ctx, DeviceRunLog &log, QWidget *parent = nullptr);

    // Where "另存为" asks for the file; tests replace the dialog.
    std::function<QString()> askFileName;

    void saveAs();

private:
    AppContext &m_ctx;
    DeviceRunLog &m_log;
    QPlainTextEdit *m_text;
};

} // namespace lanfan
