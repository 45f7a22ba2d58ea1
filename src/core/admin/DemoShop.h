#pragma once

#include <QString>

namespace lanfan {

class Clock;
class Db;

// What the demonstration shop holds after it was added.
struct DemoSummary {
    int categories = 0;
    int dishes = 0;
    int customers = 0;
    int workers = 0;
    QString operatorName;      // a second operator with a cashier's rights
    QString operatorPassword;
};

// Fills a new shop with a small takeaway menu (categories, dishes, set
// meals, flavours, styles), customers with areas and types, delivery
// workers, tables, dispatch notes and a cashier, in one transaction.
// Refuses with a message when the shop already has dishes or customers
// (the data of a real shop is never mixed with demonstration data).
// Throws SqlError.
QString addDemoShop(Db &db, const Clock &clock, DemoSummary *summary = nullptr);

} // namespace lanfan
