#pragma once

#include <QByteArray>
#include <QString>

namespace lanfan {

// Mnemonic code of a text: one letter per character, the first letter of
// its pinyin for a Chinese character, Latin letters and digits kept, all in
// upper case ("宫保鸡丁" → "GBJD", "可乐2L" → "KL2L"). Works on GBK bytes.
//
// markMissing: a character without a reading gives "?" instead of nothing.
// keepAll: every single-byte and full-width character is kept, not only the
// letters and digits. A negative maximum length gives an empty text.
QString imCode(const QByteArray &gbk, bool markMissing, bool keepAll, int maxLength);

// The code the dish editor stores in 菜单表.拼音: neither option, at most
// 20 letters, in lower case.
QString dishMnemonic(const QString &name);

} // namespace lanfan
