#include "Clock.h"

namespace lanfan {

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

} // namespace lanfan
