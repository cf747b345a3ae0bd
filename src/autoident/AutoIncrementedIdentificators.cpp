#include "autoident/AutoIncrementedIdentificators.h"

#include "autoident/detail/CounterDefinition.h"
#include "autoident/detail/NumberRule.h"
#include "host/base/SoopDb.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

using namespace ostrel::autoident::detail;

} // namespace

AutoIncrementedIdentificators::AutoIncrementedIdentificators() = default;

AutoIncrementedIdentificators::AutoIncrementedIdentificators(
    const AutoIncrementedIdentificators& other)
    : valueFile_(other.valueFile_), valueFileWritten_(other.valueFileWritten_) {
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
        valueFileWritten_ = copy.valueFileWritten_;
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

    zm_soop::soop_db values;
    if (values.init(valueFile)) {
        values.addList("ident");
        for (const zm_soop::soop_node* node : values.getList("ident")) {
            AutoIdentificator* counter = getIdentifier(node->getAttr("name"));
            std::uint32_t value = 0;
            zmbase::EarthTime date;
            if (counter == nullptr || !readCounterValue(node->getAttr("value"), value) ||
                !date.parseDate(node->getAttr("date"), 0)) {
                continue; // a stale or damaged line only costs that counter its value
            }
            // The stored day is kept as it is: a counter of yesterday returns
            // to its initial value at its next use, not here.
            counter->setValue(value, date);
        }
    }
    update();
    return true;
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
    counter->incrementValue();
    return update();
}

bool AutoIncrementedIdentificators::updateIdentifier(const char* name, const char* text) {
    AutoIdentificator* counter = getIdentifier(name);
    if (counter == nullptr || !counter->updateValue(text)) {
        return false;
    }
    // The typed identifier has been used: the next one follows it.
    counter->incrementValue();
    update();
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
    return valueFileWritten_;
}

bool AutoIncrementedIdentificators::update() {
    valueFileWritten_ = write();
    return valueFileWritten_;
}

bool AutoIncrementedIdentificators::write() const {
    // The text is built first and written in one go: the file is truncated
    // only once its new content is complete, and a thousand counters do not
    // cost a thousand small writes.
    std::string content = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<autoident>\r\n";
    content.reserve(content.size() + identificators_.size() * 64 + 16);
    AutoIdentificator::PrintedDate printed;
    for (const auto& entry : identificators_) {
        entry.second->appendValueLine(content, printed);
    }
    content += "</autoident>\r\n";

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
