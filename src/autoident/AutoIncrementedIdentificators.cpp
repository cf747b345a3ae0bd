#include "autoident/AutoIncrementedIdentificators.h"

#include "autoident/detail/CounterDefinition.h"
#include "autoident/detail/NumberRule.h"
#include "autoident/detail/RepeatGuard.h"
#include "autoident/detail/SharedValueFile.h"
#include "host/base/SoopDb.h"
#include "host/common/OstrelException.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

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
};

void record(OstrelException* errors, Line line, const std::string& message) {
    if (errors != nullptr) {
        errors->setError(kSourceFile, line, Ostrel::u8string(message));
    }
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
    }
    return *this;
}

AutoIncrementedIdentificators::~AutoIncrementedIdentificators() = default;

bool AutoIncrementedIdentificators::init(const Ostrel::u8string& definitionFile,
                                         const Ostrel::u8string& valueFile) {
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
    others_.clear();
    for (const zm_soop::soop_node* node : values.getList("ident")) {
        const char* name = node->getAttr("name");
        AutoIdentificator* counter = getIdentifier(name);
        std::uint32_t value = 0;
        zmbase::EarthTime date;
        if (name == nullptr || !readCounterValue(node->getAttr("value"), value) ||
            !date.parseDate(node->getAttr("date"), 0)) {
            continue; // a stale or damaged line only costs that counter its value
        }
        if (counter != nullptr) {
            // The stored day is kept as it is: a counter of yesterday returns
            // to its initial value at its next use, not here.
            counter->setValue(value, date);
        } else if (mode_ == Mode::Shared) {
            // Another program's counter (a newer definition file, say): dropping
            // it would restart it at its initial value there.
            others_[name] = OtherValue{value, date};
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
    return change([counter] { return counter->incrementValue(); }, nullptr) &&
           state_ == ValueFileState::Saved;
}

bool AutoIncrementedIdentificators::updateIdentifier(const char* name, const char* text) {
    AutoIdentificator* counter = getIdentifier(name);
    if (counter == nullptr) {
        return false;
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
