#pragma once

#include <memory>
#include <utility>

namespace ostrel::platform {

/// Installs a process-wide service (a settings store, a monitor query, a
/// clock) for the lifetime of the object and puts the previous one back:
///
///     ScopedDefault<Registry> store(std::make_unique<MemoryRegistry>());
///     ScopedDefault<CalendarClock> clock(std::make_unique<ManualCalendarClock>(0));
template <class Service> class ScopedDefault {
public:
    explicit ScopedDefault(std::unique_ptr<Service> service)
        : installed_(service.get()), previous_(Service::setDefault(std::move(service))) {}
    ~ScopedDefault() { Service::setDefault(std::move(previous_)); }
    ScopedDefault(const ScopedDefault&) = delete;
    ScopedDefault& operator=(const ScopedDefault&) = delete;

    /// The installed service, as the type it was made with.
    template <class Concrete = Service> Concrete& get() const {
        return static_cast<Concrete&>(*installed_);
    }

private:
    Service* installed_;
    std::unique_ptr<Service> previous_;
};

} // namespace ostrel::platform
