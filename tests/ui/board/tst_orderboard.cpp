#include "../../core/board/BoardFixtures.h"
#include "TestShop.h"
#include "app/EntryWiring.h"
#include "app/Skin.h"
#include "app/Tmain.h"
#include "board/BoardLayout.h"
#include "board/BoardModel.h"
#include "board/BoardWiring.h"
#include "board/FooterBar.h"
#include "board/OrderBoard.h"
#include "customers/AreaWindows.h"
#include "orders/OrderForms.h"
#include "orders/Txiaoshou.h"
#include "../../core/orders/OrderFixtures.h"
#include "printing/KitchenLog.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using namespace lanfan;
using namespace lanfan::test;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 12, 11);

BoardOrder order(const QString &number, bool dispatched = false, bool paid = false)
{
    BoardOrder o;
    o.number = number;
    o.takenOn = kToday;
    o.dispatched = dispatched;
    o.paid = paid;
    return o;
}

// The visible columns of the takeaway grid, left to right, with widths.
QList<std::pair<QString, int>> visibleColumns(OrderBoard &board)
{
    QHeaderView *h = board.takeawayGrid()->horizontalHeader();
    QList<std::pair<QString, int>> out;
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        if (!h->isSectionHidden(logical))
            out.append({board.takeawayModel()->fields()[logical], h->sectionSize(logical)});
    }
    return out;
}

QList<std::pair<QString, int>> defaultColumns(OrderBoard &board)
{
    QList<std::pair<QString, int>> out;
    for (const board::ColumnLayout &c : board.defaultColumns())
        out.append({c.field, c.width});
    return out;
}

void selectRow(QTableView *view, const QString &number)
{
    auto *proxy = qobject_cast<QSortFilterProxyModel *>(view->model());
    auto *model = static_cast<BoardModel *>(proxy->sourceModel());
    const QModelIndex at = proxy->mapFromSource(model->index(model->rowOf(number), 0));
    view->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

lanfan::Operator admin()
{
    lanfan::Operator op;
    op.name = u"admin"_s;
    op.role = u"管理员"_s;
    op.rights = QStringList(9, QString(31, u'1'));
    return op;
}

} // namespace

class TestOrderBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsFootersDetailAndColours()
    {
        TestShop shop;
        addBoardOrder(shop.db(), order(u"A"_s));
        addBoardOrder(shop.db(), order(u"B"_s, true, false));
        BoardOrder c = order(u"C"_s, true, true);
        c.total = u"12.5"_s;
        addBoardOrder(shop.db(), c);
        OrderBoard board(shop.context());
        board.readColourSwitch();
        board.shuaxinmain();

        BoardModel *m = board.takeawayModel();
        QCOMPARE(m->rowCount(), 3);
        const int state = m->column(u"订单状态"_s);
        QCOMPARE(board.takeawayFooter()->text(state), u"当前订单："_s);
        QCOMPARE(board.takeawayFooter()->text(m->column(u"单据编号"_s)), u"3张"_s);
        QCOMPARE(board.takeawayFooter()->text(m->column(u"份数"_s)), u"9"_s);
        QCOMPARE(board.takeawayFooter()->text(m->column(u"应付货款"_s)), u"72.5"_s);

        const auto colourOf = [m](const QString &number) {
            return m->index(m->rowOf(number), 0).data(Qt::BackgroundRole).value<QColor>();
        };
        QCOMPARE(colourOf(u"A"_s), QColor(166, 202, 240));
        QCOMPARE(colourOf(u"B"_s), QColor(255, 149, 149));
        QCOMPARE(colourOf(u"C"_s), QColor(255, 255, 170));

        selectRow(board.takeawayGrid(), u"C"_s);
        QCOMPARE(board.selectedOrder(), u"C"_s);
        auto *detail = board.findChild<QTableView *>(u"DBGridEh2"_s);
        QCOMPARE(detail->model()->rowCount(), 2);
        QCOMPARE(detail->model()->index(0, 0).data().toString(), u"宫保鸡丁"_s);
        QCOMPARE(detail->model()->headerData(3, Qt::Horizontal).toString(), u"合计"_s);
        QCOMPARE(board.detailFooter()->text(0), u"应收合计："_s);
        QCOMPARE(board.detailFooter()->text(3), u"12.5"_s);

        // Colouring off: the grid's own colours; the switch is stored.
        auto *colour = board.findChild<QCheckBox *>(u"CheckBox3"_s);
        QVERIFY(colour->isChecked());
        colour->click();
        QVERIFY(!m->index(0, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(!m->index(0, 0).data(Qt::ForegroundRole).isValid());
        QVERIFY(!board::colouringOn(shop.db()));
        OrderBoard again(shop.context());
        again.readColourSwitch();
        QVERIFY(!again.findChild<QCheckBox *>(u"CheckBox3"_s)->isChecked());
    }

    void refreshKeepsOrMovesTheSelection()
    {
        TestShop shop;
        for (const QString &n : {u"A"_s, u"B"_s, u"C"_s})
            addBoardOrder(shop.db(), order(n));
        OrderBoard board(shop.context());
        board.shuaxinmain();
        selectRow(board.takeawayGrid(), u"B"_s);
        addBoardOrder(shop.db(), order(u"0"_s)); // sorts first
        board.shuaxinmain();
        QCOMPARE(board.takeawayModel()->rowCount(), 4);
        QCOMPARE(board.selectedOrder(), u"B"_s);
        board.shuaxinmain(u"C"_s);
        QCOMPARE(board.selectedOrder(), u"C"_s);
        QCOMPARE(board.findChild<QLabel *>(u"Label19"_s)->text(), u"无"_s);
        // A payment window sets the label; the next refresh moves there.
        board.findChild<QLabel *>(u"Label19"_s)->setText(u"A"_s);
        board.shuaxinmain();
        QCOMPARE(board.selectedOrder(), u"A"_s);
        // An order that is gone leaves nothing selected and no lines.
        shop.db().execute(u"delete from 产品销售开票 where 单据编号='A'"_s);
        board.shuaxinmain();
        QCOMPARE(board.selectedOrder(), QString());
        QCOMPARE(board.findChild<QTableView *>(u"DBGridEh2"_s)->model()->rowCount(), 0);
    }

    // Enter: dispatch while not dispatched, payment while not paid, then nothing.
    void enterOpensTheNextStep()
    {
        TestShop shop;
        addBoardOrder(shop.db(), order(u"A"_s));
        addBoardOrder(shop.db(), order(u"B"_s, true, false));
        addBoardOrder(shop.db(), order(u"C"_s, true, true));
        addBoardOrder(shop.db(), order(u"D"_s, false, true));
        OrderBoard board(shop.context());
        board.shuaxinmain();
        QStringList opened;
        board.openDispatch = [&](const SqlRow &o) { opened << u"发货:"_s + o.text(u"单据编号"_s); };
        board.openPayment = [&](const SqlRow &o) { opened << u"收款:"_s + o.text(u"单据编号"_s); };
        for (const QString &n : {u"A"_s, u"B"_s, u"C"_s, u"D"_s}) {
            selectRow(board.takeawayGrid(), n);
            QTest::keyClick(board.takeawayGrid(), Qt::Key_Return);
        }
        QCOMPARE(opened, (QStringList{u"发货:A"_s, u"收款:B"_s, u"发货:D"_s}));
    }

    void movedColumnSurvivesARestartAndResetRestoresTheDefault()
    {
        TestShop shop;
        {
            OrderBoard board(shop.context());
            board.applyColumnLayout();
            QCOMPARE(visibleColumns(board), defaultColumns(board));
            board.setLayoutSaving(true);
            QHeaderView *h = board.takeawayGrid()->horizontalHeader();
            h->moveSection(h->visualIndex(board.takeawayModel()->column(u"电话"_s)), 0);
            h->resizeSection(board.takeawayModel()->column(u"地址"_s), 150);
            QTRY_COMPARE(shop.db()
                             .scalar(u"select 宽度 from 主窗口订单显示顺序 where 字段名称='地址'"_s)
                             .toInt(),
                         150);
        }
        {
            OrderBoard board(shop.context()); // the next start
            board.applyColumnLayout();
            const auto columns = visibleColumns(board);
            QCOMPARE(columns.first().first, u"电话"_s);
            QCOMPARE(columns[1].first, u"订单状态"_s);
            QVERIFY(columns.contains(std::pair{u"地址"_s, 150}));
            QVERIFY(shop.prompter().texts().isEmpty());
            board.resetColumnLayout();
            QCOMPARE(shop.prompter().lastText(), u"请重新登录软件！！"_s);
        }
        OrderBoard board(shop.context());
        board.applyColumnLayout();
        QCOMPARE(visibleColumns(board), defaultColumns(board));
    }

    void brokenLayoutIsErasedWithAMessage()
    {
        TestShop shop;
        shop.db().execute(u"insert into 主窗口订单显示顺序 (字段名称,排序编号,宽度) values ('电话',0,90),('旧字段',1,50)"_s);
        OrderBoard board(shop.context());
        board.applyColumnLayout();
        QCOMPARE(shop.prompter().lastText(), u"数据显示错误，请重新登录软件！！"_s);
        QCOMPARE(visibleColumns(board), defaultColumns(board));
        QCOMPARE(shop.db().scalar(u"select count(*) from 主窗口订单显示顺序"_s).toInt(), 0);
    }

    void figuresShowUnitsHintsAndClickMessages()
    {
        TestShop shop;
        addBoardOrder(shop.db(), order(u"A"_s));
        addBoardOrder(shop.db(), order(u"B"_s));
        OrderBoard board(shop.context());
        board.refreshFigures();
        auto *orders = board.findChild<QLabel *>(u"figureOrders"_s);
        QCOMPARE(orders->text(), u"2  次"_s);
        QCOMPARE(board.findChild<QLabel *>(u"figurePortions"_s)->text(), u"6  份"_s);
        QCOMPARE(board.findChild<QLabel *>(u"figureUnpaid"_s)->text(), u"60  元"_s);
        QCOMPARE(orders->toolTip(), u"代表今日订餐的次数，也包括今日订要求明日以后送的订单"_s);
        QTest::mouseClick(board.findChild<QLabel *>(u"figureUndelivered"_s), Qt::LeftButton);
        QCOMPARE(shop.prompter().lastText(), u"代表今日应送但未送的次数，不包括明日应送的次数"_s);
        addBoardOrder(shop.db(), order(u"C"_s));
        board.findChild<QPushButton *>(u"Button2"_s)->click(); // "刷新"
        QCOMPARE(orders->text(), u"3  次"_s);
    }

    void filterPanelAndQuery()
    {
        TestShop shop;
        shop.db().execute(u"insert into 区域 (区域) values ('西区'),('东区')"_s);
        shop.db().execute(u"insert into 员工列表 (姓名) values ('小王')"_s);
        BoardOrder west = order(u"W"_s);
        west.area = u"西区"_s;
        addBoardOrder(shop.db(), west);
        addBoardOrder(shop.db(), order(u"E"_s));
        OrderBoard board(shop.context());
        board.loadLists();
        auto *area = board.findChild<QComboBox *>(u"ComboBox1"_s);
        QCOMPARE(area->itemText(0), u"总部"_s);
        QCOMPARE(area->count(), 3);
        QVERIFY(!board.filtersShown());
        board.findChild<QPushButton *>(u"ButtonFilters"_s)->click();
        QVERIFY(board.filtersShown());
        QCOMPARE(board.findChild<QPushButton *>(u"ButtonFilters"_s)->text(), u"隐藏查询条件"_s);
        board.findChild<QCheckBox *>(u"CheckBox1"_s)->setChecked(true);
        area->setCurrentText(u"西区"_s);
        board.findChild<QPushButton *>(u"Button1"_s)->click(); // "查询"
        QCOMPARE(board.takeawayModel()->rowCount(), 1);
        QCOMPARE(board.takeawayModel()->text(0, u"单据编号"_s), u"W"_s);
        board.setFiltersShown(false);
        QVERIFY(!board.findChild<QCheckBox *>(u"CheckBox1"_s)->isChecked());
        board.shuaxinmain();
        QCOMPARE(board.takeawayModel()->rowCount(), 2);
    }

    // The whole main window as the login builds it: the show sequence
    // fills the board, the forms' refresh reaches it, and its tabs work.
    void mainWindowShowsTheBoard()
    {
        TestShop shop;
        shop.settings().write(u"堂食功能"_s, u"否"_s);
        shop.settings().write(u"零售功能"_s, u"否"_s);
        addBoardOrder(shop.db(), order(u"A"_s, false, true));
        Skin skin(shop.folder().skin());
        Tmain main(shop.context(), skin);
        connectMainEntries(main, shop.context());
        main.applyRights(admin());
        main.applySettings();
        auto *board = qobject_cast<OrderBoard *>(main.board());
        QVERIFY(board);
        QCOMPARE(main.centralWidget(), board);
        shop.db().execute(u"insert into 客户资料 (客户姓名,生日月,生日日) values ('寿星',12,11)"_s);
        QStringList birthdays;
        board->openBirthdays = [&](const QList<SqlRow> &rows) {
            for (const SqlRow &r : rows)
                birthdays << r.text(u"客户姓名"_s);
        };
        main.show();
        QTRY_COMPARE(board->takeawayModel()->rowCount(), 1);
        QVERIFY(birthdays.isEmpty()); // one second after the show
        QTRY_COMPARE(birthdays, QStringList{u"寿星"_s});
        auto *reminder = board->findChild<QTimer *>(u"Timer_tixing"_s);
        QVERIFY(reminder->isActive());
        QCOMPARE(reminder->interval(), 60000);
        QList<SqlRow> due;
        board->remindDispatch = [&](const QList<SqlRow> &rows) { due = rows; };
        board->checkDispatchReminder();
        QCOMPARE(due.size(), 0); // order A is due at 12:30, the clock says 12:00
        shop.settings().write(u"发货提醒时间"_s, u"31"_s);
        board->checkDispatchReminder();
        QCOMPARE(due.size(), 1);
        QCOMPARE(board->findChild<QLabel *>(u"figureOrders"_s)->text(), u"1  次"_s);
        auto *tabs = board->findChild<QTabWidget *>(u"PageControl1"_s);
        QVERIFY(!tabs->isTabVisible(1));

        // A save on an order form refreshes the board and selects the order.
        addBoardOrder(shop.db(), order(u"B"_s));
        auto *forms = main.findChild<OrderForms *>(u"OrderForms"_s);
        QVERIFY(forms && forms->refreshBoard);
        forms->refreshBoard(u"B"_s);
        QCOMPARE(board->takeawayModel()->rowCount(), 2);
        QCOMPARE(board->selectedOrder(), u"B"_s);

        // The pop-up menu carries the entries; those without a window wait disabled.
        QMenu *menu = board->takeawayMenu();
        QStringList captions;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                captions << a->text();
        QVERIFY(captions.contains(u"还原排列顺序"_s));
        QVERIFY(captions.contains(u"单一发货"_s));
        QVERIFY(!menu->findChild<QAction *>(u"popup:单一发货"_s) ||
                !main.isEntryAvailable(u"单一发货"_s));

        // Double click on a paid order: the message, then the form read only.
        QStringList opened;
        forms->openModification = [&](const QString &n, bool readOnly) {
            opened << n + (readOnly ? u":只读"_s : u""_s);
        };
        Q_EMIT board->orderActivated(u"A"_s, false);
        QCOMPARE(shop.prompter().lastText(), paidOrderMessage());
        Q_EMIT board->orderActivated(u"B"_s, false);
        QCOMPARE(opened, (QStringList{u"A:只读"_s, u"B"_s}));

        // The chart counts today's dishes when its tab opens.
        tabs->setCurrentIndex(2);
        auto *view = board->findChild<QChartView *>(u"DBChart1"_s);
        QCOMPARE(view->chart()->title(), u"菜品销售情况"_s);
        const auto series = view->chart()->series();
        QCOMPARE(series.size(), 1);
        QBarSet *set = static_cast<QAbstractBarSeries *>(series.first())->barSets().first();
        QCOMPARE(set->count(), 2);
        QCOMPARE(set->color(), QColor(Qt::red));
        QCOMPARE(set->at(0) + set->at(1), 6.0);

        // Kitchen tickets of the run appear on the log tab.
        shop.context().kitchenLog().add(u"厨房打印机：A"_s);
        QVERIFY(board->findChild<QPlainTextEdit *>(u"Memo1"_s)->toPlainText().contains(u"厨房打印机：A"_s));

        // An area added in the area window reaches the board's area list.
        shop.db().execute(u"insert into 区域 (区域) values ('新区')"_s);
        auto *areas = board->findChild<QComboBox *>(u"ComboBox1"_s);
        QVERIFY(areas->findText(u"新区"_s) < 0);
        {
            Tqvyu_shezhi window(shop.context(), &main);
            window.show();
            QCoreApplication::processEvents();
            Q_EMIT window.areasChanged();
        }
        QVERIFY(areas->findText(u"新区"_s) >= 0);

        // Space on the board opens the drawer when the shop wants it; so does "开钱箱".
        QTemporaryDir dir;
        const QString port = dir.filePath(u"drawer"_s);
        shop.settings().write(u"钱箱端口"_s, port);
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        tabs->setCurrentIndex(0);
        board->takeawayGrid()->setFocus();
        QTest::keyClick(board->takeawayGrid(), Qt::Key_Space);
        QVERIFY(!QFile::exists(port));
        shop.settings().write(u"开启钱箱"_s, u"是"_s);
        QTest::keyClick(board->takeawayGrid(), Qt::Key_Space);
        QFile drawer(port);
        QVERIFY(drawer.open(QIODevice::ReadOnly));
        QCOMPARE(drawer.readAll(), QByteArray::fromHex("1b70003cff"));
        drawer.close();
        QFile::remove(port);
        board->findChild<QPushButton *>(u"ButtonDrawer"_s)->click();
        QVERIFY(QFile::exists(port));

        shop.prompter().scriptAnswers({true});
        main.close();
    }

    // An order saved on the manual form shows on the board, selected, in the
    // colour of a new order, with its lines.
    void savedOrderAppearsOnTheBoard()
    {
        TestShop shop;
        shop.settings().write(u"开单后打印"_s, u"不打印"_s);
        shop.settings().write(u"开单后关闭"_s, u"不关闭"_s);
        lanfan::test::addMenu(shop.db());
        Skin skin(shop.folder().skin());
        Tmain main(shop.context(), skin);
        connectMainEntries(main, shop.context());
        main.applyRights(admin());
        main.applySettings();
        main.show();
        auto *board = qobject_cast<OrderBoard *>(main.board());
        QTRY_VERIFY(board->findChild<QLabel *>(u"figureOrders"_s)->text().startsWith(u"0"_s));
        QCOMPARE(board->takeawayModel()->rowCount(), 0);

        auto *forms = main.findChild<OrderForms *>(u"OrderForms"_s);
        Txiaoshou *form = forms->openManual();
        QVERIFY(QTest::qWaitForWindowActive(form));
        form->Edit9->setText(u"13900000001"_s);
        form->Com_dz->setCurrentText(u"幸福路1号"_s);
        auto *search = form->findChild<QLineEdit *>(u"Edit12"_s);
        search->setFocus();
        QTest::keyClicks(search, u"yxrs"_s);
        QTest::keyClick(search, Qt::Key_Return);
        QTest::keyClick(form->findChild<QListView *>(u"ListView2"_s), Qt::Key_Return);
        QTest::keyClick(form, Qt::Key_F1);

        QVERIFY2(board->takeawayModel()->rowCount() == 1, qPrintable(shop.prompter().texts().join(u'|')));
        const QString number = board->takeawayModel()->text(0, u"单据编号"_s);
        QCOMPARE(number, u"202612110001"_s);
        QCOMPARE(board->selectedOrder(), number);
        QCOMPARE(board->takeawayModel()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(166, 202, 240));
        QCOMPARE(board->findChild<QTableView *>(u"DBGridEh2"_s)->model()->index(0, 0).data().toString(),
                 u"鱼香肉丝"_s);
        board->findChild<QPushButton *>(u"Button2"_s)->click();
        QCOMPARE(board->findChild<QLabel *>(u"figureOrders"_s)->text(), u"1  次"_s);
        form->close();
        shop.prompter().scriptAnswers({true});
        main.close();
    }
};

QTEST_MAIN(TestOrderBoard)
#include "tst_orderboard.moc"
