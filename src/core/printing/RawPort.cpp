#include "RawPort.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace lanfan::printing {

QString portDevicePath(const QString &portName)
{
    const QString name = portName.trimmed();
    static const QRegularExpression lpt(u"^lpt([1-9])$"_s, QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression com(u"^(?:com)?([1-9][0-9]?)$"_s, QRegularExpression::CaseInsensitiveOption);
    if (const auto m = lpt.match(name); m.hasMatch()) {
        const int n = m.captured(1).toInt() - 1;
        const QString usb = u"/dev/usb/lp%1"_s.arg(n);
        return QFile::exists(usb) ? usb : u"/dev/lp%1"_s.arg(n);
    }
    if (const auto m = com.match(name); m.hasMatch())
        return u"/dev/ttyS%1"_s.arg(m.captured(1).toInt() - 1);
    return name;
}

bool writeToPort(const QString &portName, const QByteArray &bytes, QString *error)
{
    const QString path = portDevicePath(portName);
    QFile port(path);
    // A device is written as it is; a plain file standing in for it is replaced.
    if (path.isEmpty() || !port.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = path.isEmpty() ? u"没有指定端口"_s : path + u": "_s + port.errorString();
        return false;
    }
    if (port.write(bytes) != bytes.size() || !port.flush()) {
        if (error)
            *error = path + u": "_s + port.errorString();
        return false;
    }
    port.close();
    return true;
}

} // namespace lanfan::printing
