#pragma once

#include "common/Money.h"
#include "data/Db.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace lanfan {

class AppContext;
class Settings;

namespace board {

// The choices of the board's filter panel. "今日业务" is `anyPeriod` false:
// the business date alone; "任意时间段业务从" takes the two dates inclusive.
struct BoardFilter {
    bool anyPeriod = false;
    QDate from;
    QDate to;
    QString area;                      // "指定区域" ticked: the area; empty: every area
    QString worker;                    // "配送工" ticked: the worker; empty: every worker
    QString state = QStringLiteral("全部");  // "全部" or one of stateChoices()
    QString mealPeriod = QStringLiteral("全天"); // "全天", "午餐", "晚餐", "夜宵"
    QString sortBy = QStringLiteral("单据编号"); // one of sortChoices()
};

// The state box: "全部" and the four (交款完毕, 发货完毕) pairs.
const QStringList &stateChoices();
// The sort box.
const QStringList &sortChoices();
// The meal period box.
const QStringList &mealPeriodChoices();

// The takeaway columns of a board row, in their query order, and the
// default visible columns with their widths.
const QStringList &takeawayFields();
struct ColumnLayout {
    QString field;
    int width = -1; // -1: the column keeps its width
};
const QList<ColumnLayout> &defaultTakeawayColumns();
// Title of a board column (the query's name, except a few).
QString columnTitle(const QString &field);

// The dine-in columns.
const QStringList &dineInFields();

// One dish of the chart.
struct DishSale {
    QString dish;
    Money quantity;
};

// The window of the current business day: it starts after `start` and
// ends at `end` inclusive (both at the cut-off hour, as time stamps).
struct BusinessWindow {
    QDate date;
    QDateTime start;
    QDateTime end;
};
BusinessWindow businessWindow(const QDateTime &now, int cutOffHour);

// The board's reads: the two tabs, an order's lines, the chart, the
// reminder and the birthday check. Every read is bounded by a date or an
// order number, so a shop with years of orders loads one day.
class BoardQueries {
public:
    explicit BoardQueries(AppContext &ctx);

    // The business date of now (营业延长时间 is the cut-off hour).
    QDate businessDate() const;
    BusinessWindow window() const;

    // One row per takeaway order (订单类型 "外卖" or empty). With "今日业务"
    // the date is the business date on 购物日期, or on 送餐日期 when
    // 主窗口显示订单 is "显示当天送单".
    QList<SqlRow> takeaway(const BoardFilter &filter) const;
    // One row per dine-in order. `withFilters` false is the refresh: the
    // business date and the meal period only; true is "查询": the dates,
    // area, worker and state as well.
    QList<SqlRow> dineIn(const BoardFilter &filter, bool withFilters) const;
    // The lines of an order, in their entry order.
    QList<SqlRow> orderLines(const QString &orderNumber) const;
    // The order-level flags of one order; an empty row when it is gone.
    SqlRow orderState(const QString &orderNumber) const;

    // Portions per dish of the business date, with the meal-period condition.
    QList<DishSale> dishSales(const QString &mealPeriod) const;

    // Undispatched orders due today before now + 发货提醒时间 minutes.
    QList<SqlRow> dueForDispatch() const;
    // Customers whose birthday (生日月, 生日日) is today.
    QList<SqlRow> birthdaysToday() const;

private:
    AppContext &m_ctx;
};

// The delivery workers (员工列表), by name.
QStringList workerNames(Db &db);

} // namespace board
} // namespace lanfan
