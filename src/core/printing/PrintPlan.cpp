#include "PrintPlan.h"

#include "FixedLayouts.h"
#include "PlainTextReceipt.h"
#include "ReportTemplate.h"
#include "data/Settings.h"

using namespace Qt::StringLiterals;

namespace lanfan::printing {

namespace {

const QString kNoPrinter = u"该计算机未安装打印机驱动，无法进行打印"_s;

int copiesOf(const PrintRequest &r, const SourceProfile &p, const Settings &s)
{
    if (r.copies > 0)
        return r.copies;
    return qMax(1, s.intValue(p.copiesSetting, 1));
}

bool dineInFamily(const PrintOrder &o, const SourceProfile &p)
{
    if (p.familyByOrderKind)
        return o.orderKind == u"堂食";
    return p.dineInTemplates;
}

struct Planner {
    const PrintOrder &o;
    const PrintRequest &r;
    const PrintEnvironment &env;
    const SourceProfile &p;
    const Settings &s;
    OutputMode mode;
    PrintPlan plan;

    PrintJob job(const QString &title, const QString &printer, QList<PrintPage> pages, int copies)
    {
        PrintJob j;
        j.title = title;
        j.printer = printer;
        j.pages = std::move(pages);
        j.copies = qMax(1, copies);
        j.preview = mode == OutputMode::Preview;
        return j;
    }

    bool load(const QString &stem, ReportTemplate *t)
    {
        QString error;
        if (loadTemplate(env.folder, stem, t, &error))
            return true;
        plan.templateError = error;
        return false;
    }

    void fixedLayouts(const QString &style)
    {
        if (mode == OutputMode::None)
            return;
        LayoutOptions opt = LayoutOptions::fromSettings(s, env.folder.logo());
        opt.companyPrinted = p.source != PrintSource::Reprint;
        const QString kitchenPrinter = s.value(u"后厨打印机"_s).trimmed();
        const int copies = copiesOf(r, p, s);
        if (style == u"反馈三联单") {
            const QList<PrintPage> pages = feedbackForm(o, opt);
            const int formCopies = p.source == PrintSource::Reprint ? 1 : copies;
            if (kitchenPrinter.isEmpty()) {
                plan.jobs << job(u"反馈三联单"_s, QString(), pages, formCopies);
            } else {
                plan.jobs << job(u"反馈三联单"_s, QString(), pages.mid(0, 2), formCopies);
                plan.jobs << job(u"反馈三联单后厨联"_s, kitchenPrinter, pages.mid(2, 1), formCopies);
            }
            return;
        }
        // 普通样式 (and any word we do not know): the plain ticket.
        PrintJob ticket = job(u"小票"_s, QString(), {plainTicket(o, opt)}, qMax(1, s.intValue(p.copiesSetting, 1)));
        if (p.source != PrintSource::Reprint && r.copies > 0)
            ticket.copies = r.copies;
        ticket.separateCopies = true;
        ticket.pauseSecs = qMax(0, s.intValue(u"多份数停顿间隔"_s, 0));
        plan.jobs << ticket;
        if (!kitchenPrinter.isEmpty())
            plan.jobs << job(u"后厨"_s, kitchenPrinter, {kitchenTicket(o, opt)},
                             p.source == PrintSource::Reprint ? 1 : copies);
    }

    QString receiptStem() const
    {
        if (s.value(u"版本语言"_s) != u"简体中文")
            return u"自定义报表英文版"_s;
        return dineInFamily(o, p) ? dineInTemplateStem(s.value(u"默认自定义堂食打印报表样式"_s))
                                  : takeawayTemplateStem(s.value(u"默认自定义打印报表样式"_s));
    }

    int detailHeight() const { return qMax(0, s.intValue(u"主项数据高度"_s, 22)); }

    void customReport()
    {
        if (p.checksPrinter && env.installedPrinters.isEmpty()) {
            plan.refusal = kNoPrinter;
            return;
        }
        ReportTemplate t;
        if (mode != OutputMode::None && load(receiptStem(), &t)) {
            const auto values = templateValues(o, p.source, TemplateKind::Receipt, s);
            const bool tall = mode == OutputMode::Preview && p.tallPreview;
            PrintJob j = job(u"自定义报表"_s, QString(), {renderTemplate(t, values, o.lines, detailHeight(), tall)},
                             p.oneCopy ? 1 : copiesOf(r, p, s));
            j.separateCopies = mode == OutputMode::Print;
            plan.jobs << j;
        }
        if (!p.bTicketStem.isEmpty() && s.value(p.bTicketSetting) == u"是" && load(p.bTicketStem, &t)) {
            const auto values = templateValues(o, p.source, TemplateKind::BTicket, s);
            PrintJob j = job(u"B小票"_s, s.value(u"B小票打印机"_s).trimmed(),
                             {renderTemplate(t, values, o.lines, detailHeight())}, 1);
            plan.jobs << j;
        }
        if (!p.cTicketSetting.isEmpty() && s.value(p.cTicketSetting) == u"是")
            kitchenTickets();
    }

    QList<PrintLine> kitchenLines() const
    {
        if (!p.kitchenOnlyNewLines || s.shop(u"退菜规则"_s) == u"任意")
            return o.lines;
        QList<PrintLine> out;
        for (const auto &l : o.lines)
            if (l.newOld == u"新单")
                out << l;
        return out;
    }

    void kitchenTickets()
    {
        const QList<PrintLine> lines = kitchenLines();
        const bool several = s.value(u"后厨打印机台数"_s) == u"多台后厨打印机";
        const QString cPrinter = s.value(u"C小票打印机"_s).trimmed();
        ReportTemplate t;
        if (s.value(u"C小票类型"_s) == u"一菜一单") {
            if (!load(u"后厨一菜一单"_s, &t))
                return;
            QMap<QString, QString> orderPart = templateValues(o, p.source, TemplateKind::OneDish, s);
            for (const auto &l : lines) {
                const QString printer = several ? l.kitchenPrinter : cPrinter;
                if (printer.isEmpty())
                    continue;
                QMap<QString, QString> values = orderPart;
                const auto dish = oneDishValues(o, l, p.source);
                for (auto it = dish.begin(); it != dish.end(); ++it)
                    values.insert(it.key(), it.value());
                PrintJob j = job(u"一菜一单"_s, printer, {renderTemplate(t, values, {l}, 0)}, 1);
                j.logLine = oneDishLogText(o.orderNumber, printer, l.dish);
                plan.jobs << j;
            }
            return;
        }
        if (!load(u"C小票"_s, &t))
            return;
        const auto values = templateValues(o, p.source, TemplateKind::CTicket, s);
        if (several) {
            QStringList printers;
            for (const auto &l : lines)
                if (!printers.contains(l.kitchenPrinter))
                    printers << l.kitchenPrinter;
            for (const QString &printer : printers) {
                if (printer.isEmpty())
                    continue;
                QList<PrintLine> mine;
                for (const auto &l : lines)
                    if (l.kitchenPrinter == printer)
                        mine << l;
                PrintJob j = job(u"C小票"_s, printer, {renderTemplate(t, values, mine, detailHeight())}, 1);
                j.logLine = severalPrintersLogText(o.orderNumber, printer);
                plan.jobs << j;
            }
            return;
        }
        if (lines.isEmpty())
            return;
        PrintJob j = job(u"C小票"_s, cPrinter, {renderTemplate(t, values, lines, detailHeight())}, 1);
        j.logLine = onePrinterLogText(o.orderNumber);
        plan.jobs << j;
    }
};

} // namespace

OutputMode outputModeOf(const QString &setting)
{
    if (setting == u"打印预览")
        return OutputMode::Preview;
    if (setting == u"不打印")
        return OutputMode::None;
    return OutputMode::Print;
}

QString oneDishLogText(const QString &orderNumber, const QString &printer, const QString &dish)
{
    return u"一菜一单，单据编号："_s + orderNumber + u",后厨打印机："_s + printer + u",菜品名称："_s + dish;
}

QString severalPrintersLogText(const QString &orderNumber, const QString &printer)
{
    return u"多菜一单，多台后厨打印机，单据编号："_s + orderNumber + u",后厨打印机："_s + printer;
}

QString onePrinterLogText(const QString &orderNumber)
{
    return u"多菜一单，一台后厨打印机，单据编号："_s + orderNumber;
}

PrintOrder orderForSource(PrintOrder order, PrintSource source, const QDateTime &now, const QString &operatorName)
{
    order.operatorName = operatorName;
    if (profileOf(source).formValues) {
        order.orderDate = now.date().toString(u"yyyy-MM-dd"_s);
        order.orderTime = now.time().toString(u"HH:mm:ss"_s);
    }
    return order;
}

PrintPlan planPrintRun(const PrintOrder &order, const PrintRequest &request, const PrintEnvironment &env)
{
    const Settings &s = env.settings;
    const SourceProfile &profile = profileOf(request.source);
    Planner planner{order, request, env, profile, s,
                    outputModeOf(request.mode.isEmpty() ? s.value(u"开单后打印"_s) : request.mode), {}};
    if (s.value(u"是否串口打印机"_s) == u"是") {
        planner.plan.rawText = plainTextReceipt(order, s.shop(u"店名"_s), s.shop(u"服务用语"_s));
        planner.plan.rawPort = s.value(u"打印机串口号"_s);
        return planner.plan;
    }
    const QString style = request.style.isEmpty() ? s.shop(u"打印样式"_s) : request.style;
    if (style == u"自定义报表")
        planner.customReport();
    else
        planner.fixedLayouts(style);
    return planner.plan;
}

} // namespace lanfan::printing
