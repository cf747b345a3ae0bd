// Arbitrary bytes as an identifier definition or value file: reading them
// must never crash, leak or hang, whatever list is asked for.
#include "host/base/SoopDb.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zm_soop::soop_db db;
    if (!db.initFromMemory(reinterpret_cast<const char*>(data), size)) {
        return 0;
    }
    db.addList("ident");
    for (const zm_soop::soop_node* node : db.getList("ident")) {
        for (const char* name : {"name", "prefix", "value", "date", "missing"}) {
            if (const char* value = node->getAttr(name)) {
                volatile char first = value[0];
                (void)first;
            }
        }
    }
    return 0;
}
