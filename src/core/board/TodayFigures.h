#pragma once

#include "common/Money.h"

#include <QList>
#include <QString>

namespace lanfan {

class AppContext;

namespace board {

// The figures of the current business day shown left of the board.
// Every figure counts an order once, however many lines it has.
struct TodayFigures {
    qint64 orders = 0;          // "今日订餐：" orders taken on the business date
    Money portions;             // "今日订餐：" portions of those orders
    qint64 toDeliver = 0;       // "应送餐数：" orders due on the business date
    qint64 delivered = 0;       // "已送餐数：" orders dispatched within the business day
    qint64 undelivered = 0;     // "未送餐数：" orders due on the business date, not dispatched
    Money received;             // "今日收款：" paid within the business day, credit excluded
    Money unpaid;               // "今日未收：" due on the business date, not paid, credit excluded
    qint64 credit = 0;          // "今日签单：" credit orders paid within the business day
    qint64 futureOrders = 0;    // "未来订单：" orders due after the business day
    Money futurePortions;       // "未来订单：" their portions
    qint64 topUps = 0;          // "账户充值：" whole yuan topped up within the business day
};

TodayFigures computeTodayFigures(AppContext &ctx);

// How a figure is shown: its caption, its number with two blanks and the
// unit, and the explanation (hint and click message; empty: none).
struct FigureText {
    QString name;        // objectName of the value label
    QString caption;
    QString value;
    QString explanation;
};
QList<FigureText> figureTexts(const TodayFigures &f);

} // namespace board
} // namespace lanfan
