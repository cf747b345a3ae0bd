// Arbitrary bytes as the date of an identifier value line: parsing is total
// and whatever it accepts prints back to the same text.
#include "host/base/EarthTime.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    zmbase::EarthTime date;
    if (date.parseDate(text.c_str(), 0)) {
        std::string printed;
        date.printDate(printed, 0, true, true);
        if (printed != text.c_str()) { // the value file hands over a C string
            std::abort();
        }
    }
    return 0;
}
