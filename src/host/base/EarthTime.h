#pragma once

#include "ostrel_export.h"

#include <cstdint>
#include <functional>
#include <string>

namespace zmbase {

/// A local calendar date and time of day. The first three fields are read
/// directly by callers: the full year, the month (1-12) and the day of the
/// month.
class OSTREL_EXPORT EarthTime {
public:
    std::int16_t year = 1970;
    std::int16_t month = 1;
    std::int16_t day = 1;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int16_t second = 0;

    EarthTime() = default;
    EarthTime(int y, int m, int d, int h = 0, int min = 0, int s = 0);

    /// Sets this value to the local now of the process-wide clock (see
    /// setLocalClock).
    void setNowLocal();

    /// Writes the date into `out`, replacing its content. Format 0 is the ISO
    /// calendar date YYYY-MM-DD; the two flags are part of the host interface
    /// and do not change format 0. Returns false, leaving `out` unchanged, for
    /// any other format.
    bool printDate(std::string& out, short format, bool withCentury, bool withSeparators) const;

    /// Reads a date written by printDate with the same format: for format 0
    /// exactly "YYYY-MM-DD" naming a real Gregorian calendar day (year 1 to
    /// 9999). On success the date is set and the time of day is midnight; on
    /// failure (also for a null text) nothing changes and the result is false.
    [[nodiscard]] bool parseDate(const char* text, short format);

    /// Whether year, month and day name the same calendar day as `other`.
    bool isSameDay(const EarthTime& other) const;

    friend bool operator==(const EarthTime&, const EarthTime&) = default;
};

/// Whether the given year/month/day is a real Gregorian calendar day.
[[nodiscard]] OSTREL_EXPORT bool isValidDate(int year, int month, int day);

/// The source of "now" for EarthTime::setNowLocal. The default reads the
/// system clock in local time; tests install a fixed or moving clock so that
/// day changes can be exercised without waiting for midnight.
using LocalClock = std::function<EarthTime()>;

/// Replaces the process-wide clock; an empty function restores the system
/// clock. Not thread-safe: set it before the clock is used.
OSTREL_EXPORT void setLocalClock(LocalClock clock);

/// Installs a clock for the lifetime of the object and restores the previous
/// one afterwards.
class OSTREL_EXPORT ScopedLocalClock {
public:
    explicit ScopedLocalClock(LocalClock clock);
    ~ScopedLocalClock();
    ScopedLocalClock(const ScopedLocalClock&) = delete;
    ScopedLocalClock& operator=(const ScopedLocalClock&) = delete;

private:
    LocalClock previous_;
};

} // namespace zmbase
