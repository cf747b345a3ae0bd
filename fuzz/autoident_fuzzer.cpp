// Arbitrary bytes as an identifier definition file, a value file and a typed
// identifier, separated by NUL bytes (which no XML file contains): loading,
// numbering, re-synchronising and rewriting must never crash, leak or hang,
// and the value file just written must load back to the same counters. The
// clock stands on the day the seeds' typed identifiers carry (2024-03-01),
// so re-synchronising with them succeeds.
#include "Scratch.h"
#include "autoident/AutoIncrementedIdentificators.h"
#include "host/base/EarthTime.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <string>
#include <string_view>

namespace {

// What a set hands out: every counter's next identifier with its fixed length.
std::string offered(AutoIncrementedIdentificators& set) {
    std::list<Ostrel::u8string> names;
    set.getNames(names);
    std::string all;
    for (const Ostrel::u8string& name : names) {
        long fixedLength = 0;
        const char* next = set.getValue(name.c_str(), fixedLength);
        all += name.str() + '\n' + (next ? next : "(null)") + '\n' + std::to_string(fixedLength) +
               '\n';
    }
    return all;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zmbase::setLocalClock([] { return zmbase::EarthTime(2024, 3, 1, 9, 30, 0); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ostrel::fuzz::Scratch scratch;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string definitions = scratch.write("defs.xml", ostrel::fuzz::takePart(rest));
    const std::string values = scratch.write("values.xml", ostrel::fuzz::takePart(rest));
    const std::string typed(ostrel::fuzz::takePart(rest));

    AutoIncrementedIdentificators set;
    const bool loaded = set.init(definitions, values);
    std::list<Ostrel::u8string> names;
    set.getNames(names);
    for (const Ostrel::u8string& name : names) {
        long fixedLength = 0;
        set.getValue(name.c_str(), fixedLength);
        // Refusals are expected here; what is kept must still read back below.
        static_cast<void>(set.updateIdentifier(name.c_str(), typed.c_str()));
        static_cast<void>(set.incrementValue(name.c_str()));
    }
    const AutoIncrementedIdentificators copy(set);
    set = copy;

    // What the library wrote, it reads back: the same counters, the same next identifiers.
    if (loaded && set.isValueFileWritten()) {
        const std::string before = offered(set);
        AutoIncrementedIdentificators reread;
        if (!reread.init(definitions, values) || offered(reread) != before) {
            std::abort();
        }
    }

    // The typed text also as a prefix pattern of a counter built directly.
    AutoIdentificator counter(typed.c_str(), typed.c_str(), 1, 1, 3, 2);
    long fixedLength = 0;
    const std::string identifier = counter.getValue(fixedLength);
    // Only crashes are looked for here: either text may be refused.
    static_cast<void>(counter.updateValue(identifier.c_str()));
    static_cast<void>(counter.updateValue(typed.c_str()));
    return 0;
}
