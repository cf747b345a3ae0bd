#include "identification/LastUsedIdentStore.h"

#include <algorithm>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

// A length as a stream extraction of an int reads it: an optional sign, then
// at least one digit; a number beyond the range of int fails.
bool readLength(std::istream& stream, long long& length) {
    int c = stream.peek();
    bool negative = false;
    if (c == '-' || c == '+') {
        negative = c == '-';
        stream.get();
        c = stream.peek();
    }
    if (!isDigit(c)) {
        return false;
    }
    constexpr long long limit = std::numeric_limits<int>::max();
    long long value = 0;
    while (isDigit(c = stream.peek())) {
        stream.get();
        value = value * 10 + (c - '0');
        if (value > limit + 1) {
            return false;
        }
    }
    length = negative ? -value : value;
    return length >= std::numeric_limits<int>::min() && length <= limit;
}

void appendField(std::string& text, const std::string& field) {
    text += std::to_string(field.size());
    text += ':';
    text += field;
}

} // namespace

bool LastUsedIdentStore::hasLastUsed(const Ostrel::u8string& name) const {
    return entries_.count(name) != 0;
}

bool LastUsedIdentStore::isLastUsedAutomatic(const Ostrel::u8string& name) const {
    const auto it = entries_.find(name);
    return it != entries_.end() && it->second.automatic;
}

Ostrel::u8string LastUsedIdentStore::getLastUsedValue(const Ostrel::u8string& name) const {
    const auto it = entries_.find(name);
    return it == entries_.end() ? Ostrel::u8string() : it->second.value;
}

void LastUsedIdentStore::setLastUsed(const Ostrel::u8string& name, const Ostrel::u8string& value,
                                     bool automatic) {
    entries_[name] = LastUsedIdent{value, automatic};
}

bool LastUsedIdentStore::serialize(Ostrel::u8string& text) const {
    std::string out;
    for (const auto& [name, entry] : entries_) {
        appendField(out, name.str());
        appendField(out, entry.value.str());
        out += entry.automatic ? "1:1" : "1:0";
    }
    text = Ostrel::u8string(std::move(out));
    return true;
}

bool LastUsedIdentStore::readField(std::istream& stream, Ostrel::u8string& field) {
    long long length = 0;
    if (!readLength(stream, length) || stream.get() != ':') {
        return false;
    }
    std::string bytes;
    // Read in pieces: a stored length may promise far more bytes than the
    // text holds, and must not make us reserve them.
    constexpr long long piece = 4096;
    while (length > 0) {
        const auto count = static_cast<std::size_t>(std::min(length, piece));
        const std::size_t start = bytes.size();
        bytes.resize(start + count);
        stream.read(bytes.data() + start, static_cast<std::streamsize>(count));
        if (static_cast<std::size_t>(stream.gcount()) != count) {
            return false;
        }
        length -= static_cast<long long>(count);
    }
    field = Ostrel::u8string(std::move(bytes));
    return true;
}

bool LastUsedIdentStore::deserialize(const Ostrel::u8string& text) {
    std::istringstream stream(text.str());
    stream >> std::ws;
    std::vector<Ostrel::u8string> fields;
    for (Ostrel::u8string field; readField(stream, field);) {
        fields.push_back(std::move(field));
        field = Ostrel::u8string();
    }
    for (std::size_t i = 0; i < fields.size(); i += 3) {
        const Ostrel::u8string empty;
        const Ostrel::u8string& value = i + 1 < fields.size() ? fields[i + 1] : empty;
        const bool automatic = i + 2 < fields.size() && fields[i + 2].str() == "1";
        setLastUsed(fields[i], value, automatic);
    }
    return true;
}
