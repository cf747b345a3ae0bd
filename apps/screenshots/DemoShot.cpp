// The shot "demo-filed": ostrel-demo's window with the filed document at the
// end of its bundled script, run on the sample domains on 1 March 2024, as
// the demo itself leaves it among its pictures.
#include "Shot.h"

#include "qt/Demo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    const QString previous = QDir::currentPath();
    QDir::setCurrent(run.path());
    std::ostringstream printed;
    const int status = demo::runDemo({context.samplesDirectory + "/domains.xml", "demo-run",
                                      context.samplesDirectory + "/demo-script.txt", "2024-03-01"},
                                     printed, printed);
    QDir::setCurrent(previous);
    QFile::remove(context.outputFile);
    return status == 0 &&
           QFile::copy(run.filePath(QStringLiteral("demo-run/screenshots/filed.png")),
                       context.outputFile);
}

const Registration registration({"demo-filed", takeDemoFiled});

} // namespace
} // namespace ostrel::shots
