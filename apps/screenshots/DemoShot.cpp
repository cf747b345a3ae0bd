// The shot "demo-filed": ostrel-demo's window with the filed document at the
// end of its bundled script, run on the sample domains on 1 March 2024, as
// the demo itself leaves it among its pictures.
#include "Shot.h"

#include "qt/Demo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>
#include <sstream>

namespace ostrel::shots {
namespace {

bool takeDemoFiled(const Context& context) {
    QTemporaryDir run;
    if (!run.isValid()) {
        return false;
    }
    // A fresh work folder under a short relative name, so that the picture
    // shows where the document was filed without this machine's paths.
    const std::string samples = std::filesystem::absolute(context.samplesDirectory).string();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(run.path());
    std::ostringstream printed;
    const int status = demo::runDemo(
        {samples + "/domains.xml", "demo-run", samples + "/demo-script.txt", "2024-03-01"}, printed,
        printed);
    QDir::setCurrent(previous);
    const QString picture = run.filePath(QStringLiteral("demo-run/screenshots/filed.png"));
    return status == 0 && QFile::exists(picture) &&
           (!QFile::exists(context.outputFile) || QFile::remove(context.outputFile)) &&
           QFile::copy(picture, context.outputFile);
}

const Registration registration({"demo-filed", takeDemoFiled});

} // namespace
} // namespace ostrel::shots
