#include "platform/CalendarClock.h"

#include "platform/detail/ProcessWide.h"

#include <ctime>

namespace ostrel::platform {

using DefaultClock = detail::ProcessWide<CalendarClock, SystemCalendarClock>;

CalendarClock& CalendarClock::getDefault() {
    return DefaultClock::get();
}

std::unique_ptr<CalendarClock> CalendarClock::setDefault(std::unique_ptr<CalendarClock> clock) {
    return DefaultClock::replace(std::move(clock));
}

std::int64_t SystemCalendarClock::now() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

} // namespace ostrel::platform
