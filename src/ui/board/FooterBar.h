#pragma once

#include <QHash>
#include <QWidget>

class QTableView;

namespace lanfan {

// The footer line under a grid: one cell per column, following the
// columns' order, widths and horizontal scrolling, in the footer colour.
class FooterBar : public QWidget {
    Q_OBJECT
public:
    explicit FooterBar(QTableView *view, QWidget *parent = nullptr);

    // Text of the footer cell of a column (a logical column of the view's model).
    void setText(int column, const QString &text);
    QString text(int column) const { return m_texts.value(column); }
    void clear();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTableView *m_view;
    QHash<int, QString> m_texts;
};

} // namespace lanfan
