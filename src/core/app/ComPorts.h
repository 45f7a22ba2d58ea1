#pragma once

#include <QString>
#include <QStringList>

namespace lanfan {

class DataFolder;

// The COM port numbers among port names such as "COM3" or " com10 ": every
// name that, trimmed and upper-cased, begins with "COM" gives the number that
// follows; the numbers come in numeric order (COM2 before COM10), once each,
// without leading zeros.
QStringList comPortNumbers(const QStringList &portNames);

// The COM ports of this PC by name ("COM1", ...). A shop numbers its serial
// devices the way Wine does: the folder "ports" of the data folder may hold
// links named COM1, COM2, ... to device files (/dev/ttyUSB0, a socat pty);
// the system's own serial ports /dev/ttyS<k> count as COM<k+1>; on Windows
// the system's port names are COM names already.
QStringList systemComPortNames(const DataFolder &folder);

// The device file of COM port `number`: the link in the data folder's
// "ports" folder when there is one, else the system's port.
QString comPortDevice(const DataFolder &folder, int number);

// The device file of a port as chosen at login: a COM port number, or a
// device path typed in. Empty when the choice names no port (empty, or a
// number below 1).
QString chosenPortDevice(const DataFolder &folder, const QString &chosen);

} // namespace lanfan
