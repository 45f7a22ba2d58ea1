#include "CallDevices.h"

namespace lanfan {

void connectCallDevices(Tmain &, AppContext &, CallIntake &, QLineEdit *)
{
}

} // namespace lanfan
