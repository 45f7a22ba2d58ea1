#include "BoardWiring.h"

#include "OrderBoard.h"
#include "app/AppContext.h"
#include "app/Tmain.h"
#include "board/BoardQueries.h"
#include "board/ReceiptPicture.h"
#include "common/Prompter.h"
#include "customers/AreaWindows.h"
#include "customers/Tkehu_list.h"
#include "data/Settings.h"
#include "orders/OrderForms.h"
#include "printing/CashDrawer.h"
#include "printing/PrintPreviewDialog.h"
#include "printing/PrintSources.h"

#include <QAction>
#include <QChildEvent>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

const QString kNoOrder = u"请先选择订餐单据！！"_s;

// Rebuilds the board's area list whenever an area window of the main
// window changes the areas.
class AreaWatch : public QObject {
public:
    AreaWatch(QWidget *main, OrderBoard *board) : QObject(board), m_board(board) { main->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ChildPolished) {
            QObject *child = static_cast<QChildEvent *>(event)->child();
            if (auto *areas = qobject_cast<Tqvyu_shezhi *>(child))
                connect(areas, &Tqvyu_shezhi::areasChanged, m_board, &OrderBoard::loadLists, Qt::UniqueConnection);
            else if (auto *list = qobject_cast<Tkehu_list *>(child))
                connect(list, &Tkehu_list::areasChanged, m_board, &OrderBoard::loadLists, Qt::UniqueConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    OrderBoard *m_board;
};

QAction *popupItem(QMenu *menu, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(u"popup:"_s + caption);
    return a;
}

} // namespace

OrderBoard *connectBoard(Tmain &main, AppContext &ctx, OrderForms &forms)
{
    auto *board = new OrderBoard(ctx, &main);
    main.setBoard(board);
    board->attachKitchenLog(ctx.kitchenLog());
    AppContext *c = &ctx;
    Tmain *window = &main;
    QPointer<OrderForms> formsPtr(&forms);

    // Every order window refreshes the board after it changed an order.
    forms.refreshBoard = [board](const QString &number) { board->shuaxinmain(number); };
    new AreaWatch(&main, board);

    // The pop-up menus carry the entries of the main window: they run the
    // entry's command and follow its enabled state.
    QMenu *menu = board->takeawayMenu();
    main.addEntryAction(u"单一发货"_s, popupItem(menu, u"单一发货"_s));
    main.addEntryAction(u"收款"_s, popupItem(menu, u"单一收款"_s));
    main.addEntryAction(u"退货"_s, popupItem(menu, u"退货"_s));
    main.addEntryAction(u"退款"_s, popupItem(menu, u"退款"_s));
    main.addEntryAction(u"删除订货单"_s, popupItem(menu, u"删除订货单"_s));
    menu->addSeparator();
    QObject::connect(popupItem(menu, u"单个打印"_s), &QAction::triggered, board, &OrderBoard::printRequested);
    QObject::connect(popupItem(menu, u"把订单另存为tif格式"_s), &QAction::triggered, board,
                     &OrderBoard::saveTiffRequested);
    menu->addSeparator();
    QObject::connect(popupItem(menu, u"还原排列顺序"_s), &QAction::triggered, board, &OrderBoard::resetColumnLayout);
    main.addEntryAction(u"删除订货单"_s, popupItem(board->dineInMenu(), u"删除订货单"_s));

    // Double click: the modification form, read only for a paid order.
    QObject::connect(board, &OrderBoard::orderActivated, board, [c, formsPtr](const QString &number, bool) {
        if (!formsPtr || !formsPtr->openModification)
            return; // the modification form is not part of this program yet
        const bool paid = board::BoardQueries(*c).orderState(number).flag(u"交款完毕"_s);
        if (paid)
            c->prompter().information(paidOrderMessage());
        formsPtr->openModification(number, paid);
    });

    // "单个打印": the selected order of the tab in front, one copy.
    QObject::connect(board, &OrderBoard::printRequested, board, [c, window, board] {
        const QString number = board->currentOrder();
        if (number.isEmpty()) {
            c->prompter().information(kNoOrder);
            return;
        }
        ui::printOrder(window, *c, printing::PrintSource::Reprint, number, 1, QString(), &c->kitchenLog());
    });

    // "把订单另存为tif格式": the reprint's receipt as a TIFF picture.
    QObject::connect(board, &OrderBoard::saveTiffRequested, board, [c, window, board] {
        const QString number = board->currentOrder();
        if (number.isEmpty()) {
            c->prompter().information(kNoOrder);
            return;
        }
        QString message;
        const QImage picture =
            board::receiptPicture(*c, number, ui::QtPrintSink(window).printerNames(), &message);
        if (picture.isNull()) {
            c->prompter().warning(message);
            return;
        }
        const QString path = QFileDialog::getSaveFileName(window, u"把订单另存为tif格式"_s,
                                                          QDir(c->folder().root()).filePath(number + u".tif"_s),
                                                          u"TIFF (*.tif *.tiff)"_s);
        if (path.isEmpty())
            return;
        QString error;
        if (!board::writeTiff(picture, path, 200, &error))
            c->prompter().error(error);
    });

    // "开钱箱", and Space on the board when 开启钱箱 is "是".
    auto openDrawer = [c, window] {
        ui::QtPrintSink sink(window);
        printing::CashDrawer(*c, sink).open();
    };
    QObject::connect(board, &OrderBoard::drawerRequested, board, openDrawer);
    auto *space = new QShortcut(QKeySequence(Qt::Key_Space), board);
    space->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(space, &QShortcut::activated, board, [c, openDrawer] {
        if (c->settings().is(u"开启钱箱"_s, u"是"_s))
            openDrawer();
    });
    auto *drawerHint = new QLabel(&main);
    drawerHint->setObjectName(u"drawerHint"_s);
    main.statusBar()->addWidget(drawerHint);

    // The dispatch reminder looks every minute while it is switched on.
    auto *reminder = new QTimer(board);
    reminder->setObjectName(u"Timer_tixing"_s);
    reminder->setInterval(60000);
    QObject::connect(reminder, &QTimer::timeout, board, &OrderBoard::checkDispatchReminder);

    // The window show: the first steps now, the rest after the steps added
    // later (the caller-ID device starts in between).
    main.addShowStep([board, c, window, reminder, drawerHint] {
        board->resetDatePickers();
        board->applyTabVisibility();
        board->chooseMealPeriod();
        drawerHint->setText(c->settings().is(u"开启钱箱"_s, u"是"_s) ? u"按空格打开钱箱"_s : QString());
        QTimer::singleShot(0, board, [board, c, window, reminder] {
            board->readColourSwitch();
            board->loadLists();
            board->shuaxinmain();
            board->refreshFigures();
            QTimer::singleShot(1000, board, &OrderBoard::checkBirthdays);
            board->applyColumnLayout();
            if (auto *phone = window->findChild<QLineEdit *>(u"Edit2"_s))
                phone->setFocus();
            board->setLayoutSaving(true);
            if (c->settings().is(u"发货提醒功能"_s, u"是"_s))
                reminder->start();
        });
    });
    return board;
}

} // namespace lanfan
