#include "PrintLayout.h"

namespace lanfan::printing {

QStringList PrintPage::visibleTexts() const
{
    QStringList out;
    for (const auto &i : items)
        if (i.kind == PrintItem::Kind::Text && i.visible && !i.text.trimmed().isEmpty())
            out << i.text;
    return out;
}

const PrintItem *PrintPage::findText(const QString &prefix) const
{
    for (const auto &i : items)
        if (i.kind == PrintItem::Kind::Text && i.text.startsWith(prefix))
            return &i;
    return nullptr;
}

QList<const PrintItem *> PrintPage::textItems(const QString &prefix) const
{
    QList<const PrintItem *> out;
    for (const auto &i : items)
        if (i.kind == PrintItem::Kind::Text && i.text.startsWith(prefix))
            out << &i;
    return out;
}

} // namespace lanfan::printing
