#include "TestShop.h"
#include "app/EntryWiring.h"
#include "app/Login.h"
#include "app/MainEntries.h"
#include "app/OperatorWindows.h"
#include "app/Passwords.h"
#include "app/Skin.h"
#include "app/Tmain.h"
#include "data/Schema.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

namespace {

lanfan::Operator logIn(TestShop &shop, const QString &name, const QString &password)
{
    const auto op = lanfan::findOperator(shop.db(), name, password);
    if (!op)
        qFatal("login failed");
    shop.context().currentOperator() = *op;
    return *op;
}

// Screenshots of the windows, only when LANFAN_SCREENSHOT_DIR names a folder:
//   LANFAN_SCREENSHOT_DIR=shots xvfb-run -a -s "-screen 0 1280x800x24"
//     env QT_QPA_PLATFORM=xcb build/tests/ui_app_tst_operatorwindows screenshots
void settle()
{
    for (int i = 0; i < 10; ++i)
        QTest::qWait(30);
}

// A main window as the login leaves it, with its entries wired.
struct MainWindow {
    explicit MainWindow(TestShop &shop, const lanfan::Operator &op)
        : skin(shop.folder().skin()), main(shop.context(), skin)
    {
        lanfan::connectMainEntries(main, shop.context());
        main.applyRights(op);
    }
    lanfan::Skin skin;
    lanfan::Tmain main;
};

lanfan::Tcaozuoyuan_list *openList(lanfan::Tmain &main)
{
    main.menuAction(u"权限管理"_s)->trigger();
    auto *list = main.findChild<lanfan::Tcaozuoyuan_list *>(u"Tcaozuoyuan_list"_s);
    if (list && !list->isVisible())
        return nullptr;
    return list;
}

QTreeWidgetItem *node(QTreeWidget *tree, const QString &op, const QString &group = {})
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = tree->topLevelItem(i);
        if (top->text(0) != op)
            continue;
        if (group.isEmpty())
            return top;
        for (int j = 0; j < top->childCount(); ++j)
            if (top->child(j)->text(0) == group)
                return top->child(j);
    }
    return nullptr;
}

void setTick(QListWidget *checks, const QString &function, bool ticked)
{
    const QList<QListWidgetItem *> items = checks->findItems(function, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    items.first()->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

QString rights(TestShop &shop, const QString &name, int group)
{
    return shop.db()
        .scalar(u"select Right%1 from 登陆 where 用户=:用户"_s.arg(group), {{u"用户"_s, name}})
        .toString();
}

void click(QWidget *parent, const QString &name)
{
    auto *b = parent->findChild<QPushButton *>(name);
    QVERIFY2(b, qPrintable(name));
    b->click();
}

} // namespace

class TestOperatorWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savingTheHelpGroupStoresTwoCharacters()
    {
        TestShop shop;
        MainWindow w(shop, logIn(shop, u"admin"_s, lanfan::initialPassword()));
        lanfan::Tcaozuoyuan_list *list = openList(w.main);
        QVERIFY(list);
        auto *tree = list->findChild<QTreeWidget *>(u"operatorTree"_s);
        auto *checks = list->findChild<QListWidget *>(u"rightsList"_s);
        QCOMPARE(tree->topLevelItem(0)->childCount(), 5);
        tree->setCurrentItem(node(tree, u"admin"_s, u"5. 帮助"_s));
        QCOMPARE(checks->count(), 2);
        QCOMPARE(checks->item(1)->text(), u"关于"_s);
        QCOMPARE(checks->item(1)->checkState(), Qt::Checked);
        setTick(checks, u"关于"_s, false);
        QCOMPARE(rights(shop, u"admin"_s, 5), u"10"_s);
        setTick(checks, u"关于"_s, true);
        QCOMPARE(rights(shop, u"admin"_s, 5), u"11"_s);
        list->reject();
    }

    void closingTheListAppliesOwnRightsAtOnce()
    {
        TestShop shop;
        MainWindow w(shop, logIn(shop, u"admin"_s, lanfan::initialPassword()));
        QVERIFY(w.main.menuAction(u"客户管理"_s)->isEnabled());
        lanfan::Tcaozuoyuan_list *list = openList(w.main);
        auto *tree = list->findChild<QTreeWidget *>(u"operatorTree"_s);
        tree->setCurrentItem(node(tree, u"admin"_s, u"1. 基础数据"_s));
        setTick(list->findChild<QListWidget *>(u"rightsList"_s), u"客户管理"_s, false);
        QCOMPARE(rights(shop, u"admin"_s, 1), u"10111111"_s);
        QVERIFY(w.main.menuAction(u"客户管理"_s)->isEnabled());
        click(list, u"退出"_s);
        QVERIFY(!w.main.menuAction(u"客户管理"_s)->isEnabled());
        QVERIFY(!w.main.toolbarAction(u"客户管理"_s)->isEnabled());
        QCOMPARE(shop.context().currentOperator().rights[0], u"10111111"_s);
    }

    void nodesAreChecked()
    {
        TestShop shop;
        MainWindow w(shop, logIn(shop, u"admin"_s, lanfan::initialPassword()));
        lanfan::Operators(shop.context()).save({0, u"小王"_s, u"1"_s, u"1"_s, u"操作员"_s});
        lanfan::Tcaozuoyuan_list *list = openList(w.main);
        auto *tree = list->findChild<QTreeWidget *>(u"operatorTree"_s);

        tree->setCurrentItem(node(tree, u"admin"_s));
        click(list, u"删除"_s);
        QCOMPARE(shop.prompter().lastText(), u"不能删除自己"_s);
        tree->setCurrentItem(node(tree, u"小王"_s, u"2. 业务管理"_s));
        click(list, u"删除"_s);
        QCOMPARE(shop.prompter().lastText(), u"请选择低一层节点"_s);
        click(list, u"修改"_s);
        QCOMPARE(shop.prompter().lastText(), u"请选择低一层节点"_s);
        QCOMPARE(lanfan::Operators(shop.context()).names(), (QStringList{u"admin"_s, u"小王"_s}));

        // Cancelling the question keeps him; OK removes him.
        tree->setCurrentItem(node(tree, u"小王"_s));
        shop.prompter().scriptAnswers({false});
        click(list, u"删除"_s);
        QCOMPARE(shop.prompter().entries().last().kind, lanfan::Prompter::Kind::Question);
        QCOMPARE(shop.prompter().lastText(), u"确实要删除吗？"_s);
        QCOMPARE(tree->topLevelItemCount(), 2);
        shop.prompter().scriptAnswers({true});
        click(list, u"删除"_s);
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(lanfan::Operators(shop.context()).names(), QStringList{u"admin"_s});
        list->reject();
    }

    void theEditorChecksAndKeepsAdminsName()
    {
        TestShop shop;
        MainWindow w(shop, logIn(shop, u"admin"_s, lanfan::initialPassword()));
        lanfan::Tcaozuoyuan_list *list = openList(w.main);
        auto *tree = list->findChild<QTreeWidget *>(u"operatorTree"_s);
        tree->setCurrentItem(node(tree, u"admin"_s));
        click(list, u"修改"_s);
        auto *editor = list->findChild<lanfan::Tcaozuoyuan_add *>(u"Tcaozuoyuan_add"_s);
        QVERIFY(editor && editor->isVisible());
        auto *name = editor->findChild<QLineEdit *>(u"用户"_s);
        QCOMPARE(name->text(), u"admin"_s);
        QVERIFY(name->isReadOnly());
        QCOMPARE(editor->findChild<QLineEdit *>(u"密码"_s)->echoMode(), QLineEdit::Password);
        QCOMPARE(editor->findChild<QComboBox *>(u"权限"_s)->currentText(), u"管理员"_s);
        click(editor, u"确定"_s);
        QCOMPARE(shop.prompter().lastText(), u"请输入密码"_s);
        editor->findChild<QLineEdit *>(u"密码"_s)->setText(u"abc"_s);
        editor->findChild<QLineEdit *>(u"重复密码"_s)->setText(u"abd"_s);
        click(editor, u"确定"_s);
        QCOMPARE(shop.prompter().lastText(), u"两次密码输入的不一致！！"_s);
        editor->findChild<QLineEdit *>(u"重复密码"_s)->setText(u"abc"_s);
        click(editor, u"确定"_s);
        QCOMPARE(shop.prompter().lastText(), u"修改完毕"_s);
        QVERIFY(lanfan::findOperator(shop.db(), u"admin"_s, u"abc"_s));
        list->reject();
    }

    void aNewOperatorGetsHisRightsAtHisNextLogin()
    {
        TestShop shop;
        MainWindow w(shop, logIn(shop, u"admin"_s, lanfan::initialPassword()));
        lanfan::Tcaozuoyuan_list *list = openList(w.main);
        click(list, u"新建"_s);
        auto *editor = list->findChild<lanfan::Tcaozuoyuan_add *>(u"Tcaozuoyuan_add"_s);
        QVERIFY(editor);
        QVERIFY(!editor->findChild<QLineEdit *>(u"用户"_s)->isReadOnly());
        click(editor, u"确定"_s);
        QCOMPARE(shop.prompter().lastText(), u"请输入用户名"_s);
        editor->findChild<QLineEdit *>(u"用户"_s)->setText(u"admin"_s);
        editor->findChild<QLineEdit *>(u"密码"_s)->setText(u"77"_s);
        editor->findChild<QLineEdit *>(u"重复密码"_s)->setText(u"77"_s);
        click(editor, u"确定"_s);
        QCOMPARE(shop.prompter().lastText(), u"请选择权限！！"_s);
        editor->findChild<QComboBox *>(u"权限"_s)->setCurrentText(u"操作员"_s);
        click(editor, u"确定"_s);
        QCOMPARE(shop.prompter().lastText(), u"此用户名已经存在！！"_s);
        editor->findChild<QLineEdit *>(u"用户"_s)->setText(u"小王"_s);
        click(editor, u"确定"_s);
        QTRY_VERIFY(!list->findChild<lanfan::Tcaozuoyuan_add *>(u"Tcaozuoyuan_add"_s));
        auto *tree = list->findChild<QTreeWidget *>(u"operatorTree"_s);
        QVERIFY(node(tree, u"小王"_s, u"1. 基础数据"_s));

        // His first login: every governed entry is disabled.
        const lanfan::Operator first = *lanfan::findOperator(shop.db(), u"小王"_s, u"77"_s);
        lanfan::Skin skin2(shop.folder().skin());
        lanfan::Tmain his(shop.context(), skin2);
        for (const lanfan::MainEntry &e : lanfan::mainEntries())
            his.enableEntry(e.key, [] {});
        his.applyRights(first);
        for (const lanfan::MainEntry &e : lanfan::mainEntries()) {
            if (!e.right.governed())
                continue;
            for (QAction *a : his.entryActions(e.key))
                QVERIFY2(!a->isEnabled(), qPrintable(e.key));
        }

        // The administrator ticks "菜单管理" for him: his next login has it.
        tree->setCurrentItem(node(tree, u"小王"_s, u"1. 基础数据"_s));
        setTick(list->findChild<QListWidget *>(u"rightsList"_s), u"菜单管理"_s, true);
        list->reject();
        his.applyRights(*lanfan::findOperator(shop.db(), u"小王"_s, u"77"_s));
        QVERIFY(his.menuAction(u"菜单管理"_s)->isEnabled());
        QVERIFY(!his.menuAction(u"客户管理"_s)->isEnabled());
    }

    void passwordChangesFlow()
    {
        TestShop shop;
        MainWindow w(shop, logIn(shop, u"admin"_s, lanfan::initialPassword()));
        w.main.menuAction(u"修改密码"_s)->trigger();
        auto *own = w.main.findChild<lanfan::Txiugai_mima *>(u"Txiugai_mima"_s);
        QVERIFY(own && own->isVisible());
        own->findChild<QLineEdit *>(u"原始密码"_s)->setText(u"wrong"_s);
        own->findChild<QLineEdit *>(u"新密码"_s)->setText(u"n1"_s);
        own->findChild<QLineEdit *>(u"密码验证"_s)->setText(u"n1"_s);
        click(own, u"确定"_s);
        QCOMPARE(shop.prompter().lastText(), u"原密码错误！！"_s);
        QVERIFY(own->isVisible());
        own->findChild<QLineEdit *>(u"原始密码"_s)->setText(lanfan::initialPassword());
        click(own, u"确定"_s);
        QCOMPARE(shop.prompter().lastText(), u"密码修改成功！！"_s);
        QVERIFY(lanfan::findOperator(shop.db(), u"admin"_s, u"n1"_s));

        w.main.menuAction(u"初始化密码修改"_s)->trigger();
        auto *init = w.main.findChild<lanfan::TFchushihua_mima_xiugai *>(u"TFchushihua_mima_xiugai"_s);
        QVERIFY(init && init->isVisible());
        const QString old = shop.db().scalar(u"select 初始化密码 from 初始化密码"_s).toString();
        init->findChild<QLineEdit *>(u"原始密码"_s)->setText(old);
        init->findChild<QLineEdit *>(u"新密码"_s)->setText(u"x9"_s);
        init->findChild<QLineEdit *>(u"密码验证"_s)->setText(u"x8"_s);
        click(init, u"确定"_s);
        QCOMPARE(shop.prompter().lastText(), u"两次输入的密码不相同！！"_s);
        init->findChild<QLineEdit *>(u"密码验证"_s)->setText(u"x9"_s);
        click(init, u"确定"_s);
        QCOMPARE(shop.prompter().lastText(), u"密码修改成功！！"_s);
        QCOMPARE(shop.db().scalar(u"select 初始化密码 from 初始化密码"_s).toString(), u"x9"_s);
    }
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("LANFAN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("LANFAN_SCREENSHOT_DIR is not set");
        QDir().mkpath(dir);
        TestShop shop;
        MainWindow w(shop, logIn(shop, u"admin"_s, lanfan::initialPassword()));
        lanfan::Operators(shop.context()).save({0, u"收银员"_s, u"1"_s, u"1"_s, u"操作员"_s});
        lanfan::Tcaozuoyuan_list *list = openList(w.main);
        auto *tree = list->findChild<QTreeWidget *>(u"operatorTree"_s);
        tree->setCurrentItem(node(tree, u"admin"_s, u"2. 业务管理"_s));
        settle();
        QVERIFY(list->grab().save(QDir(dir).filePath(u"operators.png"_s)));
        tree->setCurrentItem(node(tree, u"admin"_s));
        click(list, u"修改"_s);
        auto *editor = list->findChild<lanfan::Tcaozuoyuan_add *>(u"Tcaozuoyuan_add"_s);
        settle();
        QVERIFY(editor->grab().save(QDir(dir).filePath(u"operator_add.png"_s)));
        editor->reject();
        list->reject();
        w.main.menuAction(u"修改密码"_s)->trigger();
        auto *own = w.main.findChild<lanfan::Txiugai_mima *>(u"Txiugai_mima"_s);
        settle();
        QVERIFY(own->grab().save(QDir(dir).filePath(u"password.png"_s)));
        own->reject();
        w.main.menuAction(u"初始化密码修改"_s)->trigger();
        auto *init = w.main.findChild<lanfan::TFchushihua_mima_xiugai *>(u"TFchushihua_mima_xiugai"_s);
        settle();
        QVERIFY(init->grab().save(QDir(dir).filePath(u"init_password.png"_s)));
        init->reject();
    }
};

QTEST_MAIN(TestOperatorWindows)
#include "tst_operatorwindows.moc"
