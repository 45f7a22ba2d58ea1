#include "Text.h"

#include <QCryptographicHash>
#include <QStringList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace lanfan {

QByteArray toGbk(const QString &text)
{
    QStringEncoder enc("GBK");
    if (!enc.isValid())
        return text.toLocal8Bit();
    return enc.encode(text);
}

QString fromGbk(const QByteArray &bytes)
{
    QStringDecoder dec("GBK");
    if (!dec.isValid())
        return QString::fromLocal8Bit(bytes);
    return dec.decode(bytes);
}

int gbkWidth(const QString &text)
{
    return int(toGbk(text).size());
}

QString md5Hex(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(toGbk(text), QCryptographicHash::Md5).toHex());
}

QString wrapTextByBytes(int width, const QString &text)
{
    QStringList lines{QString()};
    int lineBytes = 0;
    for (int i = 0; i < text.size();) {
        const int len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        i += len;
        const int w = gbkWidth(ch);
        if (lineBytes + 1 > width) {
            lines.append(ch);
            lineBytes = w;
        } else {
            lines.last() += ch;
            lineBytes += w;
        }
    }
    return lines.join(QChar(13));
}

} // namespace lanfan
