#include "qt/Demo.h"

#include "Domains.h"
#include "Script.h"
#include "qt/DemoHost.h"
#include "qt/ScriptDriver.h"

#include "host/base/EarthTime.h"
#include "platform/MemoryRegistry.h"
#include "platform/MessageSink.h"
#include "platform/Monitors.h"
#include "platform/ScopedDefault.h"

#include <QDir>

#include <memory>
#include <optional>
#include <ostream>

namespace ostrel::demo {
namespace {

int runScripted(DemoHost& host, const Script& script, const std::string& workFolder,
                std::ostream& out, std::ostream& err) {
    const QString pictures =
        QDir(QString::fromStdString(workFolder)).filePath(QStringLiteral("screenshots"));
    QDir().mkpath(pictures);
    // A scripted run is the same for everyone: no settings of the user's, no
    // message box that nobody could close, one fixed monitor.
    platform::ScopedDefault<platform::Registry> settings(
        std::make_unique<platform::MemoryRegistry>());
    platform::ScopedDefault<platform::MessageSink> messages(
        std::make_unique<platform::RecordingMessageSink>());
    platform::ScopedDefault<platform::Monitors> monitors(
        std::make_unique<platform::FixedMonitors>());

    ScriptDriver driver(script, pictures);
    const int status = host.run(&driver);
    if (!driver.error().empty()) {
        err << "ostrel-demo: the script could not be carried out: " << driver.error() << '\n';
    }
    out << "Screenshots (" << driver.screenshots().size()
        << "): " << QDir::cleanPath(pictures).toStdString() << '\n';
    return driver.error().empty() ? status : 1;
}

} // namespace

int runDemo(const DemoOptions& options, std::ostream& out, std::ostream& err) {
    std::string error;
    const std::optional<std::vector<DomainEntry>> domains = readDomains(options.domainsFile, error);
    if (!domains) {
        err << "ostrel-demo: " << error << '\n';
        return 2;
    }
    std::optional<Script> script;
    if (!options.scriptFile.empty()) {
        const std::optional<std::string> text = readRegularFile(options.scriptFile, error);
        if (text) {
            script = parseScript(*text, error);
        }
        if (!script) {
            err << "ostrel-demo: " << options.scriptFile << ": " << error << '\n';
            return 2;
        }
    }
    std::optional<zmbase::ScopedLocalClock> clock;
    if (!options.date.empty()) {
        zmbase::EarthTime day;
        if (!day.parseDate(options.date.c_str(), 0)) {
            err << "ostrel-demo: --date wants YYYY-MM-DD, not " << options.date << '\n';
            return 2;
        }
        // A fixed morning of that day, so that runs can be compared.
        day.hour = 9;
        day.minute = 30;
        clock.emplace([day] { return day; });
    }

    DemoHost host(*domains, options.workFolder, out, err, options.database);
    const int status =
        script ? runScripted(host, *script, options.workFolder, out, err) : host.run(nullptr);
    out << "Work folder: " << options.workFolder << '\n';
    return status;
}

} // namespace ostrel::demo
