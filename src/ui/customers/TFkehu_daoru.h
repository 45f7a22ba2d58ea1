#pragma once

#include <QDialog>

#include <functional>

class QPlainTextEdit;

namespace lanfan {

class AppContext;

// "客户资料导入": imports customers from an .xlsx or .csv file laid out in
// columns A to S. Rows that fail are listed in the memo; `imported` tells
// the customer list to reload by id.
class TFkehu_daoru : public QDialog {
    Q_OBJECT
public:
    explicit TFkehu_daoru(AppContext &ctx, QWidget *parent = nullptr);

    // Asks for the file; the open dialog unless replaced (tests).
    std::function<QString()> chooseFile;
    // Files with more rows than this show a progress dialog.
    static constexpr int ProgressAbove = 300;

    // "开始导入".
    void startImport();

Q_SIGNALS:
    void imported(int count);

private:
    AppContext &m_ctx;
    QPlainTextEdit *m_memo = nullptr;
};

} // namespace lanfan
