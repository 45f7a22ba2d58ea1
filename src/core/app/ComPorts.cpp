#include "ComPorts.h"

#include "data/DataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

// The entries of the ports folder; System also lists links whose device is gone.
QFileInfoList portLinks(const DataFolder &folder)
{
    return QDir(folder.path(u"ports"_s)).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

QStringList comPortNumbers(const QStringList &portNames)
{
    static const QRegularExpression com(u"^COM(\\d+)"_s);
    QStringList padded;
    for (const QString &name : portNames) {
        const QRegularExpressionMatch m = com.match(name.trimmed().toUpper());
        if (!m.hasMatch())
            continue;
        const QString number = QString::number(m.captured(1).toInt()).rightJustified(3, u'0');
        if (!padded.contains(number))
            padded << number;
    }
    std::sort(padded.begin(), padded.end());
    QStringList out;
    for (const QString &p : padded)
        out << QString::number(p.toInt());
    return out;
}

QStringList systemComPortNames(const DataFolder &folder)
{
    QStringList names;
    for (const QFileInfo &entry : portLinks(folder))
        names << entry.fileName();
    static const QRegularExpression ttyS(u"^ttyS(\\d+)$"_s);
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const QString name = info.portName();
        if (name.startsWith(u"COM"_s, Qt::CaseInsensitive)) {
            names << name;
        } else if (const QRegularExpressionMatch m = ttyS.match(name); m.hasMatch()) {
            names << u"COM"_s + QString::number(m.captured(1).toInt() + 1);
        }
    }
    return names;
}

QString comPortDevice(const DataFolder &folder, int number)
{
    for (const QFileInfo &entry : portLinks(folder)) {
        if (entry.fileName().compare(u"COM"_s + QString::number(number), Qt::CaseInsensitive) == 0)
            return entry.isSymLink() ? entry.symLinkTarget() : entry.absoluteFilePath();
    }
#ifdef Q_OS_WIN
    return u"COM"_s + QString::number(number);
#else
    return u"/dev/ttyS"_s + QString::number(number - 1);
#endif
}

QString chosenPortDevice(const DataFolder &folder, const QString &chosen)
{
    const QString text = chosen.trimmed();
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (!isNumber)
        return text;
    return number > 0 ? comPortDevice(folder, number) : QString();
}

} // namespace lanfan
