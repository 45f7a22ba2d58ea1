#pragma once

#include "PrintPlan.h"

namespace lanfan {
class AppContext;
}

namespace lanfan::printing {

class KitchenLog;
class PrintRunner;
class PrintSink;
class Scheduler;

// The order as a source prints it, read from the saved lines of 产品销售开票:
// the operator printing, "now" for the form sources, the address with its
// area as the source's rule says, and for the modification form the lines of
// its edit table (with 新老) when it still holds them. No lines: unknown order.
PrintOrder orderToPrint(AppContext &ctx, const QString &orderNumber, PrintSource source);

// The plan of printing a saved order from a source.
PrintPlan planOrderPrint(AppContext &ctx, const QString &orderNumber, const PrintRequest &request,
                         const QStringList &installedPrinters);

// Prints a saved order: plans the run and starts it. The runner deletes
// itself once every copy went out (copies after a pause come later, from the
// event loop). Kitchen log lines go to `log`, or, without one, to the run's
// kitchen log (AppContext), which keeps the log file of the data folder.
// Returns nullptr (after a message) when the order does not exist.
PrintRunner *printSavedOrder(AppContext &ctx, const QString &orderNumber, const PrintRequest &request,
                             PrintSink &sink, Scheduler &scheduler, KitchenLog *log = nullptr);

// Whether saving an order prints it (开单后打印 is not "不打印").
bool printsAfterSave(AppContext &ctx);

} // namespace lanfan::printing
