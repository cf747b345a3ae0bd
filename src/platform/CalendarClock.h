#pragma once

#include "ostrel_export.h"

#include <cstdint>
#include <memory>

namespace ostrel::platform {

/// Calendar time in whole seconds, as the C library's time() counts it: the
/// clock of the type-ahead search of the document list, whose pause rule is
/// stated in whole seconds. The document list takes it from its dialog's
/// `platform::Services`, which fall back to `CalendarClock::getDefault()`;
/// tests hand in a `ManualCalendarClock`.
class OSTREL_EXPORT CalendarClock {
public:
    virtual ~CalendarClock() = default;

    /// Seconds since the epoch.
    virtual std::int64_t now() const = 0;

    /// The process-wide clock; the system clock until another is set.
    static CalendarClock& getDefault();
    /// Makes `clock` the process-wide clock and returns the previous one
    /// (null when none was set). Null restores the system clock.
    static std::unique_ptr<CalendarClock> setDefault(std::unique_ptr<CalendarClock> clock);

protected:
    CalendarClock() = default;
    CalendarClock(const CalendarClock&) = default;
    CalendarClock& operator=(const CalendarClock&) = default;
};

/// The system's calendar clock.
class OSTREL_EXPORT SystemCalendarClock : public CalendarClock {
public:
    std::int64_t now() const override;
};

/// A clock that stands still until it is moved: tests step it past the
/// type-ahead pause instead of sleeping.
class OSTREL_EXPORT ManualCalendarClock : public CalendarClock {
public:
    explicit ManualCalendarClock(std::int64_t start = 0) : now_(start) {}

    std::int64_t now() const override { return now_; }
    void set(std::int64_t seconds) { now_ = seconds; }
    void advance(std::int64_t seconds) { now_ += seconds; }

private:
    std::int64_t now_;
};

} // namespace ostrel::platform
