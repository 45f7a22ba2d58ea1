#include "app/Passwords.h"

#include "common/Text.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

constexpr int kSaltBytes = 16;
constexpr int kHashBytes = 32;
// A stored count above this is refused rather than run (a damaged row must
// not hang the login).
constexpr int kMaxIterations = 10'000'000;

bool isHex(const QString &text)
{
    for (QChar c : text) {
        const bool digit = c >= u'0' && c <= u'9';
        const bool lower = c >= u'a' && c <= u'f';
        const bool upper = c >= u'A' && c <= u'F';
        if (!digit && !lower && !upper)
            return false;
    }
    return true;
}

// Compares without stopping at the first difference.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

} // namespace

QString hashPassword(const QString &password, const QByteArray &salt, int iterations)
{
    const QByteArray key = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, password.toUtf8(), salt, iterations, kHashBytes);
    return u"%1$%2$%3$%4"_s.arg(kPbkdf2Prefix)
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toHex()), QString::fromLatin1(key.toHex()));
}

QString hashPassword(const QString &password)
{
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator *random = QRandomGenerator::system();
    for (auto &byte : salt)
        byte = static_cast<char>(random->bounded(256));
    return hashPassword(password, salt, kPbkdf2Iterations);
}

bool isMd5Password(const QString &stored)
{
    return stored.size() == 32 && isHex(stored);
}

bool passwordMatches(const QString &stored, const QString &password)
{
    if (isMd5Password(stored))
        return sameBytes(stored.toLower().toLatin1(), md5Hex(password).toLower().toLatin1());

    const QStringList parts = stored.split(u'$');
    if (parts.size() != 4 || parts[0] != kPbkdf2Prefix)
        return false;
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    if (!ok || iterations < 1 || iterations > kMaxIterations)
        return false;
    if (!isHex(parts[2]) || !isHex(parts[3]) || parts[3].size() != 2 * kHashBytes)
        return false;
    const QByteArray salt = QByteArray::fromHex(parts[2].toLatin1());
    const QByteArray expected = QByteArray::fromHex(parts[3].toLatin1());
    const QByteArray key = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, password.toUtf8(), salt, iterations, kHashBytes);
    return sameBytes(key, expected);
}

} // namespace lanfan
