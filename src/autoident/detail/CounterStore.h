#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class OstrelException;

namespace ostrel::autoident::detail {

/// A counter's state as a store keeps it.
struct StoredCounter {
    std::string name;
    std::uint32_t value = 0;
    std::string day; ///< the day the value belongs to, YYYY-MM-DD
};

/// One change of a counter, as the counter's rules describe it for a store
/// that applies it atomically against the state it holds at that moment:
/// when the stored day is today the value moves by `add` (wrapping in 32
/// bits), on any other day it becomes `newDayValue`; either way the day
/// becomes today. With `set` the value becomes `newDayValue` whatever the day
/// (the counter was re-synchronised with a typed identifier of today).
struct CounterStep {
    std::string name;
    std::string today;
    std::uint32_t newDayValue = 0;
    std::uint32_t add = 0;
    bool set = false;
};

/// Why a store failed, for the identifier set's state.
enum class StoreFault { None, Unavailable, Refused, Busy };

/// Where an identifier set keeps its counters' state when it is not a value
/// file: a store shared by many processes and machines, which applies every
/// change in one atomic step of its own. The counter rules stay with the
/// counter (the set turns them into CounterSteps).
class CounterStore {
public:
    virtual ~CounterStore() = default;

    /// A store of the same place, for a copy of the set (it connects on its
    /// first use).
    virtual std::unique_ptr<CounterStore> clone() const = 0;
    /// The place, as the host named it.
    virtual const std::string& location() const = 0;

    /// Adds `defaults` for the counters not stored yet and returns every
    /// stored counter, also those that no definition of this host names.
    virtual std::optional<std::vector<StoredCounter>>
    load(const std::vector<StoredCounter>& defaults, OstrelException* errors) = 0;
    /// Applies `step` atomically and returns the counter's new stored value.
    [[nodiscard]] virtual std::optional<std::uint32_t> apply(const CounterStep& step,
                                                             OstrelException* errors) = 0;
    /// Sets stored counters to `counters` where those are later (a later day,
    /// or the same day and a higher value); never lowers one. One transaction.
    [[nodiscard]] virtual bool raise(const std::vector<StoredCounter>& counters,
                                     OstrelException* errors) = 0;

    /// Why the last step failed.
    virtual StoreFault fault() const = 0;
};

/// Whether `location` names a counter database (a `postgresql://` or
/// `postgres://` URI) rather than a value file.
bool isCounterDatabase(const std::string& location);

/// The store that `location` names, or null when it names a value file.
std::unique_ptr<CounterStore> openCounterStore(const std::string& location);

} // namespace ostrel::autoident::detail
