#pragma once

#include <QByteArray>
#include <QString>

namespace lanfan {
class AppContext;
}

namespace lanfan::printing {

class PrintSink;

// The command that opens a drawer of a model (钱箱类型), as the bytes go out;
// empty for the models opened another way ("中崎", "其他").
QByteArray drawerCommand(const QString &type);

// The message of a drawer whose port cannot be written.
QString drawerErrorMessage(const QString &systemError);

// Opens the cash drawer the way its model wants: the command bytes written to
// 钱箱端口, a raw job to the default printer ("USB钱箱"), the template
// "打开钱箱" printed on the default printer ("其他"), or a notice ("中崎").
// An empty 钱箱端口 means the shop has no drawer: nothing happens.
class CashDrawer {
public:
    CashDrawer(AppContext &ctx, PrintSink &sink);

    // Returns false when the drawer could not be opened; the message went to the prompter.
    bool open();
    // The payment paths that always write the port command of the model.
    bool openByPort();

private:
    bool writePort(const QByteArray &command);
    AppContext &m_ctx;
    PrintSink &m_sink;
};

} // namespace lanfan::printing
