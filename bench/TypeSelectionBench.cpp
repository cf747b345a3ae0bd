// The type selection dialog against what Qt offers out of the box, measured
// in one run on the offscreen platform:
//   TypeAhead/...       the document list's type-ahead on 100,000 sorted
//                       names: the search on the folded names and the
//                       selection of the entry found in the list widget;
//   KeyboardSearch/...  the baseline: QAbstractItemView::keyboardSearch on
//                       the same list, with the same keys;
//     .../FirstKey      a first key after a pause, alternating between two
//                       letters far apart in the list;
//     .../LaterKeys     ten more keys of one name after its first letter;
//     .../Miss          a key that no name continues with;
//   OpenDialog          constructing DocumentTypeSelectionDlg2 on a catalogue
//                       whose largest group has 10,000 types (recently used,
//                       so it is listed at once) until its first paint;
//   BareWidgets         the baseline: a QTreeWidget and a QListWidget with
//                       default settings in a window, filled with the same
//                       groups and names, until their first paint.
// The reporter prints each measurement over its baseline.
#include "RatioReporter.h"

#include "doctypes/DocumentTypes.h"
#include "host/common/DocumentTemplate.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "platform/CalendarClock.h"
#include "platform/MemoryRegistry.h"
#include "platform/ScopedDefault.h"
#include "typeselection/KeyDrivenSearch.h"
#include "typeselection/qt/CKeyDrivenListCtrl.h"
#include "typeselection/qt/DocumentTypeSelectionDlg2.h"

#include <QApplication>
#include <QBoxLayout>
#include <QListWidget>
#include <QStyleHints>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace ostrel::platform;
using ostrel::typeselection::KeyDrivenSearch;

constexpr int kListEntries = 100000;
constexpr int kLargestGroup = 10000;
constexpr int kSmallGroups = 30;
constexpr int kSmallGroupSize = 20;

const char* const kWords[] = {
    "Agreement", "Bill",     "Certificate", "Delivery note", "Estimate",   "Form",      "Guide",
    "Handover",  "Invoice",  "Journal",     "Key list",      "Letter",     "Memo",      "Notice",
    "Order",     "Permit",   "Quote",       "Report",        "Statement",  "Timesheet", "Upgrade",
    "Voucher",   "Warranty", "Xerox copy",  "Yearbook",      "Zoning plan"};

std::string nameOf(int i) {
    char digits[16];
    std::snprintf(digits, sizeof digits, " %05d", i / 26);
    return std::string(kWords[i % 26]) + digits;
}

std::string numbered(const char* prefix, int number) {
    char text[64];
    std::snprintf(text, sizeof text, "%s%d", prefix, number);
    return text;
}

// One list of 100,000 sorted names, shown, shared by both sides.
struct SearchList {
    SearchList() {
        std::vector<std::pair<std::u32string, Ostrel::u8string>> sorted;
        for (int i = 0; i < kListEntries; ++i) {
            const std::string name = nameOf(i);
            sorted.emplace_back(ostrel::foldCase(name), name);
        }
        std::sort(sorted.begin(), sorted.end());
        std::vector<Ostrel::u8string> texts;
        for (auto& [key, text] : sorted) {
            keys.push_back(key);
            texts.push_back(text);
        }
        list.setEntries(texts, keys, QIcon());
        list.resize(300, 400);
        list.show();
        list.selectEntry(kListEntries / 2);
        QCoreApplication::processEvents();
        search.setEntries(keys);
    }

    // One keystroke of the type-ahead: the search and the selection.
    void type(char32_t character, std::int64_t now) {
        if (const auto entry = search.type(character, list.selectedEntry(), now)) {
            list.selectEntry(*entry);
        }
    }
    // Starts every keyboard search afresh, or lets the keys add up.
    static void setQtPause(bool afterEachKey) {
        QGuiApplication::styleHints()->setKeyboardInputInterval(afterEachKey ? -1 : 1000000);
    }

    std::vector<std::u32string> keys;
    CKeyDrivenListCtrl list;
    KeyDrivenSearch search{0};
    std::int64_t seconds = 0; // the time of the last key
};

// Made on first use and deleted before the application object.
std::unique_ptr<SearchList> sharedSearchList;

SearchList& searchList() {
    if (!sharedSearchList) {
        sharedSearchList = std::make_unique<SearchList>();
    }
    return *sharedSearchList;
}

const std::string kLaterKeys = "eport 0123"; // after the first key r

void TypeAheadFirstKey(benchmark::State& state) {
    SearchList& s = searchList();
    char32_t key = U'm';
    for (auto _ : state) {
        s.seconds += 2; // a pause: a new text
        key = key == U'm' ? U'r' : U'm';
        s.type(key, s.seconds);
    }
}

void KeyboardSearchFirstKey(benchmark::State& state) {
    SearchList& s = searchList();
    SearchList::setQtPause(true);
    QString key = QStringLiteral("m");
    for (auto _ : state) {
        key = key == QStringLiteral("m") ? QStringLiteral("r") : QStringLiteral("m");
        s.list.keyboardSearch(key);
    }
}

void TypeAheadLaterKeys(benchmark::State& state) {
    SearchList& s = searchList();
    for (auto _ : state) {
        state.PauseTiming();
        s.seconds += 2;
        s.list.selectEntry(0);
        s.type(U'r', s.seconds);
        state.ResumeTiming();
        for (const char c : kLaterKeys) {
            s.type(static_cast<char32_t>(c), s.seconds);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kLaterKeys.size()));
}

void KeyboardSearchLaterKeys(benchmark::State& state) {
    SearchList& s = searchList();
    for (auto _ : state) {
        state.PauseTiming();
        s.list.selectEntry(0);
        SearchList::setQtPause(true);
        s.list.keyboardSearch(QStringLiteral("r"));
        SearchList::setQtPause(false);
        state.ResumeTiming();
        for (const char c : kLaterKeys) {
            s.list.keyboardSearch(QString(QChar::fromLatin1(c)));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kLaterKeys.size()));
}

void TypeAheadMiss(benchmark::State& state) {
    SearchList& s = searchList();
    s.seconds += 2;
    s.type(U'r', s.seconds);
    for (auto _ : state) {
        s.type(U'q', s.seconds); // "rq" continues no name: dropped, "r" stays
    }
}

void KeyboardSearchMiss(benchmark::State& state) {
    SearchList& s = searchList();
    SearchList::setQtPause(true);
    s.list.keyboardSearch(QStringLiteral("r"));
    SearchList::setQtPause(false);
    for (auto _ : state) {
        s.list.keyboardSearch(QStringLiteral("q")); // rq, rqq, ...: never found
    }
}

// The catalogue of the opening benchmarks: small groups around one of
// 10,000 types, which the dialog lists at once as it holds a recent type.
struct OpeningCatalogue {
    OpeningCatalogue() {
        for (int g = 0; g <= kSmallGroups; ++g) {
            const bool largest = g == kSmallGroups / 2;
            groups.push_back(numbered("Group ", g));
            const std::string group = "OSTREL.AREA." + groups.back();
            types.addDocumentType("", group, groups.back(), "", nullptr, false);
            const int size = largest ? kLargestGroup : kSmallGroupSize;
            for (int i = 0; i < size; ++i) {
                const std::string type = numbered((numbered("T", g) + ".").c_str(), i);
                templates.push_back(std::make_unique<DocumentTemplate>(type));
                types.addDocumentType(group, type, nameOf(i), "A type of the benchmark",
                                      templates.back().get(), true);
                if (largest) {
                    largestGroupNames.push_back(nameOf(i));
                    recentType = type;
                }
            }
        }
    }

    DocumentTypes types;
    std::vector<std::unique_ptr<DocumentTemplate>> templates;
    std::vector<std::string> groups;
    std::vector<std::string> largestGroupNames;
    std::string recentType;
};

OpeningCatalogue& openingCatalogue() {
    static OpeningCatalogue catalogue;
    return catalogue;
}

// Processes events until `widget` has been painted once.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* widget) { widget->installEventFilter(this); }
    void wait() {
        while (!painted_) {
            QCoreApplication::processEvents();
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        painted_ = painted_ || event->type() == QEvent::Paint;
        return false;
    }

private:
    bool painted_ = false;
};

void OpenDialog(benchmark::State& state) {
    OpeningCatalogue& catalogue = openingCatalogue();
    OstrelDomainConfiguration configuration;
    for (auto _ : state) {
        auto dialog = std::make_unique<DocumentTypeSelectionDlg2>(catalogue.types, &configuration,
                                                                  "", false, nullptr);
        dialog->setLastSelected(catalogue.recentType);
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("documentList"));
        FirstPaint paint(list->viewport());
        dialog->show();
        paint.wait();
        state.PauseTiming();
        dialog.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BareWidgets(benchmark::State& state) {
    OpeningCatalogue& catalogue = openingCatalogue();
    for (auto _ : state) {
        auto window = std::make_unique<QWidget>();
        auto* tree = new QTreeWidget(window.get());
        auto* list = new QListWidget(window.get());
        auto* layout = new QHBoxLayout(window.get());
        layout->addWidget(tree);
        layout->addWidget(list);
        for (const std::string& group : catalogue.groups) {
            new QTreeWidgetItem(tree, QStringList(QString::fromStdString(group)));
        }
        for (const std::string& name : catalogue.largestGroupNames) {
            list->addItem(QString::fromStdString(name));
        }
        FirstPaint paint(list->viewport());
        window->show();
        paint.wait();
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

BENCHMARK(TypeAheadFirstKey)->Name("TypeAhead/FirstKey")->Unit(benchmark::kMicrosecond);
BENCHMARK(KeyboardSearchFirstKey)->Name("KeyboardSearch/FirstKey")->Unit(benchmark::kMicrosecond);
BENCHMARK(TypeAheadLaterKeys)->Name("TypeAhead/LaterKeys")->Unit(benchmark::kMicrosecond);
BENCHMARK(KeyboardSearchLaterKeys)->Name("KeyboardSearch/LaterKeys")->Unit(benchmark::kMicrosecond);
BENCHMARK(TypeAheadMiss)->Name("TypeAhead/Miss")->Unit(benchmark::kMicrosecond);
BENCHMARK(KeyboardSearchMiss)->Name("KeyboardSearch/Miss")->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(BareWidgets)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    // An empty store: the dialog reads and writes nothing of the user's.
    ScopedDefault<Registry> store(std::make_unique<MemoryRegistry>());
    ScopedDefault<CalendarClock> clock(std::make_unique<ManualCalendarClock>(0));
    const int status = ostrel::bench::runWithRatios(argc, argv, [](auto& report) {
        for (const char* keys : {"FirstKey", "LaterKeys", "Miss"}) {
            report.ratio(std::string("TypeAhead/") + keys, std::string("KeyboardSearch/") + keys,
                         0.02);
        }
        report.ratio("OpenDialog", "BareWidgets", 1.0);
    });
    sharedSearchList.reset();
    return status;
}
