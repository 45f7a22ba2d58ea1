#pragma once

#include <QString>

namespace lanfan {

// The caller-ID device chosen at login, as the device code reads it for the
// rest of the run.
struct CallDeviceMode {
    // "来电登陆" (a serial device), "无来电登陆" (none), or "录音登陆" followed
    // by the USB box type ("录音登陆H型", "录音登陆Q型", "录音登陆X型",
    // "录音登陆H型无录音"); empty until somebody has logged in.
    QString mode;
    QString serialType;  // "MODEM", "一路", "二路", "四路"; empty with a USB box
    int serialPort = 0;  // COM port number of the serial device
    QString usbLines;    // lines of the USB box; the COM port number for "X型"

    bool usesSerialDevice() const { return mode == QStringLiteral("来电登陆"); }
    bool usesUsbBox() const { return mode.startsWith(QStringLiteral("录音登陆")); }
    // "H型", "Q型", "X型" or "H型无录音" with a USB box, else empty.
    QString usbType() const { return usesUsbBox() ? mode.mid(4) : QString(); }
};

} // namespace lanfan
