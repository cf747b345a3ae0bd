// The language set-up, and the catalogues built beside the library: these catch a text that lost
// its translation, a placeholder a translation dropped, and a broken plural rule (the
// translations themselves live in the .po files).

#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"

#include "host/base/ResourceManager.h"
#include "platform/MemoryRegistry.h"
#include "platform/ScopedDefault.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <libintl.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace ostrel::platform;
using Value = std::optional<RegistryValue>;
namespace text = ostrel::i18n::text;

class ZMLanguageSettingsTest : public ::testing::Test {
protected:
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
    // Sets the catalogue up as the library does at load, for `language`.
    ZMLanguageSettings loaded(const char* language) {
        ZMLanguageSettings settings = installed(RegistryValue::string(language));
        EXPECT_TRUE(settings.initialize("ostrel"));
        return settings;
    }

    ScopedDefault<Registry> store_{std::make_unique<MemoryRegistry>()};
};
using CatalogueTest = ZMLanguageSettingsTest;

// Whether `translated` keeps every "%1".."%3" of `id`.
bool keepsPlaceholders(const std::string& id, const std::string& translated) {
    for (const char* placeholder : {"%1", "%2", "%3"}) {
        if ((id.find(placeholder) == std::string::npos) !=
            (translated.find(placeholder) == std::string::npos)) {
            return false;
        }
    }
    return true;
}

// Other process locales, and a configured language translating: LibraryLoadTest.
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
        // The environment's own LANGUAGE: left alone, and ignored by gettext in the C locale.
        ::setenv("LANGUAGE", "cs", 1);
        ZMLanguageSettings settings = installed(row.user, row.machine);
        EXPECT_FALSE(settings.initialize(nullptr)); // changes nothing
        EXPECT_TRUE(settings.getLanguage().empty() && settings.getDomain().empty());
        EXPECT_STREQ(std::getenv("LANGUAGE"), "cs");
        ASSERT_TRUE(settings.initialize("ostrel"));
        EXPECT_EQ(settings.getLanguage(), row.language);
        EXPECT_STREQ(std::getenv("LANGUAGE"), row.language.empty() ? "cs" : row.language.c_str());
        if (row.language.empty()) {
            EXPECT_EQ(settings.translate("Cancel").str(), "Cancel") << "the C locale stays English";
        }
    }
    EXPECT_EQ(ZMLanguageSettings().translate(nullptr).str(), "");
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

TEST_F(CatalogueTest, EveryDialogTextIsTranslatedInEachLanguage) {
    const char* const ids[] = {text::documentTypeSelection,
                               text::documentGroup,
                               text::document,
                               text::lastSelected,
                               text::changeDomain,
                               text::cancel,
                               text::documentIdentification,
                               text::rememberCursor,
                               text::allIdentificatorsEmpty,
                               text::insertValue,
                               text::automaticallyInsertValue,
                               text::insertLastValueOf,
                               text::description,
                               text::lastValueAutomatic,
                               text::lastValueManual,
                               text::noLastValue};
    // Czech after German in one process: not answered from gettext's cache.
    std::vector<std::string> translations[2];
    for (int i = 0; i < 2; ++i) {
        const ZMLanguageSettings settings = loaded(i == 0 ? "de" : "cs");
        for (const char* id : ids) {
            const std::string& translated =
                translations[i].emplace_back(settings.translate(id).str());
            EXPECT_NE(translated, id);
            EXPECT_TRUE(keepsPlaceholders(id, translated)) << translated;
        }
        EXPECT_EQ(settings.translate("No such message").str(), "No such message");
    }
    EXPECT_NE(translations[0], translations[1]);
}

TEST_F(CatalogueTest, HostMessagesAndPluralsAreTranslated) {
    // The host layer asks gettext directly, which needs a process locale.
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    loaded("cs");
    const std::string expected = ::dgettext("ostrel", "%1: expected %2");
    EXPECT_NE(expected, "%1: expected %2");
    EXPECT_TRUE(keepsPlaceholders("%1: expected %2", expected));
    // Czech has three forms: 1; 2 to 4; 0 and 5 on.
    const auto digits = [](unsigned long n) {
        return std::string(::dngettext("ostrel", "%1 digit", "%1 digits", n));
    };
    EXPECT_NE(digits(1), "%1 digit");
    EXPECT_EQ(digits(3), digits(2));
    EXPECT_EQ(digits(0), digits(5));
    EXPECT_NE(digits(5), digits(1));
    // The host's error caption is translated too; a text a host sets is its own, until cleared.
    zmutils::ResourceManager& resources = zmutils::getResourceManager();
    resources.setString("Common", "Error", "Error!");
    EXPECT_EQ(resources.getString("Common", "Error").str(), "Error!");
    resources.clear();
    EXPECT_EQ(resources.getString("Common", "Error").str(), "Chyba");
    EXPECT_EQ(resources.getString("Common", "Unknown").str(), "Unknown");
}

} // namespace
