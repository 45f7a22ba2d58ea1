#pragma once

#include <QDialog>

class QTableWidget;
class QTimeEdit;
class QLineEdit;
class QPushButton;

namespace lanfan {

class AppContext;

// "优惠时段设置": the list of discount periods, with "新建" and "删除".
class TFyouhui_shiduan : public QDialog {
    Q_OBJECT
public:
    explicit TFyouhui_shiduan(AppContext &ctx, QWidget *parent = nullptr);

    void reload();

private:
    void addPeriod();
    void removePeriod();

    AppContext &m_ctx;
    QTableWidget *m_grid;
    QTimeEdit *m_from;
    QTimeEdit *m_to;
    QLineEdit *m_rate;
    QPushButton *m_add;
    QPushButton *m_remove;
};

} // namespace lanfan
