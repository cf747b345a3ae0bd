// Stress of the identifier set by real processes, in both modes, in one run:
//   writers  2, 4 and 8 processes hand out 1,000 identifiers of one counter
//            between them, each `use` a fresh process as with the command-line
//            tool (load, then use); prints how many were distinct;
//   kills    1,000 uses with 5,000 counters, each killed at a random moment
//            (up to 1.5 times an undisturbed use); prints how often the value
//            file was left damaged (not a readable value file with every
//            counter), how many identifiers were handed out twice (also by
//            one more use after the last kill) and how many temporary files
//            that use left.
// SingleWriter is the set's default as a host uses it (getValue, then
// incrementValue); Shared is takeValue. Usage: ident_stress [USES [KILLS]]
#include "autoident/AutoIncrementedIdentificators.h"
#include "host/base/SoopDb.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Mode = AutoIncrementedIdentificators::Mode;

struct Files {
    std::string definitions;
    std::string values;
};

Files makeFiles(const std::filesystem::path& dir, int counters) {
    Files files{(dir / "defs.xml").string(), (dir / "values.xml").string()};
    std::ofstream out(files.definitions, std::ios::binary);
    out << "<identifiers>\n";
    for (int i = 0; i < counters; ++i) {
        out << "<ident name=\"Counter " << i << "\" prefix=\"C" << i
            << "-\" variable_length=\"5\" increment=\"1\" initial_value=\"1\"/>\n";
    }
    out << "</identifiers>\n";
    return files;
}

/// One `use` as the tool runs it, in this process: load, hand out, report the
/// identifier on `fd` once it is saved.
void useOnce(Mode mode, const Files& files, int fd) {
    AutoIncrementedIdentificators set(mode);
    if (!set.init(files.definitions, files.values)) {
        return;
    }
    std::optional<std::string> used;
    if (mode == Mode::Shared) {
        used = set.takeValue("Counter 0");
    } else {
        long fixedLength = 0;
        const std::string next = set.getValue("Counter 0", fixedLength);
        if (set.incrementValue("Counter 0")) {
            used = next;
        }
    }
    if (used) {
        const std::string line = *used + "\n";
        [[maybe_unused]] const auto ignored = ::write(fd, line.data(), line.size());
    }
}

pid_t startUse(Mode mode, const Files& files, int fd) {
    const pid_t child = ::fork();
    if (child == 0) {
        useOnce(mode, files, fd);
        ::_exit(0);
    }
    return child;
}

std::vector<std::string> readLines(int fd) {
    std::string text;
    char buffer[65536];
    for (ssize_t n = 0; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    std::vector<std::string> lines;
    for (std::size_t at = 0, end = 0; (end = text.find('\n', at)) != std::string::npos;
         at = end + 1) {
        lines.push_back(text.substr(at, end - at));
    }
    return lines;
}

int repeats(const std::vector<std::string>& identifiers) {
    std::map<std::string, int> seen;
    int repeated = 0;
    for (const std::string& id : identifiers) {
        repeated += seen[id]++ > 0 ? 1 : 0;
    }
    return repeated;
}

/// `processes` workers share `uses` uses; the number of distinct identifiers.
std::size_t distinctUnderWriters(Mode mode, const std::filesystem::path& dir, int processes,
                                 int uses) {
    std::filesystem::remove(dir / "values.xml");
    const Files files = makeFiles(dir, 4);
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        std::abort();
    }
    for (int worker = 0; worker < processes; ++worker) {
        if (::fork() == 0) {
            ::close(pipeEnds[0]);
            for (int use = worker; use < uses; use += processes) {
                ::waitpid(startUse(mode, files, pipeEnds[1]), nullptr, 0);
            }
            ::_exit(0);
        }
    }
    ::close(pipeEnds[1]);
    const std::vector<std::string> identifiers = readLines(pipeEnds[0]);
    ::close(pipeEnds[0]);
    while (::wait(nullptr) > 0) {
    }
    return identifiers.size() - static_cast<std::size_t>(repeats(identifiers));
}

bool isDamaged(const Files& files, int counters) {
    zm_soop::soop_db db;
    if (!db.init(files.values) || db.getRootName() != "autoident") {
        return true;
    }
    db.addList("ident");
    return static_cast<int>(db.getList("ident").size()) != counters;
}

struct KillResult {
    int damaged = 0;
    int repeated = 0;
    std::size_t handedOut = 0;
    int strayTemporaries = 0;
};

KillResult underKills(Mode mode, const std::filesystem::path& dir, int kills) {
    constexpr int kCounters = 5000;
    std::filesystem::remove(dir / "values.xml");
    const Files files = makeFiles(dir, kCounters);
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        std::abort();
    }
    // How long an undisturbed use takes here, so that kills fall inside one.
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i) {
        ::waitpid(startUse(mode, files, pipeEnds[1]), nullptr, 0);
    }
    const auto use = (std::chrono::steady_clock::now() - begin) / 5;
    const auto window = std::chrono::duration_cast<std::chrono::microseconds>(use * 3 / 2);
    std::mt19937 random(13);
    KillResult result;
    for (int kill = 0; kill < kills; ++kill) {
        const pid_t child = startUse(mode, files, pipeEnds[1]);
        ::usleep(static_cast<useconds_t>(
            std::uniform_int_distribution<long>(0, window.count())(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        result.damaged += isDamaged(files, kCounters) ? 1 : 0;
    }
    // One more use after the last kill: it must not repeat an identifier
    // either, and it clears what the killed one left behind.
    ::waitpid(startUse(mode, files, pipeEnds[1]), nullptr, 0);
    ::close(pipeEnds[1]);
    const std::vector<std::string> identifiers = readLines(pipeEnds[0]);
    ::close(pipeEnds[0]);
    result.repeated = repeats(identifiers);
    result.handedOut = identifiers.size();
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        result.strayTemporaries +=
            entry.path().filename().string().find(".tmp-") != std::string::npos ? 1 : 0;
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const int uses = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int kills = argc > 2 ? std::atoi(argv[2]) : 1000;
    std::string pattern =
        (std::filesystem::temp_directory_path() / "ostrel-stress-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return 1;
    }
    const std::filesystem::path dir(pattern);
    const std::pair<Mode, const char*> modes[] = {{Mode::SingleWriter, "SingleWriter"},
                                                  {Mode::Shared, "Shared"}};
    for (const auto& [mode, name] : modes) {
        for (const int processes : {2, 4, 8}) {
            std::printf("%-12s %d processes, %d uses: %zu distinct identifiers\n", name, processes,
                        uses, distinctUnderWriters(mode, dir, processes, uses));
            std::fflush(stdout);
        }
    }
    for (const auto& [mode, name] : modes) {
        const KillResult result = underKills(mode, dir, kills);
        // The pipe holds at most 64 KiB: enough for the few uses a kill lets through.
        std::printf("%-12s %d kills, 5000 counters: %d damaged value files, %d identifiers "
                    "handed out twice (of %zu), %d temporary files left after the next use\n",
                    name, kills, result.damaged, result.repeated, result.handedOut,
                    result.strayTemporaries);
        std::fflush(stdout);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
