#include "ImCode.h"

#include "common/Text.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

#include "ImCodeTable.inc"

constexpr int kTrailCount = 0xFF - 0x40; // 191 trail bytes per lead byte

bool isAlnum(uchar c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

QChar upper(uchar c)
{
    return (c >= 'a' && c <= 'z') ? QChar(c - 'a' + 'A') : QChar(c);
}

// Row 0xA2 holds numbered symbols; each reads as its number in digits.
QString rowA2(uchar trail)
{
    struct Range {
        uchar first;
        uchar last;
    };
    static constexpr Range ranges[] = {
        {0xA1, 0xAA}, // small roman numerals i .. x
        {0xB1, 0xC4}, // 1. .. 20.
        {0xC5, 0xD8}, // (1) .. (20)
        {0xD9, 0xE2}, // circled 1 .. 10
        {0xE5, 0xEE}, // parenthesised ideographic 1 .. 10
        {0xF1, 0xFC}, // roman numerals I .. XII
    };
    for (const Range &r : ranges)
        if (trail >= r.first && trail <= r.last)
            return QString::number(trail - r.first + 1);
    return {};
}

// Row 0xA6 holds the Greek alphabet: capitals at 0xA1..0xB8, small letters
// at 0xC1..0xD8, both read as one Latin letter.
QChar rowA6(uchar trail)
{
    static const char greek[] = "ABGDEZETIKLMNXOPRSTYFCPO";
    if (trail >= 0xA1 && trail <= 0xB8)
        return QChar(greek[trail - 0xA1]);
    if (trail >= 0xC1 && trail <= 0xD8)
        return QChar(greek[trail - 0xC1]);
    return {};
}

QString syllable(uchar lead, uchar trail)
{
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE)
        return {};
    const int n = kCodeTable[(lead - 0x81) * kTrailCount + (trail - 0x40)];
    if (n < 1 || n > kSyllableCount)
        return {};
    return QString::fromLatin1(kSyllables[n - 1]);
}

} // namespace

QString imCode(const QByteArray &gbk, bool markMissing, bool keepAll, int maxLength)
{
    if (maxLength < 0)
        return {};
    QString out;
    const qsizetype n = gbk.size();
    qsizetype i = 0;
    while (i < n) {
        const uchar lead = uchar(gbk[i]);
        if (lead < 0x81 || i + 1 >= n || uchar(gbk[i + 1]) < 0x40) {
            if (keepAll || isAlnum(lead))
                out += upper(lead);
            ++i;
            continue;
        }
        const uchar trail = uchar(gbk[i + 1]);
        i += 2;

        bool hasReading = true;
        QString reading;
        switch (lead) {
        case 0xA2:
            reading = trail > 0xA0 ? rowA2(trail) : QString();
            hasReading = !reading.isEmpty();
            break;
        case 0xA3:
            // Full-width ASCII: the character 0x80 below the trail byte.
            if (trail >= 0xA1 && trail <= 0xFE) {
                const uchar c = uchar(trail - 0x80);
                if (keepAll || isAlnum(c))
                    reading = upper(c);
            } else {
                hasReading = false;
            }
            break;
        case 0xA6: {
            const QChar c = rowA6(trail);
            if (!c.isNull())
                reading = c;
            break;
        }
        default:
            reading = syllable(lead, trail).toUpper();
            hasReading = !reading.isEmpty();
            break;
        }
        if (!hasReading) {
            if (markMissing)
                out += u'?';
            continue;
        }
        if (!reading.isEmpty())
            out += reading.at(0);
    }
    return out.left(maxLength);
}

QString dishMnemonic(const QString &name)
{
    return imCode(toGbk(name), false, false, 20).toLower();
}

} // namespace lanfan
