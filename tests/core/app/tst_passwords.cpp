#include "TestShop.h"
#include "app/Login.h"
#include "app/Passwords.h"
#include "common/Text.h"
#include "data/Schema.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

namespace {

void addOperator(lanfan::Db &db, const QString &name, const QString &stored)
{
    db.execute(u"insert into 登陆 (用户,密码,权限,Right1,Right2,Right3,Right4,Right5,Right6,Right7,Right8,Right9) "
               "values (:用户,:密码,'操作员',:r,:r,:r,:r,:r,:r,:r,:r,:r)"_s,
               {{u"用户"_s, name}, {u"密码"_s, stored}, {u"r"_s, QString(31, u'0')}});
}

QString storedPassword(lanfan::Db &db, const QString &name)
{
    return db.scalar(u"select 密码 from 登陆 where 用户=:用户"_s, {{u"用户"_s, name}}).toString();
}

} // namespace

class TestPasswords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theSaltedFormCarriesItsParameters()
    {
        const QString stored = lanfan::hashPassword(u"密码123"_s);
        const QStringList parts = stored.split(u'$');
        QCOMPARE(parts.size(), 4);
        QCOMPARE(parts[0], u"pbkdf2-sha256"_s);
        QCOMPARE(parts[1].toInt(), lanfan::kPbkdf2Iterations);
        QCOMPARE(parts[2].size(), 32);
        QCOMPARE(parts[3].size(), 64);
        // A fresh salt each time: the same password gives another text.
        QVERIFY(lanfan::hashPassword(u"密码123"_s) != stored);
        QVERIFY(lanfan::passwordMatches(stored, u"密码123"_s));
        QVERIFY(!lanfan::passwordMatches(stored, u"密码124"_s));
        QVERIFY(!lanfan::isMd5Password(stored));
    }

    void aKnownVectorIsReproduced()
    {
        // PBKDF2-HMAC-SHA256, password "password", salt "salt", 1 iteration.
        const QString stored = lanfan::hashPassword(u"password"_s, "salt", 1);
        QCOMPARE(stored.section(u'$', 3),
                 u"120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"_s);
        QVERIFY(lanfan::passwordMatches(u"pbkdf2-sha256$1$73616c74$120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"_s,
                                        u"password"_s));
    }

    void storedTextsAreChecked_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("matches");
        QTest::newRow("md5 of the empty text, empty password") << u"d41d8cd98f00b204e9800998ecf8427e"_s << QString() << true;
        QTest::newRow("md5 of the empty text, a space") << u"d41d8cd98f00b204e9800998ecf8427e"_s << u" "_s << false;
        QTest::newRow("md5 row") << lanfan::md5Hex(u"8888"_s) << u"8888"_s << true;
        QTest::newRow("md5 row, upper case") << lanfan::md5Hex(u"8888"_s).toUpper() << u"8888"_s << true;
        QTest::newRow("md5 row, wrong password") << lanfan::md5Hex(u"8888"_s) << u"888"_s << false;
        QTest::newRow("empty stored text") << QString() << QString() << false;
        QTest::newRow("plain text is no digest") << u"8888"_s << u"8888"_s << false;
        QTest::newRow("damaged salted text") << u"pbkdf2-sha256$x$00$00"_s << QString() << false;
        QTest::newRow("absurd iteration count") << u"pbkdf2-sha256$2000000000$00$"_s + QString(64, u'0') << QString() << false;
        QTest::newRow("empty password, salted") << lanfan::hashPassword(QString(), "ab", 10) << QString() << true;
    }

    void storedTextsAreChecked()
    {
        QFETCH(QString, stored);
        QFETCH(QString, password);
        QFETCH(bool, matches);
        QCOMPARE(lanfan::passwordMatches(stored, password), matches);
    }

    void bothFormsLogInAndAnMd5RowIsUpgraded()
    {
        TestShop shop;
        addOperator(shop.db(), u"老张"_s, lanfan::md5Hex(u"1234"_s));
        addOperator(shop.db(), u"小李"_s, lanfan::hashPassword(u"abcd"_s));
        const QString salted = storedPassword(shop.db(), u"小李"_s);

        // A wrong password is refused and leaves the MD5 row alone.
        QVERIFY(!lanfan::findOperator(shop.db(), u"老张"_s, u"12345"_s));
        QCOMPARE(storedPassword(shop.db(), u"老张"_s), lanfan::md5Hex(u"1234"_s));

        QVERIFY(lanfan::findOperator(shop.db(), u"老张"_s, u"1234"_s));
        const QString upgraded = storedPassword(shop.db(), u"老张"_s);
        QVERIFY(upgraded.startsWith(u"pbkdf2-sha256$"_s));
        QVERIFY(lanfan::passwordMatches(upgraded, u"1234"_s));
        // The upgraded row keeps logging in, and is not rewritten again.
        QVERIFY(lanfan::findOperator(shop.db(), u"老张"_s, u"1234"_s));
        QCOMPARE(storedPassword(shop.db(), u"老张"_s), upgraded);

        QVERIFY(lanfan::findOperator(shop.db(), u"小李"_s, u"abcd"_s));
        QVERIFY(!lanfan::findOperator(shop.db(), u"小李"_s, u"abce"_s));
        QCOMPARE(storedPassword(shop.db(), u"小李"_s), salted);
    }
};

QTEST_GUILESS_MAIN(TestPasswords)
#include "tst_passwords.moc"
