// Renders the README's pictures, of the dialogs and of the demo, on the
// bundled samples:
//     ostrel-screenshots SAMPLES_DIR OUTPUT_DIR [NAME...]
// always on Qt's offscreen platform, with the fonts installed on the machine
// and an empty in-memory settings store, so that the pictures do not depend
// on the user's display, settings or language.

#include "Shot.h"

#include "descr/TemplateDescriptionLoader.h"
#include "host/common/DocumentFactory.h"
#include "host/common/OstrelException.h"
#include "platform/MemoryRegistry.h"
#include "platform/Monitors.h"
#include "platform/ScopedDefault.h"

#include <QApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ostrel::shots {
namespace {

std::vector<Shot>& registered() {
    static std::vector<Shot> shots;
    return shots;
}

} // namespace

bool loadSampleTemplates(const Context& context, DocumentFactory& templates) {
    OstrelException errors;
    return TemplateDescriptionLoader::load(context.samplesDirectory + "/templates.xml", templates,
                                           errors);
}

Registration::Registration(const Shot& shot) {
    registered().push_back(shot);
}

} // namespace ostrel::shots

int main(int argc, char** argv) {
    using namespace ostrel;
    if (argc < 3) {
        std::fprintf(stderr, "usage: ostrel-screenshots SAMPLES_DIR OUTPUT_DIR [NAME...]\n");
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("LANGUAGE", "en", 1);
    QApplication application(argc, argv);
    platform::ScopedDefault<platform::Registry> store(std::make_unique<platform::MemoryRegistry>());
    platform::ScopedDefault<platform::Monitors> monitors(
        std::make_unique<platform::FixedMonitors>());

    const std::vector<std::string> wanted(argv + 3, argv + argc);
    QDir output(QString::fromLocal8Bit(argv[2]));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }
    int status = 0;
    for (const shots::Shot& shot : shots::registered()) {
        if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), shot.name) == wanted.end()) {
            continue;
        }
        const QString file = output.filePath(QString::fromUtf8(shot.name) + QStringLiteral(".png"));
        if (shot.take({argv[1], file})) {
            std::printf("%s\n", qPrintable(QDir::cleanPath(file)));
        } else {
            std::fprintf(stderr, "%s: could not be taken\n", shot.name);
            status = 1;
        }
    }
    return status;
}
