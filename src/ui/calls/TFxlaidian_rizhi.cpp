#include "TFxlaidian_rizhi.h"

#include "app/AppContext.h"
#include "calls/DeviceRunLog.h"
#include "common/Prompter.h"
#include "data/DataFolder.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lanfan {

TFxlaidian_rizhi::TFxlaidian_rizhi(AppContext &ctx, DeviceRunLog &log, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_log(log)
{
    setObjectName(u"TFxlaidian_rizhi"_s);
    setWindowTitle(u"X型及串口MODEM运行日志"_s);
    resize(720, 480);
    auto *layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"Memo1"_s);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setPlainText(log.text());
    layout->addWidget(m_text);
    connect(&log, &DeviceRunLog::lineAdded, m_text, &QPlainTextEdit::appendPlainText);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *save = new QPushButton(u"另存为"_s, this);
    save->setObjectName(u"Button1"_s);
    auto *close = new QPushButton(u"关闭"_s, this);
    close->setObjectName(u"Button2"_s);
    buttons->addWidget(save);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &TFxlaidian_rizhi::saveAs);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    askFileName = [this] {
        return QFileDialog::getSaveFileName(this, u"另存为"_s,
                                            QDir(m_ctx.folder().logs()).filePath(DeviceRunLog::runLogFileName()),
                                            u"文本文件 (*.txt);;所有文件 (*)"_s);
    };
}

void TFxlaidian_rizhi::saveAs()
{
    const QString path = askFileName ? askFileName() : QString();
    if (path.isEmpty())
        return;
    QString error;
    if (!m_log.saveTo(path, &error))
        m_ctx.prompter().error(u"保存失败："_s + error);
}

} // namespace lanfan
