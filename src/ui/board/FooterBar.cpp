#include "FooterBar.h"

#include "BoardModel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

namespace lanfan {

FooterBar::FooterBar(QTableView *view, QWidget *parent) : QWidget(parent), m_view(view)
{
    QHeaderView *header = view->horizontalHeader();
    auto repaint = [this] { update(); };
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void FooterBar::setText(int column, const QString &text)
{
    if (column < 0)
        return;
    m_texts.insert(column, text);
    update();
}

void FooterBar::clear()
{
    m_texts.clear();
    update();
}

QSize FooterBar::sizeHint() const
{
    return {100, fontMetrics().height() + 8};
}

void FooterBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), BoardModel::footerColour());
    QHeaderView *header = m_view->horizontalHeader();
    // The cells start where the grid's viewport starts.
    const int offset = mapFromGlobal(m_view->viewport()->mapToGlobal(QPoint(0, 0))).x();
    p.setPen(palette().color(QPalette::Mid));
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        const int x = offset + header->sectionViewportPosition(logical);
        const int w = header->sectionSize(logical);
        if (x + w < 0 || x > width())
            continue;
        const QRect cell(x, 0, w, height() - 1);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(cell);
        const QString t = m_texts.value(logical);
        if (!t.isEmpty()) {
            p.setPen(Qt::black);
            p.drawText(cell.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignRight, t);
        }
    }
}

} // namespace lanfan
