// The counter database against bare libpq clients on the same server, in the
// same run (a throwaway cluster started by scripts/test-database, or the
// server of OSTREL_BENCH_DATABASE, a URI):
//   Take               takeValue: one statement on the counter's row, vs
//                      BareUpdate: a prepared UPDATE ... RETURNING of the
//                      same row through libpq (at most 1.2 times the time);
//   EightTakers        8 processes taking 250 identifiers each, vs
//                      EightBareClients doing 250 bare UPDATEs each (time at
//                      most 1.25 times, i.e. at least 0.8 of the throughput);
//   FilingTakeCommit   a gap-free take and commit in a FilingTransaction, vs
//                      BareLockedCommit: BEGIN, SELECT ... FOR UPDATE, UPDATE,
//                      COMMIT (at most 1.2 times);
//   SharedFileTake and EightSharedFileTakers: the shared XML value file on a
//                      local disk, for reference.
#include "RatioReporter.h"
#include "autoident/AutoIncrementedIdentificators.h"
#include "autoident/FilingTransaction.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// OSTREL_BENCH_TAKES changes it; 0 measures only the processes' start-up.
const int kTakesPerProcess =
    std::getenv("OSTREL_BENCH_TAKES") ? std::atoi(std::getenv("OSTREL_BENCH_TAKES")) : 250;

struct Setup {
    std::filesystem::path dir;
    std::string cluster; ///< started here; empty for OSTREL_BENCH_DATABASE
    std::string uri;
    std::string definitions;
};

Setup& setup() {
    static Setup setup = [] {
        Setup made;
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ostrel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        made.dir = pattern;
        // The cluster runs as another user when this runs as root.
        std::filesystem::permissions(made.dir, std::filesystem::perms::others_exec,
                                     std::filesystem::perm_options::add);
        if (const char* uri = std::getenv("OSTREL_BENCH_DATABASE")) {
            made.uri = uri;
        } else {
            made.cluster = (made.dir / "db").string();
            const std::string start =
                std::string(OSTREL_DATABASE_SCRIPT) + " start " + made.cluster + " >/dev/null";
            if (std::system(start.c_str()) != 0) {
                std::abort();
            }
            made.uri = "postgresql://ostrel@/postgres?host=" + made.cluster;
        }
        made.definitions = (made.dir / "defs.xml").string();
        std::ofstream(made.definitions)
            << "<identifiers><ident name=\"Invoice\" prefix=\"INV-\\Y-\" variable_length=\"6\" "
               "increment=\"1\" initial_value=\"1\"/></identifiers>\n";
        AutoIncrementedIdentificators tables; // creates the tables and the row
        if (!tables.init(made.definitions, made.uri)) {
            std::abort();
        }
        return made;
    }();
    return setup;
}

/// A bare libpq client of the counter's row.
class BareClient {
public:
    BareClient() : connection_(PQconnectdb(setup().uri.c_str())) {
        prepare("update", "UPDATE ostrel_counter SET value = (value + 1) % 4294967296 "
                          "WHERE name = $1 RETURNING value");
        prepare("lock", "SELECT value FROM ostrel_counter WHERE name = $1 FOR UPDATE");
        prepare("set", "UPDATE ostrel_counter SET value = $2::bigint WHERE name = $1");
    }
    ~BareClient() { PQfinish(connection_); }
    BareClient(const BareClient&) = delete;
    BareClient& operator=(const BareClient&) = delete;

    std::string update() { return run("update", {"Invoice"}); }
    void lockedCommit() {
        PQclear(PQexec(connection_, "BEGIN"));
        const std::string value = run("lock", {"Invoice"});
        const std::string next = std::to_string((std::stoul(value) + 1) % 4294967296);
        run("set", {"Invoice", next.c_str()});
        PQclear(PQexec(connection_, "COMMIT"));
    }

private:
    void prepare(const char* name, const char* sql) {
        PQclear(PQprepare(connection_, name, sql, 0, nullptr));
    }
    std::string run(const char* name, std::initializer_list<const char*> parameters) {
        const std::vector<const char*> values(parameters);
        PGresult* result = PQexecPrepared(connection_, name, static_cast<int>(values.size()),
                                          values.data(), nullptr, nullptr, 0);
        std::string value = PQntuples(result) > 0 ? PQgetvalue(result, 0, 0) : "";
        PQclear(result);
        return value;
    }

    PGconn* connection_;
};

/// A set on `values`, made in place: a copy would open a second connection.
std::shared_ptr<AutoIncrementedIdentificators> loaded(const std::string& values) {
    auto set = std::make_shared<AutoIncrementedIdentificators>(
        AutoIncrementedIdentificators::Mode::Shared);
    if (!set->init(setup().definitions, values)) {
        std::abort();
    }
    return set;
}

void BareUpdate(benchmark::State& state) {
    BareClient client;
    for (auto _ : state) {
        benchmark::DoNotOptimize(client.update());
    }
}

void Take(benchmark::State& state) {
    auto set = loaded(setup().uri);
    for (auto _ : state) {
        benchmark::DoNotOptimize(set->takeValue("Invoice"));
    }
}

void BareLockedCommit(benchmark::State& state) {
    BareClient client;
    for (auto _ : state) {
        client.lockedCommit();
    }
}

void FilingTakeCommit(benchmark::State& state) {
    auto set = loaded(setup().uri);
    for (auto _ : state) {
        FilingTransaction filing(*set);
        benchmark::DoNotOptimize(filing.takeValue("Invoice"));
        benchmark::DoNotOptimize(filing.commit());
    }
}

void SharedFileTake(benchmark::State& state) {
    auto set = loaded((setup().dir / "values.xml").string());
    for (auto _ : state) {
        benchmark::DoNotOptimize(set->takeValue("Invoice"));
    }
}

/// Eight processes, each connecting and then taking kTakesPerProcess times;
/// the time from the first start to the last end.
void inEightProcesses(benchmark::State& state,
                      const std::function<std::function<void()>()>& client) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 8; ++i) {
            if (::fork() == 0) {
                const auto take = client();
                for (int n = 0; n < kTakesPerProcess; ++n) {
                    take();
                }
                ::_exit(0);
            }
        }
        while (::wait(nullptr) > 0) {
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.SetItemsProcessed(state.iterations() * 8 * kTakesPerProcess);
}

void EightBareClients(benchmark::State& state) {
    inEightProcesses(state, [] {
        auto client = std::make_shared<BareClient>();
        return [client] { client->update(); };
    });
}

void EightTakers(benchmark::State& state) {
    inEightProcesses(state, [] {
        auto set = loaded(setup().uri);
        return [set] { benchmark::DoNotOptimize(set->takeValue("Invoice")); };
    });
}

void EightSharedFileTakers(benchmark::State& state) {
    inEightProcesses(state, [] {
        auto set = loaded((setup().dir / "values.xml").string());
        return [set] { benchmark::DoNotOptimize(set->takeValue("Invoice")); };
    });
}

BENCHMARK(BareUpdate)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(Take)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BareLockedCommit)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(FilingTakeCommit)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(SharedFileTake)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(EightBareClients)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(EightTakers)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
// Flushes to the disk under one lock: tens of seconds, measured once.
BENCHMARK(EightSharedFileTakers)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    setup();
    const int status = ostrel::bench::runWithRatios(argc, argv, [](auto& report) {
        report.ratio("Take/real_time", "BareUpdate/real_time", 1.2);
        report.ratio("EightTakers/iterations:5/manual_time",
                     "EightBareClients/iterations:5/manual_time", 1.25);
        report.ratio("FilingTakeCommit/real_time", "BareLockedCommit/real_time", 1.2);
        report.ratio("SharedFileTake/real_time", "Take/real_time");
        report.ratio("EightSharedFileTakers/iterations:1/manual_time",
                     "EightTakers/iterations:5/manual_time");
    });
    if (!setup().cluster.empty()) {
        const std::string stop =
            std::string(OSTREL_DATABASE_SCRIPT) + " stop " + setup().cluster + " >/dev/null";
        [[maybe_unused]] const int stopped = std::system(stop.c_str());
    }
    std::error_code ignored;
    std::filesystem::remove_all(setup().dir, ignored);
    return status;
}
