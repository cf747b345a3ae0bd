// ostrel-demo: a desktop host that files one document through the library's
// dialogs.
//
//     ostrel-demo [--domains FILE] [--work DIR] [--script FILE] [--date YYYY-MM-DD]
//                 [--database URI]
//
// With --database (a postgresql:// URI) the counters live in that database
// and the document is filed into its ostrel_filed_document table in the
// transaction that takes its identifier.
//
// With a display (DISPLAY or WAYLAND_DISPLAY set) the user operates the
// dialogs, unless --script is given. Without one the demo runs on Qt's
// offscreen platform from the script (by default the bundled sample script)
// and names the folder of the pictures it took at the end. Without --work
// the work folder is a new one in $TMPDIR (or /tmp).

#include "WorkFolder.h"
#include "qt/Demo.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool hasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

int usage() {
    std::fprintf(stderr, "usage: ostrel-demo [--domains FILE] [--work DIR] [--script FILE] "
                         "[--date YYYY-MM-DD] [--database URI]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    ostrel::demo::DemoOptions options;
    options.domainsFile = OSTREL_DEMO_SAMPLES_DIR "/domains.xml";
    for (int i = 1; i < argc; ++i) {
        const std::string_view option(argv[i]);
        if (option == "--help" || option == "-h") {
            usage();
            return 0;
        }
        if (i + 1 >= argc) {
            return usage();
        }
        const char* value = argv[++i];
        if (option == "--domains") {
            options.domainsFile = value;
        } else if (option == "--work") {
            options.workFolder = value;
        } else if (option == "--script") {
            options.scriptFile = value;
        } else if (option == "--date") {
            options.date = value;
        } else if (option == "--database") {
            options.database = value;
        } else {
            return usage();
        }
    }
    if (!hasDisplay()) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (options.scriptFile.empty()) {
            options.scriptFile = OSTREL_DEMO_SAMPLES_DIR "/demo-script.txt";
        }
    }
    if (options.workFolder.empty()) {
        std::string error;
        const std::optional<std::string> folder =
            ostrel::demo::newWorkFolder(std::getenv("TMPDIR"), error);
        if (!folder) {
            std::fprintf(stderr, "ostrel-demo: cannot create a work folder in %s\n", error.c_str());
            return 1;
        }
        options.workFolder = *folder;
    }
    QApplication application(argc, argv);
    return ostrel::demo::runDemo(options, std::cout, std::cerr);
}
