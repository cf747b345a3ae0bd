#include "platform/qt/detail/TextIniFormat.h"

#include "host/base/U8String.h"

#include <QIODevice>
#include <QStringList>

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ostrel::platform::detail {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool isHexDigit(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

void appendHex(std::string& out, unsigned value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789abcdef"[value % 16]);
        value /= 16;
    } while (value != 0);
    out += digits;
}

// ---- Writing, as QSettings' INI format writes text values.

// Section and value names: letters, digits, "_", "-" and "." as they are, a
// slash as a backslash, anything else as "%XX" (or "%UXXXX" beyond Latin-1).
std::string escapedName(const QString& name) {
    std::string out;
    for (const QChar qc : name) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            out += '\\';
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                   (c >= u'0' && c <= u'9') || c == u'_' || c == u'-' || c == u'.') {
            out += static_cast<char>(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += kHexDigits[c / 16];
            out += kHexDigits[c % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) {
                out += kHexDigits[(c >> shift) & 0xF];
            }
        }
    }
    return out;
}

std::string escapedValue(const QString& value) {
    // A leading "@" would make QSettings decode the text: it is doubled.
    const std::u32string text = ostrel::decodeUtf8(
        (value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value).toStdString());
    std::string out;
    bool quoted = false;
    // After a numeric escape a hex digit would continue it: it is escaped too.
    bool escapeHexDigit = false;
    for (const char32_t c : text) {
        if (c == ';' || c == ',' || c == '=') {
            quoted = true;
        }
        if (escapeHexDigit && isHexDigit(c)) {
            out += "\\x";
            appendHex(out, c);
            continue;
        }
        escapeHexDigit = false;
        switch (c) {
        case U'\0':
            out += "\\0";
            escapeHexDigit = true;
            break;
        case U'\a':
            out += "\\a";
            break;
        case U'\b':
            out += "\\b";
            break;
        case U'\f':
            out += "\\f";
            break;
        case U'\n':
            out += "\\n";
            break;
        case U'\r':
            out += "\\r";
            break;
        case U'\t':
            out += "\\t";
            break;
        case U'\v':
            out += "\\v";
            break;
        case U'"':
        case U'\\':
            out += '\\';
            out += static_cast<char>(c);
            break;
        default:
            if (c <= 0x1F) {
                out += "\\x";
                appendHex(out, c);
                escapeHexDigit = true;
            } else {
                ostrel::appendUtf8(out, c);
            }
        }
    }
    if (quoted || (!out.empty() && (out.front() == ' ' || out.back() == ' '))) {
        out = '"' + out + '"';
    }
    return out;
}

bool writeIni(QIODevice& device, const QSettings::SettingsMap& map) {
    // Sections in name order, the keys outside any section first, and the
    // keys of each in name order, as QSettings writes a file.
    std::map<QString, std::vector<std::pair<QString, QString>>> sections;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        const QString section = slash < 0 ? QString() : it.key().left(slash);
        const QString name = slash < 0 ? it.key() : it.key().mid(slash + 1);
        const QString text = it.value().typeId() == QMetaType::QStringList
                                 ? it.value().toStringList().join(QLatin1String(", "))
                                 : it.value().toString();
        sections[section].emplace_back(name, text);
    }
    std::string out;
    for (const auto& [section, entries] : sections) {
        if (!out.empty()) {
            out += '\n';
        }
        if (section.isEmpty()) {
            out += "[General]\n";
        } else if (section.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) {
            out += "[%General]\n";
        } else {
            out += '[' + escapedName(section) + "]\n";
        }
        for (const auto& [name, text] : entries) {
            out += escapedName(name) + '=' + escapedValue(text) + '\n';
        }
    }
    return device.write(out.data(), static_cast<qint64>(out.size())) ==
           static_cast<qint64>(out.size());
}

// ---- Reading.

QString unescapedName(std::string_view name) {
    std::u32string out;
    const std::u32string text = ostrel::decodeUtf8(std::string(name));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U'\\') {
            out += U'/';
            continue;
        }
        const bool wide = c == U'%' && i + 1 < text.size() && text[i + 1] == U'U';
        const std::size_t digits = wide ? 4 : 2;
        const std::size_t first = wide ? i + 2 : i + 1;
        if (c == U'%' && first + digits <= text.size()) {
            char32_t value = 0;
            bool valid = true;
            for (std::size_t d = first; d < first + digits; ++d) {
                const int v = text[d] < 0x80 ? hexValue(static_cast<char>(text[d])) : -1;
                valid = valid && v >= 0;
                value = value * 16 + static_cast<char32_t>(v < 0 ? 0 : v);
            }
            if (valid) {
                out += value;
                i = first + digits - 1;
                continue;
            }
        }
        out += c;
    }
    return QString::fromStdString(ostrel::encodeUtf8(out));
}

// One list item: "@@" stands for a leading "@", every other text for itself.
QString itemText(const std::string& bytes) {
    const std::string_view text = bytes;
    return QString::fromStdString(std::string(text.substr(0, 2) == "@@" ? text.substr(1) : text));
}

// The value part of a line (comment and line ends already gone).
QVariant parsedValue(std::string_view text) {
    QStringList items;
    std::string item;
    std::size_t keep = 0; // the item's length that trailing blanks may not cut
    bool inQuotes = false;
    bool list = false;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i])) {
            ++i;
        }
    };
    const auto finishItem = [&] {
        while (item.size() > keep && isBlank(item.back())) {
            item.pop_back();
        }
        items.append(itemText(item));
        item.clear();
        keep = 0;
    };
    skipBlanks();
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {
            inQuotes = !inQuotes;
            ++i;
            if (!inQuotes) {
                skipBlanks();
            }
        } else if (c == ',' && !inQuotes) {
            list = true;
            finishItem();
            ++i;
            skipBlanks();
        } else if (c == '\\' && i + 1 < text.size()) {
            const char e = text[i + 1];
            i += 2;
            char32_t code = 0;
            switch (e) {
            case 'a':
                code = U'\a';
                break;
            case 'b':
                code = U'\b';
                break;
            case 'f':
                code = U'\f';
                break;
            case 'n':
                code = U'\n';
                break;
            case 'r':
                code = U'\r';
                break;
            case 't':
                code = U'\t';
                break;
            case 'v':
                code = U'\v';
                break;
            case '"':
            case '\'':
            case '?':
            case '\\':
                code = static_cast<char32_t>(e);
                break;
            case 'x':
                // As many hex digits as follow, like QSettings; the value is
                // kept to the range of characters.
                while (i < text.size() && hexValue(text[i]) >= 0) {
                    code = (code * 16 + static_cast<char32_t>(hexValue(text[i]))) & 0x1FFFFF;
                    ++i;
                }
                break;
            default:
                if (e >= '0' && e <= '7') {
                    code = static_cast<char32_t>(e - '0');
                    for (int n = 0; n < 2 && i < text.size() && text[i] >= '0' && text[i] <= '7';
                         ++n, ++i) {
                        code = code * 8 + static_cast<char32_t>(text[i] - '0');
                    }
                } else {
                    continue; // an unknown escape stands for nothing
                }
            }
            ostrel::appendUtf8(item, code);
            keep = item.size();
        } else {
            item += c;
            ++i;
            if (inQuotes) {
                keep = item.size();
            }
        }
    }
    finishItem();
    if (!list) {
        return items.front();
    }
    return items;
}

// The logical lines of the file: a backslash at the end of a line joins the
// next one, a ";" outside quotes starts a comment.
std::vector<std::string> logicalLines(std::string_view data) {
    std::vector<std::string> lines;
    std::string line;
    bool inQuotes = false;
    bool comment = false;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c == '\n' || c == '\r') {
            lines.push_back(std::move(line));
            line.clear();
            inQuotes = false;
            comment = false;
            continue;
        }
        if (comment) {
            continue;
        }
        if (c == '\\' && i + 1 < data.size()) {
            const char next = data[i + 1];
            if (next == '\n' || next == '\r') {
                i += next == '\r' && i + 2 < data.size() && data[i + 2] == '\n' ? 2 : 1;
                continue;
            }
            line += c;
            line += next;
            ++i;
            continue;
        }
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';' && !inQuotes) {
            comment = true;
            continue;
        }
        line += c;
    }
    lines.push_back(std::move(line));
    return lines;
}

bool readIni(QIODevice& device, QSettings::SettingsMap& map) {
    const QByteArray bytes = device.readAll();
    std::string_view data(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (data.substr(0, 3) == "\xEF\xBB\xBF") {
        data.remove_prefix(3);
    }
    QString section;
    for (const std::string& line : logicalLines(data)) {
        std::string_view text = line;
        while (!text.empty() && isBlank(text.front())) {
            text.remove_prefix(1);
        }
        if (text.empty()) {
            continue;
        }
        if (text.front() == '[') {
            const std::size_t end = text.find(']');
            const QString name = unescapedName(
                text.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1));
            if (name.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) {
                section.clear();
            } else if (name.compare(QLatin1String("%general"), Qt::CaseInsensitive) == 0) {
                section = name.mid(1);
            } else {
                section = name;
            }
            continue;
        }
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        std::string_view name = text.substr(0, equals);
        while (!name.empty() && isBlank(name.back())) {
            name.remove_suffix(1);
        }
        if (name.empty()) {
            continue;
        }
        const QString key = unescapedName(name);
        map.insert(section.isEmpty() ? key : section + QLatin1Char('/') + key,
                   parsedValue(text.substr(equals + 1)));
    }
    return true;
}

} // namespace

QSettings::Format textIniFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readIni, writeIni, Qt::CaseSensitive);
    return format;
}

} // namespace ostrel::platform::detail
