#include "TFkehu_daoru.h"

#include "app/AppContext.h"
#include "common/Prompter.h"
#include "customers/CustomerSheet.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lanfan {

TFkehu_daoru::TFkehu_daoru(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(u"TFkehu_daoru"_s);
    setWindowTitle(u"客户资料导入"_s);
    auto *root = new QVBoxLayout(this);
    auto *hint = new QLabel(u"请选择与导出文件相同格式（A列至S列）的EXCEL文件（.xlsx）或CSV文件，从第2行开始导入。"_s, this);
    hint->setWordWrap(true);
    root->addWidget(hint);
    auto *warn = new QLabel(u"****联系地址（H列）如果为空，自动停止导入****"_s, this);
    warn->setObjectName(u"Label2"_s);
    warn->setStyleSheet(u"color: red;"_s);
    root->addWidget(warn);
    auto *start = new QPushButton(u"开始导入"_s, this);
    start->setObjectName(u"开始导入"_s);
    start->setAutoDefault(false);
    root->addWidget(start);
    root->addWidget(new QLabel(u"导入失败的EXCEL行号"_s, this));
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(u"Memo1"_s);
    m_memo->setReadOnly(true);
    root->addWidget(m_memo, 1);
    connect(start, &QPushButton::clicked, this, &TFkehu_daoru::startImport);
    resize(460, 420);

    chooseFile = [this] {
        return QFileDialog::getOpenFileName(this, u"客户资料导入"_s,
                                            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                            u"EXCEL文件 (*.xlsx);;CSV文件 (*.csv)"_s);
    };
}

void TFkehu_daoru::startImport()
{
    const QString path = chooseFile ? chooseFile() : QString();
    if (path.isEmpty())
        return;
    m_memo->clear();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SheetRead read = readSheet(path);
    QApplication::restoreOverrideCursor();
    if (!read.ok()) {
        m_ctx.prompter().warning(u"无法读取该文件，没有导入任何数据：\n"_s + read.error);
        return;
    }

    const int total = CustomerImporter::rowsToImport(read.sheet);
    std::unique_ptr<QProgressDialog> progress;
    if (total > ProgressAbove) {
        progress = std::make_unique<QProgressDialog>(u"正在导入客户资料..."_s, u"停止"_s, 0, total, this);
        progress->setObjectName(u"ProgressDialog"_s);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setValue(0);
    }
    ImportOutcome out;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        out = CustomerImporter(m_ctx.db()).run(read.sheet, [&](int done, int) {
            if (!progress)
                return true;
            if (done % 50 == 0 || done == total)
                progress->setValue(done);
            return !progress->wasCanceled();
        });
    } catch (const SqlError &e) {
        QApplication::restoreOverrideCursor();
        m_ctx.prompter().error(e.text());
        Q_EMIT imported(out.imported);
        return;
    }
    QApplication::restoreOverrideCursor();
    progress.reset();
    m_memo->setPlainText(out.memo.join(u'\n'));
    m_ctx.prompter().information(CustomerImporter::finishedMessage());
    Q_EMIT imported(out.imported);
}

} // namespace lanfan
