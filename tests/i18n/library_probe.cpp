// A host linking libostrel: prints each argument's translation, the host layer's error caption,
// LANGUAGE and the messages locale.

#include "host/base/ResourceManager.h"
#include "i18n/ZMLanguageSettings.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    if (languageSettings == nullptr) {
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        std::printf("%s\n", languageSettings->translate(argv[i]).c_str());
    }
    std::printf("%s\n", zmutils::getResourceManager().getString("Common", "Error").c_str());
    const char* language = std::getenv("LANGUAGE");
    std::printf("LANGUAGE=%s\nLC_MESSAGES=%s\n", language ? language : "(unset)",
                std::setlocale(LC_MESSAGES, nullptr));
    return 0;
}
