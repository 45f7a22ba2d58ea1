#include "OrderPrinting.h"

#include "KitchenLog.h"
#include "PrintRunner.h"
#include "PrintSink.h"
#include "app/AppContext.h"
#include "common/Clock.h"
#include "common/Prompter.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace lanfan::printing {

PrintOrder orderToPrint(AppContext &ctx, const QString &orderNumber, PrintSource source)
{
    const QString areaRule = ctx.settings().value(u"地址打印是否包含地区"_s);
    const bool areaInAddress = profileOf(source).formValues ? areaRule != u"不包含" : areaRule == u"包含";
    PrintOrder order = loadSavedOrder(ctx.db(), orderNumber, areaInAddress);
    if (order.lines.isEmpty())
        return order;
    if (source == PrintSource::Modification) {
        const QList<PrintLine> edited = loadModificationLines(ctx.db(), orderNumber);
        if (!edited.isEmpty())
            order.lines = edited;
    }
    return orderForSource(order, source, ctx.clock().now(), ctx.currentOperator().name);
}

PrintPlan planOrderPrint(AppContext &ctx, const QString &orderNumber, const PrintRequest &request,
                         const QStringList &installedPrinters)
{
    const PrintOrder order = orderToPrint(ctx, orderNumber, request.source);
    if (order.lines.isEmpty())
        return {};
    return planPrintRun(order, request, PrintEnvironment{ctx.settings(), ctx.folder(), installedPrinters});
}

PrintRunner *printSavedOrder(AppContext &ctx, const QString &orderNumber, const PrintRequest &request,
                             PrintSink &sink, Scheduler &scheduler, KitchenLog *log)
{
    const PrintOrder order = orderToPrint(ctx, orderNumber, request.source);
    if (order.lines.isEmpty()) {
        ctx.prompter().warning(u"订单不存在："_s + orderNumber);
        return nullptr;
    }
    const PrintPlan plan =
        planPrintRun(order, request, PrintEnvironment{ctx.settings(), ctx.folder(), sink.printerNames()});
    // Without a log of its own the run writes to the program's kitchen log.
    auto *runner = new PrintRunner(sink, scheduler, ctx.clock(), ctx.prompter(), log ? log : &ctx.kitchenLog());
    QObject::connect(runner, &PrintRunner::finished, runner, &QObject::deleteLater);
    runner->start(plan);
    return runner;
}

bool printsAfterSave(AppContext &ctx)
{
    return ctx.settings().value(u"开单后打印"_s) != u"不打印";
}

} // namespace lanfan::printing
