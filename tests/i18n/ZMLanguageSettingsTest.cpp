#include "i18n/ZMLanguageSettings.h"

#include "platform/MemoryRegistry.h"
#include "platform/ScopedDefault.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <libintl.h>
#include <optional>

namespace {

using namespace ostrel::platform;
using Value = std::optional<RegistryValue>;

class ZMLanguageSettingsTest : public ::testing::Test {
protected:
    ZMLanguageSettingsTest() { ::setenv("LANGUAGE", "untouched", 1); }
    void TearDown() override {
        ::setenv("LANGUAGE", "", 1);
        std::setlocale(LC_ALL, "C");
    }
    // A library installed beside the built catalogues, with the given Language values.
    ZMLanguageSettings installed(const Value& user, const Value& machine = std::nullopt) {
        MemoryRegistry& store = store_.get<MemoryRegistry>();
        store = MemoryRegistry();
        for (const auto& [root, value] :
             {std::pair{RegistryRoot::CurrentUser, user}, {RegistryRoot::LocalMachine, machine}}) {
            if (value) {
                EXPECT_TRUE(store.setValue(root, "Software\\Zelvamont", "Language", *value));
            }
        }
        return ZMLanguageSettings::forModuleFile(OSTREL_LIBRARY_DIR "/libostrel.so");
    }

    ScopedDefault<Registry> store_{std::make_unique<MemoryRegistry>()};
};

TEST_F(ZMLanguageSettingsTest, UserLanguageWinsOverMachineOnceADomainIsGiven) {
    const auto text = [](const std::string& t) { return Value(RegistryValue::string(t)); };
    const std::string x1023(1023, 'x');
    const struct {
        Value user, machine;
        std::string language; // also LANGUAGE, which stays untouched when this is empty
    } rows[] = {
        {text("de"), text("fr"), "de"},
        {{}, text("fr"), "fr"},
        {{}, {}, ""},
        {text(""), text("fr"), ""},            // an empty user value wins too
        {text(x1023 + "x"), text("fr"), "fr"}, // 1024 characters count as absent
        {text(x1023), {}, x1023},              // 1023 characters are read
        {text("de_AT:\xC4\x8D"), {}, "de_AT:\xC4\x8D"},
        {RegistryValue::number(0x65), text("fr"), "e"}, // the type is not examined
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.language);
        ::setenv("LANGUAGE", "untouched", 1);
        ZMLanguageSettings settings = installed(row.user, row.machine);
        EXPECT_FALSE(settings.initialize(nullptr)); // changes nothing
        EXPECT_TRUE(settings.getLanguage().empty() && settings.getDomain().empty());
        EXPECT_STREQ(std::getenv("LANGUAGE"), "untouched");
        ASSERT_TRUE(settings.initialize("ostrel"));
        EXPECT_EQ(settings.getLanguage(), row.language);
        EXPECT_STREQ(std::getenv("LANGUAGE"),
                     row.language.empty() ? "untouched" : row.language.c_str());
    }
}

TEST_F(ZMLanguageSettingsTest, ModuleDirectoryEndsAfterTheLastSlash) {
    for (const auto& [file, directory] :
         {std::pair{"/opt/ostrel/lib/libostrel.so", "/opt/ostrel/lib/"},
          {"/libostrel.so", "/"},
          {"libostrel.so", "libostrel.so"}}) {
        EXPECT_EQ(ZMLanguageSettings::forModuleFile(file).getModuleDirectory().toU8().str(),
                  directory);
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

// Other process locales, and a configured language translating: LibraryLoadTest.
TEST_F(ZMLanguageSettingsTest, WithoutAConfiguredLanguageTheCLocaleStaysEnglish) {
    // gettext ignores LANGUAGE from the environment in the C locale; the library adds nothing.
    ::setenv("LANGUAGE", "de", 1);
    ZMLanguageSettings settings = installed(std::nullopt);
    ASSERT_TRUE(settings.initialize("ostrel"));
    EXPECT_EQ(settings.translate("Cancel").str(), "Cancel");
    EXPECT_EQ(settings.translate(nullptr).str(), "");
}

} // namespace
