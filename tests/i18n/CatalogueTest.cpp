// The catalogues built beside the library translate every text the dialogs and the host layer
// show. The translations themselves live in the .po files; these checks catch a text that lost
// its translation, a placeholder a translation dropped, and a broken plural rule.

#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"

#include "platform/MemoryRegistry.h"
#include "platform/ScopedDefault.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <libintl.h>
#include <string>
#include <vector>

namespace {

using namespace ostrel::platform;
namespace text = ostrel::i18n::text;

class CatalogueTest : public ::testing::Test {
protected:
    void TearDown() override {
        ::setenv("LANGUAGE", "", 1);
        std::setlocale(LC_ALL, "C");
    }
    // Sets the catalogue up as the library does at load, for `language`.
    ZMLanguageSettings load(const char* language) {
        EXPECT_TRUE(store_.get<MemoryRegistry>().setValue(RegistryRoot::CurrentUser,
                                                          "Software\\Zelvamont", "Language",
                                                          RegistryValue::string(language)));
        auto settings = ZMLanguageSettings::forModuleFile(OSTREL_LIBRARY_DIR "/libostrel.so");
        EXPECT_TRUE(settings.initialize("ostrel"));
        return settings;
    }

    ScopedDefault<Registry> store_{std::make_unique<MemoryRegistry>()};
};

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
        const ZMLanguageSettings settings = load(i == 0 ? "de" : "cs");
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
    load("cs");
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
}

} // namespace
