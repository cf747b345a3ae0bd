// A host that loads libostrel at run time, as plugin and scripting hosts do:
// dlopen, look at what the load hook set up, optionally dlclose, then exit.
// It ends its output without a newline or a flush, so the output is complete
// only when the process exits normally.

#include <cstdio>
#include <cstring>
#include <dlfcn.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    void* library = ::dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::printf("dlopen failed: %s", ::dlerror());
        return 1;
    }
    // The library-wide language settings, created by the load hook.
    void* const* settings = static_cast<void* const*>(::dlsym(library, "languageSettings"));
    std::printf("loaded:%s", settings != nullptr && *settings != nullptr ? "yes" : "no");
    if (argc > 2 && std::strcmp(argv[2], "close") == 0) {
        std::printf(" closed:%s", ::dlclose(library) == 0 ? "yes" : "no");
    }
    return 0;
}
