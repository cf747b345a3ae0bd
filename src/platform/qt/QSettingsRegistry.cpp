#include "platform/qt/QSettingsRegistry.h"

#include "platform/detail/KeyNames.h"
#include "platform/qt/detail/TextIniFormat.h"

#include <QByteArray>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdlib>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ostrel::platform {
namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// QSettings reads slashes and backslashes in names as group separators.
bool isPlainName(const std::string& name) {
    return !name.empty() && name.find_first_of("/\\") == std::string::npos;
}

// A key path whose every component is a plain name that is not a
// directory's "." or "..", split into its components.
std::optional<std::vector<std::string>> splitPath(const std::string& path) {
    auto components = detail::splitKeyPath(path);
    if (components) {
        for (const std::string& component : *components) {
            if (!isPlainName(component) || component == "." || component == "..") {
                return std::nullopt;
            }
        }
    }
    return components;
}

bool isSoftware(const std::string& component) {
    return QString::fromStdString(component).compare(QLatin1String("Software"),
                                                     Qt::CaseInsensitive) == 0;
}

class SettingsKey : public RegistryKey {
public:
    SettingsKey(std::unique_ptr<QSettings> settings, QString group, RegistryAccess access)
        : settings_(std::move(settings)), group_(std::move(group)), access_(access) {
        settings_->setFallbacksEnabled(false);
        if (!group_.isEmpty()) {
            settings_->beginGroup(group_);
        }
    }

    std::optional<RegistryValue> queryValue(const std::string& name) const override {
        if (!isPlainName(name)) {
            return std::nullopt;
        }
        const std::optional<QString> key = storedName(name);
        if (!key) {
            return std::nullopt;
        }
        return decode(settings_->value(*key));
    }

    bool setValue(const std::string& name, const RegistryValue& value) override {
        if (access_ != RegistryAccess::ReadWrite || !isPlainName(name) ||
            !settings_->isWritable()) {
            return false;
        }
        // One value per name, as in the registry: other spellings of the
        // name (written by hand) give way to this one.
        const QString key = fromUtf8(name);
        const std::string folded = detail::foldNameCase(name);
        for (const QString& stored : settings_->childKeys()) {
            if (stored != key && detail::foldNameCase(toUtf8(stored)) == folded) {
                settings_->remove(stored);
            }
        }
        settings_->setValue(key, encode(value));
        settings_->sync();
        return settings_->status() == QSettings::NoError;
    }

private:
    // The stored spelling of a value name: the exact one when the file has
    // it, else the first (in QSettings' order, capitals first) that differs
    // only in the case of ASCII letters, as users write "language=de".
    std::optional<QString> storedName(const std::string& name) const {
        const QString exact = fromUtf8(name);
        if (settings_->contains(exact)) {
            return exact;
        }
        const std::string folded = detail::foldNameCase(name);
        for (const QString& stored : settings_->childKeys()) {
            if (detail::foldNameCase(toUtf8(stored)) == folded) {
                return stored;
            }
        }
        return std::nullopt;
    }

#ifdef Q_OS_WIN
    static QVariant encode(const RegistryValue& value) {
        switch (value.type()) {
        case RegistryValueType::Number:
            return QVariant(static_cast<int>(value.number()));
        case RegistryValueType::Binary:
            return QVariant(
                QByteArray(value.text().data(), static_cast<qsizetype>(value.text().size())));
        default:
            return QVariant(fromUtf8(value.text()));
        }
    }

    static std::optional<RegistryValue> decode(const QVariant& stored) {
        switch (stored.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return RegistryValue::number(static_cast<std::uint32_t>(stored.toULongLong()));
        case QMetaType::QByteArray: {
            const QByteArray bytes = stored.toByteArray();
            return RegistryValue::binary(
                std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        }
        default:
            break;
        }
        if (!stored.canConvert<QString>()) {
            return std::nullopt;
        }
        return RegistryValue::string(toUtf8(stored.toString()));
    }
#else
    static QVariant encode(const RegistryValue& value) {
        return QVariant(fromUtf8(value.toSettingsText()));
    }

    static std::optional<RegistryValue> decode(const QVariant& stored) {
        // A hand-edited line such as "a, b" reads back as a list; take it as
        // the text it was meant to be rather than dropping it.
        if (stored.typeId() == QMetaType::QStringList) {
            return RegistryValue::fromSettingsText(
                toUtf8(stored.toStringList().join(QLatin1String(", "))));
        }
        return RegistryValue::fromSettingsText(toUtf8(stored.toString()));
    }
#endif

    std::unique_ptr<QSettings> settings_;
    QString group_;
    RegistryAccess access_;
};

#ifdef Q_OS_WIN
bool keyExists(RegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    const std::wstring wide = fromUtf8(path).toStdWString();
    if (RegOpenKeyExW(root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
                      wide.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}
#endif

std::string userConfigDirectory() {
    return toUtf8(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

std::vector<std::string> machineConfigDirectories() {
    std::vector<std::string> directories;
    const char* configured = std::getenv("XDG_CONFIG_DIRS");
    const QString list =
        configured && *configured ? QString::fromLocal8Bit(configured) : QStringLiteral("/etc/xdg");
    for (const QString& directory : list.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // Relative entries are invalid by the XDG rules and are skipped.
        if (QFileInfo(directory).isAbsolute()) {
            directories.push_back(toUtf8(directory));
        }
    }
    return directories;
}

} // namespace

QSettingsRegistry::QSettingsRegistry()
    : QSettingsRegistry(userConfigDirectory(), machineConfigDirectories()) {}

QSettingsRegistry::QSettingsRegistry(std::string userDirectory,
                                     std::vector<std::string> machineDirectories)
    : userDirectory_(std::move(userDirectory)), machineDirectories_(std::move(machineDirectories)) {
}

std::unique_ptr<RegistryKey> QSettingsRegistry::openKey(RegistryRoot root, const std::string& path,
                                                        RegistryAccess access) {
    const auto components = splitPath(path);
    if (!components || components->size() < 2 || !isSoftware(components->front())) {
        return nullptr;
    }
#ifdef Q_OS_WIN
    if (!keyExists(root, path)) {
        return nullptr;
    }
    const QString rootName = root == RegistryRoot::CurrentUser
                                 ? QStringLiteral("HKEY_CURRENT_USER\\")
                                 : QStringLiteral("HKEY_LOCAL_MACHINE\\");
    auto settings = std::make_unique<QSettings>(rootName + fromUtf8(path), QSettings::NativeFormat);
    return std::make_unique<SettingsKey>(std::move(settings), QString(), access);
#else
    QString file = fromUtf8((*components)[1]);
    if (components->size() > 2) {
        file += QLatin1Char('/') + fromUtf8((*components)[2]);
    }
    file += QLatin1String(".ini");
    QStringList groups;
    for (std::size_t i = 3; i < components->size(); ++i) {
        groups.append(fromUtf8((*components)[i]));
    }

    QString directory;
    if (root == RegistryRoot::CurrentUser) {
        directory = fromUtf8(userDirectory_);
    } else {
        for (const std::string& candidate : machineDirectories_) {
            if (QFileInfo::exists(fromUtf8(candidate) + QLatin1Char('/') + file)) {
                directory = fromUtf8(candidate);
                break;
            }
        }
        if (directory.isEmpty() && !machineDirectories_.empty()) {
            directory = fromUtf8(machineDirectories_.front());
        }
    }
    if (directory.isEmpty()) {
        return nullptr;
    }
    const QString fileName = directory + QLatin1Char('/') + file;
    // QSettings opens the file as soon as it is made and would wait for ever
    // on a FIFO: a file that exists but is not a regular one is a key that
    // cannot be opened, so the defaults (or the machine's values) apply.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile()) {
        return nullptr;
    }
    // QSettings' own INI format would decode "@Variant(...)" and the like
    // into Qt types; every value of these files is text.
    auto settings = std::make_unique<QSettings>(fileName, detail::textIniFormat());
    return std::make_unique<SettingsKey>(std::move(settings), groups.join(QLatin1Char('/')),
                                         access);
#endif
}

} // namespace ostrel::platform
