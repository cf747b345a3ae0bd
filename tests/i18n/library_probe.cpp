// Stands in for a host application: it links libostrel, sets its locale
// from the environment as applications do, and prints the translation of
// each argument, then the LANGUAGE variable and its own messages locale.

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
    const char* language = std::getenv("LANGUAGE");
    std::printf("LANGUAGE=%s\n", language ? language : "(unset)");
    std::printf("LC_MESSAGES=%s\n", std::setlocale(LC_MESSAGES, nullptr));
    return 0;
}
