#include "typeselection/qt/DocumentTypeSelectionDlg2.h"

#include "typeselection/SampleCatalogue.h"

#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"
#include "typeselection/qt/CKeyDrivenListCtrl.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace {

using namespace ostrel::platform;

class DocumentTypeSelectionDlg2Test : public ostrel::test::TypeSelectionTest {
protected:
    std::unique_ptr<DocumentTypeSelectionDlg2> dialog(const char* preselected = "",
                                                      bool allowChangeDomain = true) {
        return std::make_unique<DocumentTypeSelectionDlg2>(catalogue.types, &configuration,
                                                           preselected, allowChangeDomain, &parent);
    }
    // Shows the dialog and waits until it has the keyboard.
    static void showActive(DocumentTypeSelectionDlg2& shown) {
        shown.show();
        shown.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&shown));
    }
    template <class Widget> static Widget* child(const QWidget& dialog, const char* name) {
        auto* found = dialog.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString selectedName(const QWidget& dialog) {
        const auto* list = child<CKeyDrivenListCtrl>(dialog, "documentList");
        const auto entry = list->selectedEntry();
        return entry ? list->item(static_cast<int>(*entry))->text() : QString();
    }
    static QString currentGroup(const QWidget& dialog) {
        const QTreeWidgetItem* node = child<QTreeWidget>(dialog, "documentTree")->currentItem();
        return node ? node->text(0) : QString();
    }
    static QString description(const QWidget& dialog) {
        return child<QLineEdit>(dialog, "descriptionEdit")->text();
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
    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(shown->getSelectedDocumentTemplate(), catalogue.templateOf("FIN.INVOICE"));
    EXPECT_EQ(storedText("lastSelectedDocument"), "FIN.INVOICE|FIN.ORDER");

    // Projects lists nothing: a double click confirms without a type.
    storeText("lastSelectedDocument", "PRJ.LEASE");
    shown = dialog();
    showActive(*shown);
    auto* tree = child<QTreeWidget>(*shown, "documentTree");
    tree->setCurrentItem(tree->findItems("Projects", Qt::MatchExactly)[0]);
    list = child<CKeyDrivenListCtrl>(*shown, "documentList");
    ASSERT_EQ(list->count(), 0);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(shown->result(), QDialog::Accepted);
    EXPECT_EQ(shown->getSelectedDocumentTemplate(), nullptr);
    EXPECT_EQ(storedText("lastSelectedDocument"), "PRJ.LEASE") << "nothing stored";
}

TEST_F(DocumentTypeSelectionDlg2Test, ChangeDomainClosesWithCancelAndTheFlagSet) {
    configuration.setValue("Connection.Name", "Archive");
    auto shown = dialog("FIN.ORDER", true);
    showActive(*shown);
    EXPECT_EQ(shown->windowTitle(), QStringLiteral("Document Type Selection [Archive]"));
    QTest::keyClick(shown.get(), Qt::Key_D, Qt::AltModifier);
    // A mnemonic presses its button visibly before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown->isVisible(); }));
    EXPECT_EQ(shown->result(), QDialog::Rejected);
    EXPECT_TRUE(shown->getChangeDomain());
    EXPECT_EQ(shown->getSelectedDocumentTemplate(), nullptr);
    EXPECT_NE(storedText("DocumentTypeSelectionDialogSize"), std::nullopt);
    EXPECT_EQ(storedText("lastSelectedDocument"), std::nullopt);

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
    EXPECT_EQ(description(*shown), QStringLiteral("Outgoing letter"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(shown->result(), QDialog::Accepted);
    EXPECT_EQ(shown->getSelectedDocumentTemplate(), catalogue.templateOf("LET.LETTER"));

    // A recent type chosen in the drop-down opens its group and entry (which ones:
    // TypeSelectionModelTest); Enter there takes the type the list shows for it.
    shown = dialog("FIN.RECEIPT");
    shown->setLastSelected("LET.INVOICE");
    showActive(*shown);
    EXPECT_EQ(selectedName(*shown), QStringLiteral("receipt")) << "the first recent type";
    EXPECT_EQ(description(*shown), QStringLiteral("Cash receipt"));
    child<QComboBox>(*shown, "lastSelectedCombo")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(currentGroup(*shown), QStringLiteral("Letters"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(shown->result(), QDialog::Accepted);
    EXPECT_EQ(shown->getSelectedDocumentTemplate(), catalogue.templateOf("LET.INVOICE"));
}

TEST_F(DocumentTypeSelectionDlg2Test, EveryTextGoesThroughTheCatalogue) {
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
        EXPECT_NE(shownText, QString::fromLatin1(id)) << id;
    }
    EXPECT_EQ(child<QWidget>(*shown, "documentTree")->accessibleName() + ":",
              translated(text::documentGroup))
        << "the label names its control";
    // No English catalogue: the other tests see the message ids.
    EXPECT_TRUE(
        store().setValue(kUser, "Software\\Zelvamont", "Language", RegistryValue::string("en")));
    EXPECT_TRUE(
        ZMLanguageSettings::forModuleFile(OSTREL_LIBRARY_DIR "/libostrel.so").initialize("ostrel"));
    ::unsetenv("LANGUAGE");
}

} // namespace
