#include "autoident/AutoIncrementedIdentificators.h"

#include "autoident/detail/CounterDefinition.h"
#include "autoident/detail/CounterStore.h"
#include "autoident/detail/ErrorRecord.h"
#include "autoident/detail/NumberRule.h"
#include "autoident/detail/RepeatGuard.h"
#include "autoident/detail/SharedValueFile.h"
#include "host/base/SoopDb.h"
#include "host/common/OstrelException.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <unordered_map>

namespace {

using namespace ostrel::autoident::detail;

// Records name this file; the line numbers are fixed so that support staff
// can tell the failures apart.
const char* const kSourceFile = "AutoIncrementedIdentificators.cpp";
enum Line {
    kUnknownCounter = 100,
    kNotLocked = 110,
    kUnreadable = 120,
    kNotWritten = 130,
    kWouldRepeat = 140,
    kNoDatabase = 150,
    kNoValueFile = 160,
};

void record(OstrelException* errors, Line line, const std::string& message) {
    recordError(errors, kSourceFile, line, message);
}

/// The counter database of each set that has one. The set's layout is what
/// hosts compiled against; a store added later lives beside it, found by the
/// set's address, so that hosts keep working without a rebuild.
class Stores {
public:
    CounterStore* find(const AutoIncrementedIdentificators* set) {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto it = stores_.find(set);
        return it == stores_.end() ? nullptr : it->second.get();
    }
    void put(const AutoIncrementedIdentificators* set, std::unique_ptr<CounterStore> store) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (store) {
            stores_[set] = std::move(store);
        } else {
            stores_.erase(set);
        }
    }

private:
    std::mutex mutex_;
    std::unordered_map<const AutoIncrementedIdentificators*, std::unique_ptr<CounterStore>> stores_;
};

Stores& stores() {
    static Stores* const all = new Stores; // outlives every static set
    return *all;
}

std::string today() {
    zmbase::EarthTime now;
    now.setNowLocal();
    std::string text;
    now.printDate(text, 0, true, true);
    return text;
}

AutoIncrementedIdentificators::ValueFileState stateOf(StoreFault fault) {
    using State = AutoIncrementedIdentificators::ValueFileState;
    switch (fault) {
    case StoreFault::None:
        return State::Saved;
    case StoreFault::Unavailable:
        return State::DatabaseUnavailable;
    case StoreFault::Busy:
        return State::CounterBusy;
    default:
        return State::DatabaseRefused;
    }
}

/// The lines of a value file that name a counter with an acceptable value
/// and date, in file order; any other line only costs its counter its value.
std::vector<StoredCounter> readValueLines(const zm_soop::soop_db& values) {
    std::vector<StoredCounter> lines;
    for (const zm_soop::soop_node* node : values.getList("ident")) {
        const char* name = node->getAttr("name");
        StoredCounter line;
        zmbase::EarthTime date;
        if (name != nullptr && readCounterValue(node->getAttr("value"), line.value) &&
            date.parseDate(node->getAttr("date"), 0)) {
            line.name = name;
            line.day = node->getAttr("date");
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

} // namespace

AutoIncrementedIdentificators::AutoIncrementedIdentificators() = default;

AutoIncrementedIdentificators::AutoIncrementedIdentificators(Mode mode) : mode_(mode) {}

AutoIncrementedIdentificators::AutoIncrementedIdentificators(
    const AutoIncrementedIdentificators& other)
    : valueFile_(other.valueFile_), mode_(other.mode_), state_(other.state_),
      others_(other.others_), known_(other.known_) {
    for (const auto& [name, counter] : other.identificators_) {
        identificators_.emplace(name, std::make_unique<AutoIdentificator>(*counter));
    }
    if (const CounterStore* database = other.store()) {
        stores().put(this, database->clone());
    }
}

AutoIncrementedIdentificators&
AutoIncrementedIdentificators::operator=(const AutoIncrementedIdentificators& other) {
    if (this != &other) {
        AutoIncrementedIdentificators copy(other);
        identificators_.swap(copy.identificators_);
        valueFile_ = copy.valueFile_;
        mode_ = copy.mode_;
        state_ = copy.state_;
        others_.swap(copy.others_);
        known_.swap(copy.known_);
        const CounterStore* database = other.store();
        stores().put(this, database ? database->clone() : nullptr);
    }
    return *this;
}

AutoIncrementedIdentificators::~AutoIncrementedIdentificators() {
    stores().put(this, nullptr);
}

CounterStore* AutoIncrementedIdentificators::store() const {
    return stores().find(this);
}

bool AutoIncrementedIdentificators::init(const Ostrel::u8string& definitionFile,
                                         const Ostrel::u8string& valueFile) {
    return init(definitionFile, valueFile, nullptr);
}

bool AutoIncrementedIdentificators::init(const Ostrel::u8string& definitionFile,
                                         const Ostrel::u8string& valueFile,
                                         OstrelException* errors) {
    zm_soop::soop_db definitions;
    if (!definitions.init(definitionFile)) {
        return false;
    }
    definitions.addList("ident");
    for (const zm_soop::soop_node* node : definitions.getList("ident")) {
        CounterDefinition definition;
        if (readDefinition(*node, definition).fault != DefinitionFault::None) {
            return false;
        }
        auto counter = std::make_unique<AutoIdentificator>(
            definition.name, definition.prefix, definition.increment, definition.initialValue,
            definition.variableLength, definition.prefixEditable);
        if (!identificators_.emplace(definition.name, std::move(counter)).second) {
            return false;
        }
    }
    valueFile_ = valueFile;

    if (auto database = openCounterStore(valueFile.str())) {
        const std::string day = today();
        std::vector<StoredCounter> defaults;
        defaults.reserve(identificators_.size());
        for (const auto& [name, counter] : identificators_) {
            defaults.push_back({name, counter->value_, day});
        }
        const auto stored = database->load(defaults, errors);
        state_ = stateOf(database->fault());
        if (stored) {
            restoreStored(*stored);
        }
        stores().put(this, std::move(database));
        return true;
    }
    stores().put(this, nullptr);
    if (mode_ == Mode::Shared) {
        // Under the lock, from the freshest values: a process that only looks
        // must not undo what another one saved meanwhile.
        change([] { return true; }, nullptr);
        return true;
    }
    zm_soop::soop_db values;
    if (values.init(valueFile)) {
        values.addList("ident");
        restoreValues(values);
    }
    update();
    return true;
}

void AutoIncrementedIdentificators::restoreValues(const zm_soop::soop_db& values) {
    restoreStored(readValueLines(values));
}

void AutoIncrementedIdentificators::restoreStored(const std::vector<StoredCounter>& counters) {
    others_.clear();
    for (const StoredCounter& stored : counters) {
        zmbase::EarthTime date;
        // A day the calendar cannot read (the database's dates reach past year
        // 9999) leaves the date empty: never today, so a daily counter starts
        // over at its next use.
        static_cast<void>(date.parseDate(stored.day.c_str(), 0));
        if (AutoIdentificator* counter = getIdentifier(stored.name.c_str())) {
            // The stored day is kept as it is: a counter of yesterday returns
            // to its initial value at its next use, not here.
            counter->setValue(stored.value, date);
        } else if (mode_ == Mode::Shared || store() != nullptr) {
            // Another program's counter (a newer definition file, say): dropping
            // it would restart it at its initial value there.
            others_[stored.name] = OtherValue{stored.value, date};
        }
    }
}

int AutoIncrementedIdentificators::getCount() {
    return static_cast<int>(identificators_.size());
}

void AutoIncrementedIdentificators::getNames(std::list<Ostrel::u8string>& names) const {
    for (const auto& entry : identificators_) {
        names.emplace_back(entry.first);
    }
}

const char* AutoIncrementedIdentificators::getValue(const char* name, long& fixedLength) {
    AutoIdentificator* counter = getIdentifier(name);
    return counter ? counter->getValue(fixedLength) : nullptr;
}

bool AutoIncrementedIdentificators::incrementValue(const char* name) {
    AutoIdentificator* counter = getIdentifier(name);
    if (counter == nullptr) {
        return false;
    }
    if (store() != nullptr) {
        // Marking the current identifier used: a new day starts at the
        // initial value without adding the increment.
        CounterStep step = takeStep(*counter);
        step.newDayValue = static_cast<std::uint32_t>(counter->initial_value_);
        return applyToStore(*counter, step, nullptr);
    }
    return change([counter] { return counter->incrementValue(); }, nullptr) &&
           state_ == ValueFileState::Saved;
}

bool AutoIncrementedIdentificators::updateIdentifier(const char* name, const char* text) {
    AutoIdentificator* counter = getIdentifier(name);
    if (counter == nullptr) {
        return false;
    }
    if (store() != nullptr) {
        CounterStep step;
        if (!syncStep(*counter, text, step)) {
            return false;
        }
        applyToStore(*counter, step, nullptr);
        return true;
    }
    // The typed identifier has been used: the next one follows it.
    return change(
        [counter, text] { return counter->updateValue(text) && counter->incrementValue(); },
        nullptr);
}

std::optional<std::string> AutoIncrementedIdentificators::takeValue(const char* name,
                                                                    OstrelException* errors) {
    AutoIdentificator* counter = getIdentifier(name);
    if (counter == nullptr) {
        record(errors, kUnknownCounter, "no counter named '" + std::string(name ? name : "") + "'");
        return std::nullopt;
    }
    if (store() != nullptr) {
        // An increment that cannot move the counter forward is refused
        // whatever the row holds; the row's own wrap is decided by its statement.
        if (const std::string risk = repeatRisk(name); !risk.empty()) {
            record(errors, kWouldRepeat, risk);
            return std::nullopt;
        }
        const CounterStep step = takeStep(*counter);
        std::uint32_t stored = 0;
        if (!applyToStore(*counter, step, errors, &stored)) {
            return std::nullopt;
        }
        return settle(*counter, step, stored);
    }
    std::string taken;
    const bool changed = change(
        [this, counter, name, &taken, errors] {
            // Asked of the freshest values: another process may have moved the counter.
            if (const std::string risk = repeatRisk(name); !risk.empty()) {
                record(errors, kWouldRepeat, risk);
                return false;
            }
            long fixedLength = 0;
            taken = counter->getValue(fixedLength);
            return counter->incrementValue();
        },
        errors);
    if (!changed || state_ != ValueFileState::Saved) {
        return std::nullopt;
    }
    return taken;
}

std::string AutoIncrementedIdentificators::repeatRisk(const char* name, const char* typed) {
    AutoIdentificator* counter = getIdentifier(name);
    if (counter == nullptr) {
        return {};
    }
    std::int64_t used = 0;
    if (typed == nullptr) {
        counter->setCorrectDay();
        used = counter->value_;
    } else {
        std::string prefix;
        counter->generatePrefix(prefix);
        if (std::strncmp(typed, prefix.c_str(), prefix.size()) != 0 ||
            !readNumber(typed + prefix.size(), used)) {
            return {};
        }
    }
    return ostrel::autoident::detail::repeatRisk(counter->getName(), counter->increment_, used,
                                                 typed);
}

CounterStep AutoIncrementedIdentificators::takeStep(AutoIdentificator& counter) {
    // Handing out: on a new day the initial value goes out and the counter
    // moves past it, as getValue then incrementValue do.
    const auto increment = static_cast<std::uint32_t>(counter.increment_);
    return {counter.name_, today(), static_cast<std::uint32_t>(counter.initial_value_) + increment,
            increment, false};
}

bool AutoIncrementedIdentificators::syncStep(AutoIdentificator& counter, const char* text,
                                             CounterStep& step) {
    // The counter reads the typed identifier by its own rules, and the next
    // identifier follows it; the database takes the outcome as it stands.
    AutoIdentificator typed(counter);
    if (!typed.updateValue(text) || !typed.incrementValue()) {
        return false;
    }
    step = takeStep(counter);
    step.newDayValue = typed.value_;
    step.set = true;
    return true;
}

std::string AutoIncrementedIdentificators::settle(AutoIdentificator& counter,
                                                  const CounterStep& step, std::uint32_t stored) {
    zmbase::EarthTime day;
    // Today as today() printed it: it always reads back.
    static_cast<void>(day.parseDate(step.today.c_str(), 0));
    counter.setValue(stored - step.add, day);
    long fixedLength = 0;
    std::string taken = counter.getValue(fixedLength);
    counter.setValue(stored, day);
    return taken;
}

bool AutoIncrementedIdentificators::applyToStore(AutoIdentificator& counter,
                                                 const CounterStep& step, OstrelException* errors,
                                                 std::uint32_t* stored) {
    CounterStore* database = store();
    const auto value = database->apply(step, errors);
    state_ = stateOf(database->fault());
    if (!value) {
        return false;
    }
    zmbase::EarthTime day;
    // Today as today() printed it: it always reads back.
    static_cast<void>(day.parseDate(step.today.c_str(), 0));
    counter.setValue(*value, day);
    if (stored != nullptr) {
        *stored = *value;
    }
    return true;
}

bool AutoIncrementedIdentificators::importValueFile(const Ostrel::u8string& valueFile,
                                                    OstrelException* errors) {
    CounterStore* database = store();
    if (database == nullptr) {
        record(errors, kNoDatabase, "the counters are kept in a value file, not a database");
        return false;
    }
    zm_soop::soop_db values;
    if (!values.init(valueFile) || values.getRootName() != "autoident") {
        record(errors, kNoValueFile, "'" + valueFile.str() + "' cannot be read as a value file");
        return false;
    }
    values.addList("ident");
    const bool raised = database->raise(readValueLines(values), errors);
    state_ = stateOf(database->fault());
    return raised;
}

bool AutoIncrementedIdentificators::exportValueFile(const Ostrel::u8string& valueFile,
                                                    OstrelException* errors) {
    if (CounterStore* database = store()) {
        const auto stored = database->load({}, errors);
        state_ = stateOf(database->fault());
        if (!stored) {
            return false;
        }
        restoreStored(*stored);
    }
    AutoIncrementedIdentificators target;
    target.valueFile_ = valueFile;
    if (!target.write(format())) {
        record(errors, kNotWritten, "the value file '" + valueFile.str() + "' cannot be written");
        return false;
    }
    return true;
}

bool AutoIncrementedIdentificators::change(const std::function<bool()>& apply,
                                           OstrelException* errors) {
    if (mode_ == Mode::Shared) {
        return changeShared(apply, errors);
    }
    if (!apply()) {
        return false;
    }
    if (!update()) {
        record(errors, kNotWritten, "the value file '" + valueFile_.str() + "' cannot be written");
    }
    return true;
}

bool AutoIncrementedIdentificators::changeShared(const std::function<bool()>& apply,
                                                 OstrelException* errors) {
    if (valueFile_.empty()) {
        // No value file was taken (init failed): the change stays in memory.
        if (!apply()) {
            return false;
        }
        state_ = ValueFileState::NotWritten;
        record(errors, kNotWritten, "no value file was taken: the definition file was refused");
        return true;
    }
    SharedValueFile file(valueFile_.toAcp());
    if (!file.lock()) {
        state_ = ValueFileState::NotLocked;
        record(errors, kNotLocked,
               "the value file '" + valueFile_.str() + "' cannot be locked: " + file.failure());
        return false;
    }
    std::string stored;
    const SharedValueFile::Content found = file.read(stored);
    bool readable = found != SharedValueFile::Content::Unusable;
    // Unchanged since this set last read or wrote it: the counters already
    // hold these values, and parsing a large file is most of a change's work.
    if (found == SharedValueFile::Content::Read && (known_.empty() || stored != known_)) {
        zm_soop::soop_db values;
        readable = values.initFromMemory(stored.data(), stored.size()) &&
                   values.getRootName() == "autoident";
        if (readable) {
            values.addList("ident");
            restoreValues(values);
        }
    }
    known_.clear();
    if (!readable) {
        state_ = ValueFileState::Unreadable;
        // Starting afresh would hand out identifiers again that are on
        // documents already: the file is left for a person to restore.
        const std::string why = found == SharedValueFile::Content::Unusable
                                    ? file.failure()
                                    : "cannot be read as a value file";
        record(errors, kUnreadable,
               "the value file '" + valueFile_.str() + "' " + why + "; it was left as it is");
        return false;
    }
    if (!apply()) {
        return false;
    }
    const std::string content = format();
    if (content == stored) {
        state_ = ValueFileState::Saved; // nothing to write: the file already says so
        known_ = std::move(stored);
        return true;
    }
    if (!file.replace(content)) {
        state_ = ValueFileState::NotWritten;
        record(errors, kNotWritten,
               "the value file '" + valueFile_.str() + "' cannot be written: " + file.failure());
        return true;
    }
    state_ = ValueFileState::Saved;
    known_ = content;
    return true;
}

AutoIdentificator* AutoIncrementedIdentificators::getIdentifier(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    const auto it = identificators_.find(name);
    return it == identificators_.end() ? nullptr : it->second.get();
}

bool AutoIncrementedIdentificators::isValueFileWritten() const {
    return state_ == ValueFileState::Saved;
}

bool AutoIncrementedIdentificators::update() {
    state_ = write(format()) ? ValueFileState::Saved : ValueFileState::NotWritten;
    return state_ == ValueFileState::Saved;
}

std::string AutoIncrementedIdentificators::format() const {
    // The text is built first and written in one go: the file is truncated
    // only once its new content is complete, and a thousand counters do not
    // cost a thousand small writes.
    std::string content = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<autoident>\r\n";
    content.reserve(content.size() + (identificators_.size() + others_.size()) * 64 + 16);
    auto other = others_.begin();
    const auto appendOthersBefore = [&](const std::string* name) {
        for (; other != others_.end() && (name == nullptr || other->first < *name); ++other) {
            AutoIdentificator::appendValueLine(content, other->first, other->second.value,
                                               other->second.date);
        }
    };
    for (const auto& entry : identificators_) {
        appendOthersBefore(&entry.first);
        entry.second->appendValueLine(content);
    }
    appendOthersBefore(nullptr);
    content += "</autoident>\r\n";
    return content;
}

bool AutoIncrementedIdentificators::write(const std::string& content) const {
    // Only a regular file (or none yet) is written: opening a FIFO left at
    // that path would block the host until someone reads it.
    const std::string path = valueFile_.toAcp();
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return false;
    }
    // Binary mode: the line ends are already CR LF on every platform.
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    // Closing is part of writing: a full disk may only show when the last
    // buffered bytes go out.
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}
