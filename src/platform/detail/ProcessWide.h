#pragma once

#include <memory>
#include <utility>

namespace ostrel::platform::detail {

/// Holds the process-wide instance of a replaceable service (the settings
/// store, the monitor query, the clock) for its `getDefault`/`setDefault`.
///
/// The instance is kept through a plain pointer, never by a static object
/// with a destructor: when a host loads libostrel with dlopen, the runtime
/// may destroy the library's statics before its unload hook runs, and the
/// hook must still be able to put the host's previous service back. Whoever
/// installs an instance receives the previous one and owns it. The fallback,
/// made on first use when nothing is installed, stays reachable until exit.
template <class Service, class Fallback> class ProcessWide {
public:
    static Service& get() {
        if (installed_ == nullptr) {
            installed_ = new Fallback();
        }
        return *installed_;
    }

    /// Installs `next` (null: the fallback, made again on the next use) and
    /// returns what was installed before, null when nothing was.
    static std::unique_ptr<Service> replace(std::unique_ptr<Service> next) {
        return std::unique_ptr<Service>(std::exchange(installed_, next.release()));
    }

private:
    static inline constinit Service* installed_ = nullptr;
};

} // namespace ostrel::platform::detail
