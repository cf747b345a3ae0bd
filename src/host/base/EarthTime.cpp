#include "host/base/EarthTime.h"

#include <cstdio>
#include <ctime>
#include <utility>

namespace zmbase {
namespace {

EarthTime systemNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return EarthTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min, local.tm_sec);
}

LocalClock& currentClock() {
    static LocalClock clock;
    return clock;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int readDigits(const char* text, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

EarthTime::EarthTime(int y, int m, int d, int h, int min, int s)
    : year(static_cast<std::int16_t>(y)), month(static_cast<std::int16_t>(m)),
      day(static_cast<std::int16_t>(d)), hour(static_cast<std::int16_t>(h)),
      minute(static_cast<std::int16_t>(min)), second(static_cast<std::int16_t>(s)) {}

void EarthTime::setNowLocal() {
    const LocalClock& clock = currentClock();
    *this = clock ? clock() : systemNow();
}

bool EarthTime::printDate(std::string& out, short format, bool, bool) const {
    if (format != 0) {
        return false;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    out = buffer;
    return true;
}

bool EarthTime::parseDate(const char* text, short format) {
    if (format != 0 || text == nullptr) {
        return false;
    }
    // Exactly ten characters: four digits, '-', two digits, '-', two digits.
    for (int i = 0; i < 10; ++i) {
        const bool separator = (i == 4 || i == 7);
        if (text[i] == '\0' || (separator ? text[i] != '-' : !isDigit(text[i]))) {
            return false;
        }
    }
    if (text[10] != '\0') {
        return false;
    }
    const int y = readDigits(text, 4);
    const int m = readDigits(text + 5, 2);
    const int d = readDigits(text + 8, 2);
    if (!isValidDate(y, m, d)) {
        return false;
    }
    *this = EarthTime(y, m, d);
    return true;
}

bool EarthTime::isSameDay(const EarthTime& other) const {
    return year == other.year && month == other.month && day == other.day;
}

bool isValidDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = (month == 2 && leap) ? 29 : kDays[month - 1];
    return day <= length;
}

void setLocalClock(LocalClock clock) {
    currentClock() = std::move(clock);
}

ScopedLocalClock::ScopedLocalClock(LocalClock clock) : previous_(std::move(currentClock())) {
    currentClock() = std::move(clock);
}

ScopedLocalClock::~ScopedLocalClock() {
    currentClock() = std::move(previous_);
}

} // namespace zmbase
