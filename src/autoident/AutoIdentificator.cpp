#include "autoident/AutoIdentificator.h"

#include "autoident/detail/NumberRule.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <ostream>

namespace {

std::int32_t toInt32(long value) {
    // The counter's numbers are 32-bit in the value file and in every host;
    // wider arguments wrap as they always have.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<unsigned long>(value)));
}

/// Appends `value` in decimal, padded on the left with '0' to `width`
/// characters in total (a sign counts as a character, as with a stream's
/// default right adjustment).
template <typename Number> void appendPadded(std::string& out, Number value, long width) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const long length = static_cast<long>(result.ptr - digits);
    if (width > length) {
        out.append(static_cast<std::size_t>(width - length), '0');
    }
    out.append(digits, result.ptr);
}

bool needsEscape(char c) {
    // The ampersand, the less-than sign and the double quote must be escaped
    // inside a double-quoted attribute; tab, line feed and carriage return
    // too, or an XML reader would hand them back as blanks and the stored
    // value would no longer find its counter.
    return c == '&' || c == '<' || c == '"' || c == '\t' || c == '\n' || c == '\r';
}

void appendEscapedName(std::string& out, const std::string& name) {
    std::size_t start = 0;
    const std::size_t size = name.size();
    for (std::size_t at = 0; at < size; ++at) {
        const char c = name[at];
        if (!needsEscape(c)) {
            continue;
        }
        out.append(name, start, at - start);
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        default:
            out += "&#13;";
            break;
        }
        start = at + 1;
    }
    out.append(name, start, std::string::npos);
}

} // namespace

AutoIdentificator::AutoIdentificator(const char* name, const char* prefix, long increment,
                                     long initial_value, long variable_length, long prefix_editable)
    : name_(name ? name : ""), prefix_(prefix ? prefix : ""),
      prefix_editable_(toInt32(prefix_editable)), variable_length_(toInt32(variable_length)),
      increment_(toInt32(increment)), value_(static_cast<std::uint32_t>(toInt32(initial_value))),
      initial_value_(toInt32(initial_value)) {
    date_.setNowLocal();
}

void AutoIdentificator::setValue(unsigned long value, zmbase::EarthTime& date) {
    // A shared value file is read back before every change: a counter whose
    // line did not change keeps it formatted.
    if (value_ != static_cast<std::uint32_t>(value) || !date_.isSameDay(date)) {
        line_.clear();
    }
    value_ = static_cast<std::uint32_t>(value);
    date_ = date;
}

void AutoIdentificator::updateValue(long value) {
    if (!setCorrectDay()) {
        value_ = static_cast<std::uint32_t>(toInt32(value));
        line_.clear();
    }
}

bool AutoIdentificator::updateValue(const char* text) {
    if (text == nullptr) {
        return false;
    }
    std::string prefix;
    generatePrefix(prefix);
    if (std::strncmp(text, prefix.c_str(), prefix.size()) != 0) {
        return false;
    }
    line_.clear();
    return ostrel::autoident::detail::readCounterValue(text + prefix.size(), value_);
}

bool AutoIdentificator::incrementValue() {
    if (!setCorrectDay()) {
        value_ += static_cast<std::uint32_t>(increment_);
        line_.clear();
    }
    return true;
}

const char* AutoIdentificator::getValue(long& fixedLength) {
    std::string text;
    generatePrefix(text);
    fixedLength = static_cast<long>(text.size()) - prefix_editable_;
    appendPadded(text, value_, std::min<long>(variable_length_, kMaxPaddedWidth));
    value_text_ = std::move(text);
    return value_text_.c_str();
}

bool AutoIdentificator::writeValue(std::ostream& out) {
    std::string line;
    appendValueLine(line);
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.flush();
    return true;
}

bool AutoIdentificator::generatePrefix(std::string& out) {
    setCorrectDay();
    out.clear();
    bool hasDateEscape = false;
    const std::size_t size = prefix_.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = prefix_[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == size) {
            break; // a trailing backslash stands for nothing
        }
        switch (prefix_[i]) {
        case 'Y':
            appendPadded(out, date_.year, 4);
            hasDateEscape = true;
            break;
        case 'y':
            appendPadded(out, date_.year % 100, 2);
            hasDateEscape = true;
            break;
        case 'm':
            appendPadded(out, date_.month, 2);
            hasDateEscape = true;
            break;
        case 'd':
            appendPadded(out, date_.day, 2);
            hasDateEscape = true;
            break;
        default:
            // Covers "\\" as well: the escaped byte is copied as it is.
            out += prefix_[i];
            break;
        }
    }
    if (!hasDateEscape) {
        appendPadded(out, date_.year % 100, 2);
        appendPadded(out, date_.month, 2);
        appendPadded(out, date_.day, 2);
    }
    return true;
}

void AutoIdentificator::appendValueLine(std::string& out) const {
    // A value file is rewritten after every change of one counter: the
    // lines of all the others are copied as they were formatted.
    if (line_.empty()) {
        appendValueLine(line_, name_, value_, date_);
    }
    out += line_;
}

void AutoIdentificator::appendValueLine(std::string& out, const std::string& name,
                                        std::uint32_t value, const zmbase::EarthTime& date) {
    std::string printed;
    date.printDate(printed, 0, true, true);
    out += "<ident name=\"";
    appendEscapedName(out, name);
    out += "\" value=\"";
    appendPadded(out, value, 0);
    out += "\" date=\"";
    out += printed;
    out += "\" />\r\n";
}

bool AutoIdentificator::setCorrectDay() {
    zmbase::EarthTime now;
    now.setNowLocal();
    if (now.isSameDay(date_)) {
        return false;
    }
    value_ = static_cast<std::uint32_t>(initial_value_);
    date_ = now;
    line_.clear();
    return true;
}
