// Arbitrary bytes as the stored list of recently chosen document types:
// reading must never crash, leak or hang, and whatever was read must write
// out to a text that reads back to the same items.
#include "doctypes/LastSelectedTypes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Ostrel::u8string text(std::string(reinterpret_cast<const char*>(data), size));
    LastSelectedTypes recent;
    // A damaged text keeps the items read before the damage; those must survive the round trip.
    static_cast<void>(recent.deserialize(text, true));

    std::list<Ostrel::u8string> items;
    recent.getSelectedItemsList(items);
    Ostrel::u8string stored;
    recent.serialize(stored);

    LastSelectedTypes reread;
    if (!reread.deserialize(stored, true)) {
        std::abort();
    }
    Ostrel::u8string storedAgain;
    reread.serialize(storedAgain);
    if (storedAgain != stored) {
        std::abort();
    }
    return 0;
}
