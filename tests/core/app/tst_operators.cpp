#include "TestShop.h"
#include "app/Login.h"
#include "app/MainEntries.h"
#include "app/Operators.h"
#include "app/Passwords.h"
#include "data/Schema.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

namespace {

void logInAsAdmin(TestShop &shop)
{
    const auto admin = lanfan::findOperator(shop.db(), u"admin"_s, lanfan::initialPassword());
    QVERIFY(admin);
    shop.context().currentOperator() = *admin;
}

lanfan::OperatorForm form(const QString &name, const QString &password, const QString &repeat,
                          const QString &role, int id = 0)
{
    return {id, name, password, repeat, role};
}

QString initPassword(lanfan::Db &db)
{
    return db.scalar(u"select 初始化密码 from 初始化密码"_s).toString();
}

} // namespace

class TestOperators : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theGroupsHaveTheirFunctions()
    {
        QStringList nodes;
        QList<int> sizes;
        for (const lanfan::RightsGroup &g : lanfan::rightsGroups()) {
            nodes << g.nodeText();
            sizes << int(g.functions.size());
        }
        QCOMPARE(nodes, (QStringList{u"1. 基础数据"_s, u"2. 业务管理"_s, u"3. 查询统计"_s, u"4. 系统设置"_s, u"5. 帮助"_s}));
        QCOMPARE(sizes, (QList<int>{8, 14, 8, 6, 2}));
        QCOMPARE(lanfan::rightsGroups()[1].functions[13], u"成品和配料入库"_s);
        QCOMPARE(lanfan::rightsGroupByNode(u"5. 帮助"_s)->number, 5);
        QVERIFY(!lanfan::rightsGroupByNode(u"admin"_s));
    }

    void aNewOperatorIsChecked_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("repeat");
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << u"  "_s << u"1"_s << u"1"_s << u"操作员"_s << lanfan::kEnterNameMessage;
        QTest::newRow("no password") << u"小王"_s << QString() << QString() << u"操作员"_s << lanfan::kEnterPasswordMessage;
        QTest::newRow("passwords differ") << u"小王"_s << u"1"_s << u"2"_s << u"操作员"_s << lanfan::kPasswordsDifferMessage;
        QTest::newRow("no role") << u"小王"_s << u"1"_s << u"1"_s << QString() << lanfan::kChooseRoleMessage;
        QTest::newRow("name taken") << u"admin"_s << u"1"_s << u"1"_s << u"操作员"_s << lanfan::kNameTakenMessage;
    }

    void aNewOperatorIsChecked()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, repeat);
        QFETCH(QString, role);
        QFETCH(QString, message);
        TestShop shop;
        logInAsAdmin(shop);
        lanfan::Operators ops(shop.context());
        const lanfan::SaveResult r = ops.save(form(name, password, repeat, role));
        QVERIFY(!r.ok);
        QCOMPARE(r.message, message);
        QCOMPARE(ops.names(), QStringList{u"admin"_s});
    }

    void aNewOperatorHasNoRightsUntilTheyAreTicked()
    {
        TestShop shop;
        logInAsAdmin(shop);
        lanfan::Operators ops(shop.context());
        const lanfan::SaveResult r = ops.save(form(u"小王"_s, u"5678"_s, u"5678"_s, u"操作员"_s));
        QVERIFY(r.ok);
        QVERIFY(r.message.isEmpty());
        QCOMPARE(ops.names(), (QStringList{u"admin"_s, u"小王"_s}));
        QVERIFY(shop.db().scalar(u"select 密码 from 登陆 where 用户='小王'"_s).toString().startsWith(u"pbkdf2-sha256$"_s));

        auto op = lanfan::findOperator(shop.db(), u"小王"_s, u"5678"_s);
        QVERIFY(op);
        QCOMPARE(op->rights, QStringList(9, lanfan::kNoRights));
        for (const lanfan::MainEntry &e : lanfan::mainEntries())
            if (e.right.governed())
                QVERIFY2(!lanfan::entryAllowed(*op, e), qPrintable(e.key));

        QCOMPARE(ops.saveRights(u"小王"_s, 1, {true}), u"10000000"_s);
        op = lanfan::findOperator(shop.db(), u"小王"_s, u"5678"_s);
        QVERIFY(lanfan::entryAllowed(*op, *lanfan::findMainEntry(u"菜单管理"_s)));
        QVERIFY(!lanfan::entryAllowed(*op, *lanfan::findMainEntry(u"客户管理"_s)));
    }

    void savingAGroupWritesOneCharacterPerFunction_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QList<bool>>("ticks");
        QTest::addColumn<QString>("stored");
        QTest::newRow("help, both") << 5 << QList<bool>{true, true} << u"11"_s;
        QTest::newRow("help, about only") << 5 << QList<bool>{false, true} << u"01"_s;
        QTest::newRow("business, too many ticks are cut")
            << 2 << QList<bool>(20, true) << QString(14, u'1');
        QTest::newRow("system, missing ticks are refused") << 4 << QList<bool>{true, true} << u"110000"_s;
    }

    void savingAGroupWritesOneCharacterPerFunction()
    {
        QFETCH(int, group);
        QFETCH(QList<bool>, ticks);
        QFETCH(QString, stored);
        TestShop shop;
        lanfan::Operators ops(shop.context());
        QCOMPARE(ops.saveRights(u"admin"_s, group, ticks), stored);
        QCOMPARE(ops.rights(u"admin"_s, group), stored);
        // The other groups keep their strings.
        QCOMPARE(ops.rights(u"admin"_s, group == 1 ? 3 : 1), QString(31, u'1'));
    }

    void changingAnOperator()
    {
        TestShop shop;
        logInAsAdmin(shop);
        lanfan::Operators ops(shop.context());
        QVERIFY(ops.save(form(u"小王"_s, u"1"_s, u"1"_s, u"操作员"_s)).ok);
        const int adminId = ops.findByName(u"admin"_s)->id;
        const int wangId = ops.findByName(u"小王"_s)->id;

        // "admin" keeps its name whatever the box holds; the password is set anew.
        lanfan::SaveResult r = ops.save(form(u"root"_s, u"new"_s, u"new"_s, u"管理员"_s, adminId));
        QVERIFY(r.ok);
        QCOMPARE(r.message, lanfan::kOperatorChangedMessage);
        QCOMPARE(ops.names(), (QStringList{u"admin"_s, u"小王"_s}));
        QVERIFY(lanfan::findOperator(shop.db(), u"admin"_s, u"new"_s));
        QVERIFY(!lanfan::findOperator(shop.db(), u"admin"_s, lanfan::initialPassword()));

        // Another operator may not take a name in use.
        r = ops.save(form(u"admin"_s, u"2"_s, u"2"_s, u"操作员"_s, wangId));
        QCOMPARE(r.message, lanfan::kNameTakenMessage);
        r = ops.save(form(u"小王"_s, u"2"_s, u"3"_s, u"操作员"_s, wangId));
        QCOMPARE(r.message, lanfan::kPasswordsDifferMessage);
        r = ops.save(form(u"王师傅"_s, u"2"_s, u"2"_s, u"管理员"_s, wangId));
        QVERIFY(r.ok);
        QCOMPARE(ops.find(wangId)->name, u"王师傅"_s);
        QCOMPARE(ops.find(wangId)->role, u"管理员"_s);
    }

    void deletingChecksTheNode()
    {
        TestShop shop;
        logInAsAdmin(shop);
        lanfan::Operators ops(shop.context());
        QVERIFY(ops.save(form(u"小王"_s, u"1"_s, u"1"_s, u"操作员"_s)).ok);
        QCOMPARE(ops.checkDelete(u"admin"_s, true), lanfan::kCannotDeleteSelfMessage);
        QCOMPARE(ops.checkDelete(u"1. 基础数据"_s, false), lanfan::kChooseLowerNodeMessage);
        QCOMPARE(ops.checkDelete(u"小王"_s, true), QString());
        ops.remove(u"admin"_s);
        ops.remove(u"小王"_s);
        QCOMPARE(ops.names(), QStringList{u"admin"_s});
    }

    void ownRightsAreReadAgain()
    {
        TestShop shop;
        logInAsAdmin(shop);
        lanfan::Operators ops(shop.context());
        ops.saveRights(u"admin"_s, 1, {false, true});
        QCOMPARE(shop.context().currentOperator().rights[0], QString(31, u'1'));
        ops.reloadCurrentOperator();
        QCOMPARE(shop.context().currentOperator().rights[0], u"01000000"_s);
    }

    void changingOwnPassword_data()
    {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("repeat");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty new") << lanfan::initialPassword() << QString() << QString() << lanfan::kNewPasswordEmptyMessage;
        QTest::newRow("typed differently") << lanfan::initialPassword() << u"a"_s << u"b"_s << lanfan::kNewPasswordsDifferMessage;
        QTest::newRow("wrong old") << u"nope"_s << u"a"_s << u"a"_s << lanfan::kOldPasswordWrongMessage;
        QTest::newRow("changed") << lanfan::initialPassword() << u"a"_s << u"a"_s << lanfan::kPasswordChangedMessage;
    }

    void changingOwnPassword()
    {
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, repeat);
        QFETCH(QString, message);
        TestShop shop;
        logInAsAdmin(shop);
        lanfan::Operators ops(shop.context());
        QCOMPARE(ops.changeOwnPassword(oldPassword, newPassword, repeat), message);
        const bool changed = message == lanfan::kPasswordChangedMessage;
        QCOMPARE(bool(lanfan::findOperator(shop.db(), u"admin"_s, newPassword)), changed);
        QCOMPARE(bool(lanfan::findOperator(shop.db(), u"admin"_s, lanfan::initialPassword())), !changed);
    }

    void changingTheInitialisationPassword()
    {
        TestShop shop;
        logInAsAdmin(shop);
        lanfan::Operators ops(shop.context());
        const QString old = initPassword(shop.db());
        QVERIFY(!old.isEmpty());
        QCOMPARE(ops.changeInitPassword(old + u"x"_s, u"9"_s, u"9"_s), lanfan::kOldPasswordWrongMessage);
        QCOMPARE(ops.changeInitPassword(old, u"9"_s, u"8"_s), lanfan::kNewPasswordsDifferMessage);
        QCOMPARE(ops.changeInitPassword(old, QString(), QString()), lanfan::kNewPasswordEmptyMessage);
        QCOMPARE(initPassword(shop.db()), old);
        QCOMPARE(ops.changeInitPassword(old, u"9"_s, u"9"_s), lanfan::kPasswordChangedMessage);
        // Kept as plain text.
        QCOMPARE(initPassword(shop.db()), u"9"_s);
    }
};

QTEST_GUILESS_MAIN(TestOperators)
#include "tst_operators.moc"
