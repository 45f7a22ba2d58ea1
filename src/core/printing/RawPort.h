#pragma once

#include <QByteArray>
#include <QString>

namespace lanfan::printing {

// The device a port name of the settings means on this computer: a path is
// taken as it is; "LPT1".."LPT9" is the n-th printer device (/dev/usb/lpN,
// else /dev/lpN); "COM1".."COM9" (or a bare number) the n-th serial port
// (/dev/ttySN, counting from 0). Anything else is taken as a path.
QString portDevicePath(const QString &portName);

// Writes bytes to a port (device or plain file) and closes it. Returns false
// with the system's error text when the port cannot be opened or written.
bool writeToPort(const QString &portName, const QByteArray &bytes, QString *error);

} // namespace lanfan::printing
