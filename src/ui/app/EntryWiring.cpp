#include "EntryWiring.h"

#include "Tmain.h"
#include "app/AppContext.h"

namespace lanfan {

void connectMainEntries(Tmain &main, AppContext &context)
{
    // The main window itself serves "退出" and "关于"; the other windows
    // connect their entries here as they arrive.
    Q_UNUSED(main);
    Q_UNUSED(context);
}

} // namespace lanfan
