#include "common/TitleSort.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

using namespace lanfan;

namespace {

QStringList column0(QAbstractItemModel *m)
{
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, 0).data().toString();
    return out;
}

} // namespace

class TestTitleSort : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clicksCycleAscendingDescendingNone()
    {
        QStandardItemModel model(0, 2);
        for (const char *name : {"b", "c", "a"}) {
            model.appendRow({new QStandardItem(QString::fromLatin1(name)), new QStandardItem(QStringLiteral("x"))});
        }
        QTableView view;
        view.setModel(&model);
        QSortFilterProxyModel *proxy = TitleSort::install(&view);
        auto *sorter = view.findChild<TitleSort *>(QStringLiteral("TitleSort"));
        QVERIFY(sorter);
        QHeaderView *header = view.horizontalHeader();

        QCOMPARE(column0(proxy), (QStringList{"b", "c", "a"}));
        Q_EMIT header->sectionClicked(0);
        QCOMPARE(column0(proxy), (QStringList{"a", "b", "c"}));
        QCOMPARE(int(sorter->state(0)), int(SortState::Ascending));
        Q_EMIT header->sectionClicked(0);
        QCOMPARE(column0(proxy), (QStringList{"c", "b", "a"}));
        Q_EMIT header->sectionClicked(0);
        QCOMPARE(column0(proxy), (QStringList{"b", "c", "a"}));
        QCOMPARE(int(sorter->state(0)), int(SortState::None));
        QVERIFY(!header->isSortIndicatorShown());
    }

    void numbersSortAsNumbers()
    {
        QStandardItemModel model(0, 1);
        for (int v : {9, 10, 2}) {
            auto *item = new QStandardItem;
            item->setData(v, Qt::EditRole);
            model.appendRow(item);
        }
        QTableView view;
        view.setModel(&model);
        QSortFilterProxyModel *proxy = TitleSort::install(&view);
        Q_EMIT view.horizontalHeader()->sectionClicked(0);
        QCOMPARE(column0(proxy), (QStringList{"2", "9", "10"}));
    }
};

QTEST_MAIN(TestTitleSort)
#include "tst_titlesort.moc"
