// The catalogues built beside the library translate every text the dialogs and the host layer
// show ("Cancel", "Remember cursor", "Error": LibraryLoadTest).

#include "i18n/ZMLanguageSettings.h"

#include "platform/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <libintl.h>

namespace {

using namespace ostrel::platform;

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = Registry::setDefault(std::make_unique<MemoryRegistry>()); }
    void TearDown() override {
        Registry::setDefault(std::move(previous_));
        ::setenv("LANGUAGE", "", 1);
        std::setlocale(LC_ALL, "C");
    }
    // Sets the catalogue up as the library does at load, for `language`.
    static ZMLanguageSettings load(const char* language) {
        static_cast<MemoryRegistry&>(Registry::getDefault())
            .setValue(RegistryRoot::CurrentUser, "Software\\Zelvamont", "Language",
                      RegistryValue::string(language));
        auto settings = ZMLanguageSettings::forModuleFile(OSTREL_LIBRARY_DIR "/libostrel.so");
        settings.initialize("ostrel");
        return settings;
    }

private:
    std::unique_ptr<Registry> previous_;
};

TEST_F(CatalogueTest, EveryDialogTextIsTranslated) {
    const struct {
        const char *id, *de, *cs;
    } rows[] = {
        {"Document Type Selection", "Auswahl des Dokumenttyps", "Výběr typu dokumentu"},
        {"Document group:", "Dokumentgruppe:", "Skupina dokumentů:"},
        {"Document:", "Dokument:", "Dokument:"},
        {"Last selected:", "Zuletzt ausgewählt:", "Naposledy vybrané:"},
        {"Change &Domain ...", "&Domäne wechseln ...", "Změnit &doménu ..."},
        {"Document Identification", "Dokumentidentifikation", "Identifikace dokumentu"},
        {"All identificators are empty. At least one identificator have to be entered.",
         "Alle Identifikatoren sind leer. Mindestens ein Identifikator muss eingegeben werden.",
         "Všechny identifikátory jsou prázdné. Je třeba zadat alespoň jeden identifikátor."},
        {"&Insert value", "Wert &einfügen", "&Vložit hodnotu"},
        {"&Automaticaly insert value", "Wert &automatisch einfügen",
         "&Automaticky vkládat hodnotu"},
        {"Insert the last value of %1", "Letzten Wert von %1 einfügen",
         "Vložit poslední hodnotu pole %1"},
    };
    // Czech after German in one process: not answered from gettext's cache.
    const ZMLanguageSettings german = load("de");
    for (const auto& row : rows) {
        EXPECT_EQ(german.translate(row.id).str(), row.de) << row.id;
    }
    const ZMLanguageSettings czech = load("cs");
    for (const auto& row : rows) {
        EXPECT_EQ(czech.translate(row.id).str(), row.cs) << row.id;
    }
}

TEST_F(CatalogueTest, HostMessagesAndPluralsAreTranslated) {
    // The host layer asks gettext directly, which needs a process locale.
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    load("cs");
    EXPECT_STREQ(::dgettext("ostrel", "%1: expected %2"), "%1: očekáváno %2");
    for (const auto& [count, text] : {std::pair{1ul, "%1 číslice"},
                                      {3ul, "%1 číslice"},
                                      {5ul, "%1 číslic"},
                                      {0ul, "%1 číslic"}}) {
        EXPECT_STREQ(::dngettext("ostrel", "%1 digit", "%1 digits", count), text) << count;
    }
    load("de");
    EXPECT_STREQ(::dngettext("ostrel", "%1: at most %2 character allowed",
                             "%1: at most %2 characters allowed", 2),
                 "%1: höchstens %2 Zeichen erlaubt");
    EXPECT_STREQ(::dngettext("ostrel", "up to %1 letter", "up to %1 letters", 1),
                 "bis zu %1 Buchstabe");
}

} // namespace
