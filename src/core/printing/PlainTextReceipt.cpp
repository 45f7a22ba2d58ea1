#include "PlainTextReceipt.h"

#include "common/Text.h"

using namespace Qt::StringLiterals;

namespace lanfan::printing {

QByteArray padRight(const QByteArray &bytes, int width)
{
    return bytes.size() >= width ? bytes : bytes + QByteArray(width - bytes.size(), ' ');
}

QByteArray padLeft(const QByteArray &bytes, int width)
{
    return bytes.size() >= width ? bytes : QByteArray(width - bytes.size(), ' ') + bytes;
}

QByteArray plainTextReceipt(const PrintOrder &o, const QString &shopName, const QString &servicePhrase)
{
    const QByteArray crlf("\r\n");
    QByteArray out;
    out += toGbk(u"["_s + shopName + u"送餐小票!]"_s) + crlf;
    for (const auto &l : o.lines) {
        out += toGbk(u"餐品名:"_s) + padRight(toGbk(l.dish), 10) + toGbk(u"。"_s)
             + padRight(toGbk(quantityText(l.quantity)), 3) + toGbk(u"份。"_s)
             + padRight(toGbk(moneyText(l.amount)), 5) + toGbk(u"元"_s) + crlf;
    }
    out += padLeft(toGbk(u"合计:"_s + moneyText(o.total) + u"元"_s), 26) + crlf;
    out += toGbk(u"配送地址:"_s + o.address) + crlf;
    out += toGbk(u"订餐人电话:"_s + o.phone) + crlf;
    out += toGbk(servicePhrase) + crlf;
    out += QByteArray(1, '\x0c') + crlf;
    return out;
}

} // namespace lanfan::printing
