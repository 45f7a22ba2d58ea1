#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace lanfan::printing {

// Layout units: pixels of 96 per inch, as the shop's margin values and the
// page-height rules count them. 76 mm roll paper is 287 units wide.
constexpr double kUnitsPerInch = 96.0;
constexpr double unitsFromMm(double mm) { return mm * kUnitsPerInch / 25.4; }
constexpr double mmFromUnits(double units) { return units * 25.4 / kUnitsPerInch; }

// One thing drawn on a page, at a position in layout units measured from the
// page's top-left corner (margins already applied).
struct PrintItem {
    enum class Kind { Text, Line, Box, Image, Html };

    Kind kind = Kind::Text;
    QRectF rect;
    QString text;          // Text: the words; Image: file path; Html: the document
    double pointSize = 9;
    bool bold = false;
    bool visible = true;   // false: drawn in white, keeping its place
    int align = 0x0001 | 0x0080; // Qt::AlignLeft | Qt::AlignVCenter
    bool dashed = false;   // Line
};

// One page of a ticket: its size and what is on it.
struct PrintPage {
    QString name;
    double width = 0;  // layout units
    double height = 0; // layout units
    QList<PrintItem> items;

    double widthMm() const { return mmFromUnits(width); }
    double heightMm() const { return mmFromUnits(height); }
    // Texts drawn visibly, top to bottom as added.
    QStringList visibleTexts() const;
    // The first text item whose text starts with `prefix`; nullptr when none.
    const PrintItem *findText(const QString &prefix) const;
    QList<const PrintItem *> textItems(const QString &prefix) const;
};

} // namespace lanfan::printing
