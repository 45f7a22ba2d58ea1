#include "PrintSampleCommand.h"

#include "FixedLayouts.h"
#include "OrderPrinting.h"
#include "PagePainter.h"
#include "ReportTemplate.h"
#include "app/AppContext.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "data/ShopDatabase.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace lanfan::printing {

namespace {

const QStringList kLayouts{u"76"_s, u"58"_s, u"feedback"_s, u"kitchen"_s, u"custom"_s, u"b"_s, u"c"_s, u"onedish"_s};

QList<PrintPage> pagesFor(const QString &layout, const PrintOrder &order, AppContext &ctx, QString *error)
{
    LayoutOptions opt = LayoutOptions::fromSettings(ctx.settings(), ctx.folder().logo());
    if (layout == u"76" || layout == u"58") {
        opt.narrow = layout == u"58";
        return {plainTicket(order, opt)};
    }
    if (layout == u"feedback")
        return feedbackForm(order, opt);
    if (layout == u"kitchen")
        return {kitchenTicket(order, opt)};
    const int detail = ctx.settings().intValue(u"主项数据高度"_s, 22);
    ReportTemplate t;
    if (layout == u"custom") {
        if (!loadTemplate(ctx.folder(), takeawayTemplateStem(ctx.settings().value(u"默认自定义打印报表样式"_s)), &t, error))
            return {};
        return {renderTemplate(t, templateValues(order, PrintSource::Takeaway, TemplateKind::Receipt, ctx.settings()),
                               order.lines, detail)};
    }
    if (layout == u"b") {
        if (!loadTemplate(ctx.folder(), u"B小票"_s, &t, error))
            return {};
        return {renderTemplate(t, templateValues(order, PrintSource::Takeaway, TemplateKind::BTicket, ctx.settings()),
                               order.lines, detail)};
    }
    if (layout == u"c") {
        if (!loadTemplate(ctx.folder(), u"C小票"_s, &t, error))
            return {};
        return {renderTemplate(t, templateValues(order, PrintSource::Takeaway, TemplateKind::CTicket, ctx.settings()),
                               order.lines, detail)};
    }
    // One page per dish.
    if (!loadTemplate(ctx.folder(), u"后厨一菜一单"_s, &t, error))
        return {};
    QList<PrintPage> pages;
    for (const auto &line : order.lines) {
        auto values = templateValues(order, PrintSource::Takeaway, TemplateKind::OneDish, ctx.settings());
        const auto dish = oneDishValues(order, line, PrintSource::Takeaway);
        for (auto it = dish.begin(); it != dish.end(); ++it)
            values.insert(it.key(), it.value());
        pages << renderTemplate(t, values, {line}, 0);
    }
    return pages;
}

} // namespace

int runPrintSample(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Writes a PDF of a ticket layout"_s);
    parser.addHelpOption();
    parser.addOption({u"data-dir"_s, u"The data folder (shop name, settings, logo, templates, orders)."_s, u"DIR"_s});
    parser.addOption({u"layout"_s, u"76 | 58 | feedback | kitchen | custom | b | c | onedish"_s, u"LAYOUT"_s});
    parser.addOption({u"out"_s, u"The PDF file to write."_s, u"FILE"_s});
    parser.addOption({u"order"_s, u"A saved order number (default: a built-in sample order)."_s, u"NUMBER"_s});
    parser.addOption({u"operator"_s, u"The operator printed as 制单人."_s, u"NAME"_s, u"管理员"_s});
    parser.addPositionalArgument(u"print-sample"_s, u"the command"_s);
    if (!parser.parse(arguments)) {
        err << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(u"help"_s)) {
        out << parser.helpText();
        return 0;
    }
    const QString layout = parser.value(u"layout"_s);
    const QString file = parser.value(u"out"_s);
    if (!kLayouts.contains(layout) || file.isEmpty()) {
        err << "usage: lanfan-admin print-sample --data-dir DIR --layout " << kLayouts.join(u'|')
            << " --out FILE.pdf [--order NUMBER]" << Qt::endl;
        return 2;
    }

    // The shop of the data folder, or a fresh sample shop in a temporary folder.
    QTemporaryDir scratch;
    const bool hasShop = parser.isSet(u"data-dir"_s)
                         && QFileInfo::exists(DataFolder(parser.value(u"data-dir"_s)).shopDatabase());
    const DataFolder folder(hasShop ? parser.value(u"data-dir"_s) : scratch.path());
    if (!hasShop && parser.isSet(u"order"_s)) {
        err << "no shop database in the data folder" << Qt::endl;
        return 1;
    }
    SystemClock clock;
    RecordingPrompter prompter;
    try {
        OpenOutcome outcome;
        std::unique_ptr<Db> db;
        if (hasShop) {
            db = openSqliteFile(folder.shopDatabase(), u"print-sample"_s, true);
        } else {
            folder.ensure();
            db = openShopDatabase(folder, clock, &outcome);
            if (!db) {
                err << outcome.message << Qt::endl;
                return 1;
            }
        }
        AppContext ctx(folder, std::move(db), clock, prompter);
        if (!hasShop) {
            ctx.settings().writeShop(ctx.db(), u"店名"_s, u"澜帆示范快餐店"_s);
            ctx.settings().writeShop(ctx.db(), u"服务用语"_s, u"谢谢惠顾，欢迎再次订餐！"_s);
            ctx.settings().writeShop(ctx.db(), u"电话"_s, u"订餐热线：0731-88886666"_s);
            ctx.settings().writeShop(ctx.db(), u"网址"_s, u"www.lanfan.example"_s);
        }
        ctx.settings().loadAll(ctx.db());
        ctx.currentOperator().name = parser.value(u"operator"_s);
        // The sample shows the flavour column; the shop's own choice decides otherwise.
        if (!hasShop)
            ctx.settings().setCurrent(u"口味打印"_s, u"打印"_s);

        PrintOrder order;
        if (parser.isSet(u"order"_s)) {
            order = orderToPrint(ctx, parser.value(u"order"_s), PrintSource::Reprint);
            if (order.lines.isEmpty()) {
                err << "no order " << parser.value(u"order"_s) << Qt::endl;
                return 1;
            }
        } else {
            order = orderForSource(sampleOrder(), PrintSource::Reprint, clock.now(), ctx.currentOperator().name);
        }
        QString error;
        const QList<PrintPage> pages = pagesFor(layout, order, ctx, &error);
        if (pages.isEmpty() || !writePdf(file, pages, &error)) {
            err << "not written: " << error << Qt::endl;
            return 1;
        }
        out << file << ": " << pages.size() << (pages.size() == 1 ? " page, " : " pages, ")
            << QString::number(pages.first().widthMm(), 'f', 0) << " x "
            << QString::number(pages.first().heightMm(), 'f', 0) << " mm" << Qt::endl;
    } catch (const SqlError &e) {
        err << "database error: " << e.text() << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace lanfan::printing
