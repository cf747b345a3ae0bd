#include "i18n/ZMLanguageSettings.h"

#include "platform/MemoryRegistry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <libintl.h>
#include <optional>

namespace {

using ostrel::platform::MemoryRegistry;
using ostrel::platform::Registry;
using ostrel::platform::RegistryRoot;
using ostrel::platform::RegistryValue;

constexpr const char* kKey = "Software\\Zelvamont";

class ZMLanguageSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto store = std::make_unique<MemoryRegistry>();
        store_ = store.get();
        previous_ = Registry::setDefault(std::move(store));
        ::setenv("LANGUAGE", "untouched", 1);
    }
    void TearDown() override {
        Registry::setDefault(std::move(previous_));
        ::setenv("LANGUAGE", "", 1);
    }

    void configure(RegistryRoot root, const std::optional<RegistryValue>& value) {
        if (value) {
            store_->setValue(root, kKey, "Language", *value);
        }
    }

    // A library installed beside the catalogues built with the project.
    static ZMLanguageSettings installed() {
        return ZMLanguageSettings::forModuleFile(OSTREL_LIBRARY_DIR "/libostrel.so");
    }

    MemoryRegistry* store_ = nullptr;

private:
    std::unique_ptr<Registry> previous_;
};

TEST_F(ZMLanguageSettingsTest, UserLanguageWinsOverMachineLanguage) {
    const std::string longest(1023, 'x');
    const struct {
        const char* note;
        std::optional<RegistryValue> machine;
        std::optional<RegistryValue> user;
        std::string language;
        std::string environment;
    } rows[] = {
        {"both set: the user's", RegistryValue::string("fr"), RegistryValue::string("de"), "de",
         "de"},
        {"machine only", RegistryValue::string("fr"), std::nullopt, "fr", "fr"},
        {"user only", std::nullopt, RegistryValue::string("cs"), "cs", "cs"},
        {"nothing configured: LANGUAGE untouched", std::nullopt, std::nullopt, "", "untouched"},
        {"an empty user value replaces the machine's", RegistryValue::string("fr"),
         RegistryValue::string(""), "", "untouched"},
        {"1024 characters count as absent", RegistryValue::string("fr"),
         RegistryValue::string(longest + "x"), "fr", "fr"},
        {"1023 characters are read", std::nullopt, RegistryValue::string(longest), longest,
         longest},
        {"non-ASCII text", std::nullopt, RegistryValue::string("de_AT:\xC4\x8D"), "de_AT:\xC4\x8D",
         "de_AT:\xC4\x8D"},
        {"the type is not examined", std::nullopt, RegistryValue::number(0x65), "e", "e"},
        {"expandable text", std::nullopt, RegistryValue::expandString("cs"), "cs", "cs"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.note);
        *store_ = MemoryRegistry();
        ::setenv("LANGUAGE", "untouched", 1);
        configure(RegistryRoot::LocalMachine, row.machine);
        configure(RegistryRoot::CurrentUser, row.user);

        ZMLanguageSettings settings = installed();
        ASSERT_TRUE(settings.initialize("ostrel"));
        EXPECT_EQ(settings.getLanguage(), row.language);
        EXPECT_STREQ(std::getenv("LANGUAGE"), row.environment.c_str());
    }
}

TEST_F(ZMLanguageSettingsTest, NullDomainChangesNothing) {
    configure(RegistryRoot::CurrentUser, RegistryValue::string("de"));
    ZMLanguageSettings settings = installed();
    EXPECT_FALSE(settings.initialize(nullptr));
    EXPECT_EQ(settings.getLanguage(), "");
    EXPECT_EQ(settings.getDomain(), "");
    EXPECT_STREQ(std::getenv("LANGUAGE"), "untouched");
}

TEST_F(ZMLanguageSettingsTest, ModuleDirectoryEndsAfterTheLastSlash) {
    const struct {
        const char* file;
        const char* directory;
    } rows[] = {
        {"/opt/ostrel/lib/libostrel.so", "/opt/ostrel/lib/"},
        {"/libostrel.so", "/"},
        {"libostrel.so", "libostrel.so"}, // no directory: the text stays whole
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ZMLanguageSettings::forModuleFile(row.file).getModuleDirectory().toU8().str(),
                  row.directory);
    }
    // Linked into a program, the module is the program's real file.
    const std::string program = std::filesystem::canonical("/proc/self/exe").string();
    EXPECT_EQ(ZMLanguageSettings().getModuleDirectory().toU8().str(),
              program.substr(0, program.rfind('/') + 1));
}

TEST_F(ZMLanguageSettingsTest, CataloguesAreBoundBesideTheLibraryOrToItsDirectory) {
    ostrel::test::TempDir dir;
    auto settings = ZMLanguageSettings::forModuleFile(dir.file("libostrel.so"));
    ASSERT_TRUE(settings.initialize("ostrel-without-locale"));
    EXPECT_STREQ(::bindtextdomain("ostrel-without-locale", nullptr),
                 (dir.path().string() + "/").c_str());

    std::filesystem::create_directory(dir.file("locale"));
    ASSERT_TRUE(settings.initialize("ostrel-with-locale"));
    EXPECT_STREQ(::bindtextdomain("ostrel-with-locale", nullptr), dir.file("locale").c_str());
    EXPECT_STREQ(::bind_textdomain_codeset("ostrel-with-locale", nullptr), "UTF-8");
}

TEST_F(ZMLanguageSettingsTest, TranslateFallsBackToTheMessageId) {
    configure(RegistryRoot::CurrentUser, RegistryValue::string("de"));
    ZMLanguageSettings settings = installed();
    ASSERT_TRUE(settings.initialize("ostrel"));
    EXPECT_EQ(settings.translate("Cancel").str(), "Abbrechen");
    EXPECT_EQ(settings.translate("No such message").str(), "No such message");
    EXPECT_EQ(settings.translate(nullptr).str(), "");
}

TEST_F(ZMLanguageSettingsTest, ConfiguredLanguageAppliesInTheCLocaleWithoutChangingIt) {
    configure(RegistryRoot::CurrentUser, RegistryValue::string("cs"));
    ZMLanguageSettings settings = installed();
    ASSERT_TRUE(settings.initialize("ostrel"));
    for (const char* processLocale : {"C", "POSIX", "C.UTF-8"}) {
        SCOPED_TRACE(processLocale);
        ASSERT_NE(std::setlocale(LC_ALL, processLocale), nullptr);
        const std::string before = std::setlocale(LC_MESSAGES, nullptr);
        EXPECT_EQ(settings.translate("Cancel").str(), "Storno");
        EXPECT_EQ(std::setlocale(LC_MESSAGES, nullptr), before);
    }
    std::setlocale(LC_ALL, "C");
}

TEST_F(ZMLanguageSettingsTest, WithoutConfiguredLanguageTheCLocaleStaysEnglish) {
    // LANGUAGE from the environment is gettext's business, which ignores it
    // in the C locale; the library adds nothing when nobody configured one.
    ::setenv("LANGUAGE", "de", 1);
    ZMLanguageSettings settings = installed();
    ASSERT_TRUE(settings.initialize("ostrel"));
    EXPECT_EQ(settings.translate("Cancel").str(), "Cancel");
}

} // namespace
