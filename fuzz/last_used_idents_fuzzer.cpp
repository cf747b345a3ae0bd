// Arbitrary bytes as the stored last used identifiers: reading must never
// crash, leak, hang or reserve what a length promises, and whatever was read
// must write out to a text that reads back to the same entries.
#include "identification/LastUsedIdentStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Ostrel::u8string text(std::string(reinterpret_cast<const char*>(data), size));
    LastUsedIdentStore store;
    store.deserialize(text);

    Ostrel::u8string stored;
    store.serialize(stored);
    LastUsedIdentStore reread;
    reread.deserialize(stored);
    if (!(reread == store)) {
        std::abort();
    }
    Ostrel::u8string storedAgain;
    reread.serialize(storedAgain);
    if (storedAgain != stored) {
        std::abort();
    }
    return 0;
}
