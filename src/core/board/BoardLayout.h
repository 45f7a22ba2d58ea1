#pragma once

#include "BoardQueries.h"

namespace lanfan {

class Db;

namespace board {

// The board's column order and widths, kept in 主窗口订单显示顺序: one row
// per column with its field, its position from 0 and its width.
class BoardLayoutStore {
public:
    explicit BoardLayoutStore(Db &db);

    // The stored layout. Empty when nothing is stored. A row naming a field
    // the board does not have, or naming one twice, makes the layout broken:
    // the rows are erased and `broken` is set.
    struct Loaded {
        QList<ColumnLayout> columns;
        bool broken = false;
    };
    Loaded load(const QStringList &knownFields);
    // Replaces the stored layout with `columns` in their order.
    void save(const QList<ColumnLayout> &columns);
    // Erases the stored layout; the default one returns at the next start.
    void reset();

    static QString brokenMessage() { return QStringLiteral("数据显示错误，请重新登录软件！！"); }
    static QString resetMessage() { return QStringLiteral("请重新登录软件！！"); }

private:
    Db &m_db;
};

// The layout to apply: the stored columns first, in their order and with
// their widths, then any default column the stored layout does not name.
QList<ColumnLayout> mergedLayout(const QList<ColumnLayout> &stored, const QList<ColumnLayout> &defaults);

// The colour switch "需要颜色显示", kept in 颜色显示.需要颜色 (one row). A
// shop that never chose colours the board.
bool colouringOn(Db &db);
void storeColouring(Db &db, bool on);

} // namespace board
} // namespace lanfan
