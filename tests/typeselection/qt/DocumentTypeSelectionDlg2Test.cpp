#include "typeselection/qt/DocumentTypeSelectionDlg2.h"

#include "typeselection/SampleCatalogue.h"

#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"
#include "platform/qt/QSettingsRegistry.h"
#include "support/TempDir.h"
#include "typeselection/qt/CKeyDrivenListCtrl.h"
#include "typeselection/qt/detail/CKeyDrivenListCtrlPrivate.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace ostrel::platform;

// The document list alone, its type-ahead timed by a clock of its own.
class CKeyDrivenListCtrlTest : public ::testing::Test {
protected:
    CKeyDrivenListCtrlTest() {
        CKeyDrivenListCtrlPrivate::get(list).clock = &clock;
        setEntries({"Inventory", "Invoice", "Order", "\xC3\x9A\xC4\x8Dtenka"});
        list.resize(200, 150);
        list.show();
        list.activateWindow();
        list.setFocus();
    }

    void setEntries(const std::vector<std::string>& names) {
        std::vector<Ostrel::u8string> texts;
        std::vector<std::u32string> keys;
        for (const std::string& name : names) {
            texts.emplace_back(name);
            keys.push_back(ostrel::foldCase(name));
        }
        list.setEntries(texts, keys, QIcon());
    }
    QLabel* tip() const { return list.findChild<QLabel*>(QStringLiteral("searchTip")); }
    bool tipShows(const QString& text) const {
        return tip() != nullptr && tip()->isVisible() && tip()->text() == text;
    }
    void tick() const {
        QMetaObject::invokeMethod(list.findChild<QTimer*>(QStringLiteral("searchTimer")),
                                  "timeout");
    }

    ManualCalendarClock clock{1000};
    CKeyDrivenListCtrl list;
};

TEST_F(CKeyDrivenListCtrlTest, TypingSelectsTheMatchingEntryAndShowsTheText) {
    list.selectEntry(2);
    QTest::keyClicks(&list, QStringLiteral("inv"));
    EXPECT_EQ(list.selectedEntry(), 0u) << "from Order the walk wraps to Inventory";
    EXPECT_EQ(list.currentRow(), 0) << "the chosen entry is also the current one";
    ASSERT_TRUE(tipShows(QStringLiteral("inv")));
    EXPECT_EQ(tip()->pos(), list.mapToGlobal(QPoint(0, list.height())))
        << "at the list's lower-left corner";

    QTest::keyClick(&list, Qt::Key_Backspace);
    EXPECT_TRUE(tipShows(QStringLiteral("in"))) << "the tip follows the search text";

    // A letter beyond ASCII, as the key event's text carries it (QTest has no key name for it).
    clock.advance(2);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                    QString::fromUtf8("\xC3\xBA"));
    QApplication::sendEvent(&list, &press);
    EXPECT_EQ(list.selectedEntry(), 3u);
    EXPECT_TRUE(tipShows(QString::fromUtf8("\xC3\xBA")));
    // Which entry a text matches (case, letters beyond ASCII, backspace): KeyDrivenSearchTest.
}

TEST_F(CKeyDrivenListCtrlTest, APauseArrowsFocusLossAndNewEntriesHideTheTip) {
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    const std::pair<const char*, std::function<void()>> hiders[] = {
        {"more than a second of the list's clock",
         [&] {
             clock.advance(1);
             tick();
             EXPECT_TRUE(tipShows(QStringLiteral("i"))) << "one second is not more than one";
             clock.advance(1);
             tick();
             EXPECT_FALSE(list.findChild<QTimer*>(QStringLiteral("searchTimer"))->isActive());
         }},
        {"an arrow",
         [&] {
             QTest::keyClick(&list, Qt::Key_Down);
             EXPECT_EQ(list.selectedEntry(), 1u) << "the arrow still moves";
         }},
        {"new entries", [&] { setEntries({"Inventory"}); }},
        {"focus loss", [&] { QApplication::sendEvent(&list, &focusOut); }},
        {"hiding", [&] { list.hide(); }},
    };
    for (const auto& [note, hide] : hiders) {
        list.selectEntry(0);
        QTest::keyClicks(&list, QStringLiteral("i"));
        ASSERT_TRUE(tipShows(QStringLiteral("i"))) << note;
        hide();
        EXPECT_FALSE(tip()->isVisible()) << note;
    }
}

TEST_F(CKeyDrivenListCtrlTest, AltWithADigitSearchesAltWithALetterIsAMnemonic) {
    // Which keys search with which modifiers: SearchKeysTest; here, that the list hands them on.
    setEntries({"1st copy", "2nd copy", "Alpha"});
    list.selectEntry(2);
    QTest::keyClick(&list, Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(list.selectedEntry(), 1u);
    clock.advance(5);
    QTest::keyClick(&list, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(list.selectedEntry(), 1u) << "left to the dialog";
}

class DocumentTypeSelectionDlg2Test : public ostrel::test::TypeSelectionTest {
protected:
    std::unique_ptr<DocumentTypeSelectionDlg2> dialog(const char* preselected = "",
                                                      bool allowChangeDomain = true) {
        return std::make_unique<DocumentTypeSelectionDlg2>(catalogue.types, &configuration,
                                                           preselected, allowChangeDomain, &parent);
    }
    static void showActive(DocumentTypeSelectionDlg2& shown) {
        shown.show();
        shown.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&shown));
    }
    static QString currentGroup(const QWidget& dialog) {
        const QTreeWidgetItem* node = child<QTreeWidget>(dialog, "documentTree")->currentItem();
        return node ? node->text(0) : QString();
    }

    QWidget parent;
};

TEST_F(DocumentTypeSelectionDlg2Test, DoubleClickConfirmsTheSelectedTypeIfAny) {
    storeText("lastSelectedDocument", "FIN.ORDER");
    auto shown = dialog();
    showActive(*shown);
    auto* list = child<CKeyDrivenListCtrl>(*shown, "documentList");
    const QRect invoice = list->visualItemRect(list->findItems("Invoice", Qt::MatchExactly)[0]);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, invoice.center());
    EXPECT_EQ(shown->result(), QDialog::Accepted);
    EXPECT_EQ(shown->getSelectedDocumentTemplate(), catalogue.templateOf("FIN.INVOICE"));

    // Projects lists nothing: OK (a double click beside the entries) confirms without a type.
    shown = dialog();
    showActive(*shown);
    auto* tree = child<QTreeWidget>(*shown, "documentTree");
    tree->setCurrentItem(tree->findItems("Projects", Qt::MatchExactly)[0]);
    list = child<CKeyDrivenListCtrl>(*shown, "documentList");
    ASSERT_EQ(list->count(), 0);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(shown->result(), QDialog::Accepted);
    EXPECT_EQ(shown->getSelectedDocumentTemplate(), nullptr);
}

TEST_F(DocumentTypeSelectionDlg2Test, ChangeDomainClosesWithCancelAndTheFlagSet) {
    auto shown = dialog("FIN.ORDER", true);
    showActive(*shown);
    QTest::keyClick(shown.get(), Qt::Key_D, Qt::AltModifier);
    // A mnemonic presses its button visibly before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown->isVisible(); }));
    EXPECT_EQ(shown->result(), QDialog::Rejected);
    EXPECT_TRUE(shown->getChangeDomain());
    EXPECT_EQ(storedText("lastSelectedDocument"), std::nullopt) << "nothing confirmed";

    shown = dialog("FIN.ORDER", false);
    shown->show();
    auto* button = child<QPushButton>(*shown, "changeDomainButton");
    EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(button->isEnabled());
}

TEST_F(DocumentTypeSelectionDlg2Test, GeometryIsRestoredAndStoredWhateverTheOutcome) {
    storeText("DocumentTypeSelectionDialogSize", "640;480;100;120;");
    auto shown = dialog();
    shown->show();
    EXPECT_EQ(shown->pos(), QPoint(100, 120));
    EXPECT_EQ(shown->size(), QSize(640, 480));
    shown->move(30, 40);
    shown->resize(700, 500);
    QTimer::singleShot(0, shown.get(), [&] { QTest::keyClick(shown.get(), Qt::Key_Escape); });
    EXPECT_EQ(shown->DoModal(), 2);
    EXPECT_EQ(storedText("DocumentTypeSelectionDialogSize"), "700;500;30;40;");

    // A stored size of 0 by 0 opens the dialog at its smallest size.
    storeText("DocumentTypeSelectionDialogSize", "0;0;10;10;");
    shown = dialog();
    QTimer::singleShot(0, shown.get(), [&] { shown->close(); });
    EXPECT_EQ(shown->DoModal(), 2) << "the window's close button cancels";
    EXPECT_EQ(storedText("DocumentTypeSelectionDialogSize"),
              std::to_string(shown->minimumWidth()) + ";" + std::to_string(shown->minimumHeight()) +
                  ";10;10;");
    EXPECT_GE(shown->minimumWidth(), 296) << "dialog units are wider than pixels";
}

TEST_F(DocumentTypeSelectionDlg2Test, KeyboardAloneReachesEveryControlAndConfirms) {
    // A fresh user, whose settings file does not exist yet: OK creates it with the chosen type.
    ostrel::test::TempDir home;
    ScopedDefault<Registry> fresh(
        std::make_unique<QSettingsRegistry>(home.file("config"), std::vector<std::string>{}));
    auto shown = dialog("FIN.ORDER");
    showActive(*shown);
    ASSERT_EQ(QApplication::focusWidget(), child<QWidget>(*shown, "documentList"));
    for (const char* name : {"descriptionEdit", "lastSelectedCombo", "changeDomainButton",
                             "okButton", "cancelButton", "documentTree"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(*shown, name)) << name;
    }
    // Down in the tree to Letters lists its types; Tab to the list, type, Enter.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(currentGroup(*shown), QStringLiteral("Letters"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("le"));
    EXPECT_EQ(child<QLineEdit>(*shown, "descriptionEdit")->text(),
              QStringLiteral("Outgoing letter"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(shown->result(), QDialog::Accepted);
    EXPECT_EQ(shown->getSelectedDocumentTemplate(), catalogue.templateOf("LET.LETTER"));
    const auto created = fresh.get().openKey(kUser, kKey, RegistryAccess::Read);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->queryValue("lastSelectedDocument"), RegistryValue::string("LET.LETTER"));

    // A recent type chosen in the drop-down opens its group and entry (which ones:
    // TypeSelectionModelTest); Enter there takes the type the list shows for it.
    shown = dialog("FIN.RECEIPT");
    shown->setLastSelected("LET.INVOICE");
    showActive(*shown);
    child<QComboBox>(*shown, "lastSelectedCombo")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(currentGroup(*shown), QStringLiteral("Letters"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(shown->result(), QDialog::Accepted);
    EXPECT_EQ(shown->getSelectedDocumentTemplate(), catalogue.templateOf("LET.INVOICE"));
}

TEST_F(DocumentTypeSelectionDlg2Test, EveryTextGoesThroughTheCatalogue) {
    // That every text has a translation: CatalogueTest; that the labels name their controls:
    // the desktop_screen_reader test. Here, that each control shows its own text.
    ASSERT_TRUE(
        store().setValue(kUser, "Software\\Zelvamont", "Language", RegistryValue::string("de")));
    auto german = ZMLanguageSettings::forModuleFile(OSTREL_LIBRARY_DIR "/libostrel.so");
    ASSERT_TRUE(german.initialize("ostrel"));
    auto shown = dialog();
    shown->show();
    const auto translated = [&](const char* id) {
        return QString::fromStdString(german.translate(id).str());
    };
    namespace text = ostrel::i18n::text;
    const std::pair<QString, const char*> rows[] = {
        {shown->windowTitle(), text::documentTypeSelection},
        {child<QLabel>(*shown, "documentGroupLabel")->text(), text::documentGroup},
        {child<QLabel>(*shown, "documentLabel")->text(), text::document},
        {child<QLabel>(*shown, "lastSelectedLabel")->text(), text::lastSelected},
        {child<QPushButton>(*shown, "changeDomainButton")->text(), text::changeDomain},
        {child<QPushButton>(*shown, "cancelButton")->text(), text::cancel},
    };
    for (const auto& [shownText, id] : rows) {
        EXPECT_EQ(shownText, translated(id)) << id;
    }
    // No English catalogue: the other tests see the message ids.
    EXPECT_TRUE(
        store().setValue(kUser, "Software\\Zelvamont", "Language", RegistryValue::string("en")));
    EXPECT_TRUE(
        ZMLanguageSettings::forModuleFile(OSTREL_LIBRARY_DIR "/libostrel.so").initialize("ostrel"));
    ::unsetenv("LANGUAGE");
}

} // namespace
