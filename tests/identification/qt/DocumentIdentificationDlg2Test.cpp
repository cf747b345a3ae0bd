#include "identification/qt/DocumentIdentificationDlg2.h"

#include "host/common/OstrelDomainConfiguration.h"
#include "identification/qt/CSelectorEdit.h"
#include "identification/qt/DocumentIdentificationAttrButton.h"
#include "support/DialogFixture.h"
#include "support/Documents.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace ostrel::platform;
using ostrel::test::makeDocument;
using ostrel::test::valueOf;

const char* const kStored = "6:Number4:AB-11:06:Suffix2:xy1:1";

class DocumentIdentificationDlg2Test : public ostrel::test::DialogTest {
protected:
    DocumentIdentificationDlg2Test() { storeText("LastUsedIdents", kStored); }

    /// The dialog on `document`, shown and active when `show`.
    std::unique_ptr<DocumentIdentificationDlg2> open(CMEditableDocument& document, bool show) {
        auto dialog = std::make_unique<DocumentIdentificationDlg2>(document, &configuration_);
        if (show) {
            dialog->show();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        }
        return dialog;
    }
    /// A labelled masked field, a hidden attribute and a three-line field.
    static std::unique_ptr<CMEditableDocument> numberBatchAndNote() {
        return makeDocument({{"Number", "", "N", ">AA-99", 20, false, "Invoice &number"},
                             {"Batch", "7", "H"},
                             {"Note", "", "N", "", 120, true}});
    }
    template <class T = QWidget> static T* child(QWidget& dialog, const char* name) {
        T* found = dialog.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QLineEdit* lineOf(QWidget& dialog, const char* field) {
        return qobject_cast<QLineEdit*>(child<CSelectorEdit>(dialog, field)->editor());
    }

    OstrelDomainConfiguration configuration_;
};

TEST_F(DocumentIdentificationDlg2Test, RowsStandAtTheModelsPlacesAndNameTheirFields) {
    auto document = numberBatchAndNote();
    auto dialog = open(*document, true);
    // The places themselves: IdentificationModelTest.
    EXPECT_EQ(child(*dialog, "field132")->geometry(), QRect(125, 34, 190, 66));
    EXPECT_EQ(child(*dialog, "okButton")->y(), 34 + 70 + 16);
    EXPECT_EQ(dialog->height(), 120 + child(*dialog, "okButton")->height() + 16);
    EXPECT_EQ(child<QLabel>(*dialog, "label130")->buddy(), child(*dialog, "field130"));
    EXPECT_EQ(lineOf(*dialog, "field130")->accessibleName(), QStringLiteral("Invoice number"));
    auto* button = child(*dialog, "button200");
    EXPECT_EQ(button->accessibleName(), QStringLiteral("Insert the last value of Invoice number"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("AB-1"));
    EXPECT_FALSE(child(*dialog, "button202")->isEnabled()) << "no last value";
    // Space inserts: a push button, whose description follows the switch.
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(button);
    EXPECT_EQ(reader->role(), QAccessible::Button);
    EXPECT_EQ(reader->text(QAccessible::Description),
              QStringLiteral("Last value AB-1, automatic insertion off"));
    static_cast<DocumentIdentificationAttrButton*>(button)->toggleAutoInsert();
    EXPECT_EQ(reader->text(QAccessible::Description),
              QStringLiteral("Last value AB-1, automatic insertion on"));
    EXPECT_EQ(child(*dialog, "button202")->accessibleDescription(),
              QStringLiteral("No last value"));
    child(*dialog, "field132")->setFocus();
    QTest::keyClick(dialog.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), lineOf(*dialog, "field130")) << "the mnemonic";
}

TEST_F(DocumentIdentificationDlg2Test, ALargerFontWidensTheBottomRowInsteadOfCuttingIt) {
    // As a longer translation does; the window grows with the controls.
    configuration_.getSharedConfiguration()->setCustomFont("DejaVu Sans", 0, -24);
    auto document = numberBatchAndNote();
    auto dialog = open(*document, true);
    QWidget* remember = child(*dialog, "rememberCursor");
    QWidget* cancel = child(*dialog, "cancelButton");
    EXPECT_GE(remember->width(), remember->sizeHint().width());
    EXPECT_LT(remember->geometry().right(), child(*dialog, "okButton")->x());
    EXPECT_GE(cancel->width(), cancel->sizeHint().width());
    EXPECT_LT(cancel->geometry().right(), dialog->width());
}

TEST_F(DocumentIdentificationDlg2Test, ClicksDoubleClicksAndTheMenuInsertAndSwitch) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}, {"Suffix", "zz"}});
    auto dialog = open(*document, true);
    auto* number = child<DocumentIdentificationAttrButton>(*dialog, "button200");
    auto* suffix = child<DocumentIdentificationAttrButton>(*dialog, "button201");
    QLineEdit* line = lineOf(*dialog, "field130");
    EXPECT_TRUE(suffix->isChecked()) << "automatic, but the document was not empty";
    EXPECT_EQ(lineOf(*dialog, "field131")->text(), QStringLiteral("zz"));

    QTest::mouseClick(number, Qt::LeftButton);
    EXPECT_EQ(line->text(), QStringLiteral("AB-1"));
    EXPECT_EQ(QApplication::focusWidget(), line);
    EXPECT_EQ(line->cursorPosition(), 4);
    EXPECT_FALSE(number->isChecked()) << "a click never switches";

    // The menu's commands, chosen by their mnemonics. A double click asks for the same switch:
    // DocumentIdentificationAttrButtonTest.
    const auto choose = [number](char key, bool checkedBefore) {
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                  number->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(number, &request);
        QMenu* menu = number->openMenu();
        ASSERT_NE(menu, nullptr);
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), 3);
        EXPECT_EQ(actions[0]->text(), QStringLiteral("&Insert value"));
        EXPECT_TRUE(actions[1]->isSeparator());
        EXPECT_EQ(actions[2]->text(), QStringLiteral("&Automaticaly insert value"));
        EXPECT_EQ(actions[2]->isChecked(), checkedBefore);
        QTest::keyClick(menu, key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(number->openMenu(), nullptr);
    };
    line->clear();
    choose('i', false);
    EXPECT_EQ(line->text(), QStringLiteral("AB-1"));
    line->clear();
    choose('a', false);
    EXPECT_TRUE(number->isChecked());
    EXPECT_EQ(line->text(), QStringLiteral("AB-1")) << "switching on inserts";
    line->clear();
    choose('a', true);
    EXPECT_FALSE(number->isChecked());
    EXPECT_EQ(line->text(), QString()) << "switching off inserts nothing";
}

TEST_F(DocumentIdentificationDlg2Test, OkWithAnInvalidValueShowsWhyAndStaysOpen) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}, {"Year"}});
    auto dialog = open(*document, true);
    lineOf(*dialog, "field130")->setText("ab");
    QTest::mouseClick(child<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown().back(),
              (RecordingMessageSink::Message{dialog.get(), "Error",
                                             "Number: expected 2 letters, '-', 2 digits"}));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(stored("LastUsedIdents"), RegistryValue::string(kStored));
}

TEST_F(DocumentIdentificationDlg2Test, RunsModallyAndCancelStoresNothing) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}, {"Suffix"}});
    for (const auto& [button, result] : {std::pair{"cancelButton", 2}, {"okButton", 1}}) {
        auto dialog = open(*document, false);
        QTimer::singleShot(0, dialog.get(), [&dialog, name = button] {
            child<QCheckBox>(*dialog, "rememberCursor")->click();
            lineOf(*dialog, "field130")->setText("cd34");
            child<QPushButton>(*dialog, name)->click();
        });
        EXPECT_EQ(dialog->DoModal(), result);
        if (result == 2) {
            EXPECT_EQ(valueOf(*document, "Number"), "");
            EXPECT_EQ(stored("AllowStickyCursor"), std::nullopt);
            EXPECT_EQ(stored("LastUsedIdents"), RegistryValue::string(kStored));
        } else {
            EXPECT_EQ(valueOf(*document, "Number"), "CD-34");
            EXPECT_EQ(stored("AllowStickyCursor"), RegistryValue::number(1));
            EXPECT_EQ(stored("LastUsedIdents"),
                      RegistryValue::string("6:Number5:CD-341:06:Suffix2:xy1:1"));
        }
    }
}

TEST_F(DocumentIdentificationDlg2Test, FocusGoesToTheModelsFieldOrToNoControl) {
    // Which field: IdentificationModelTest. Remembered row 1 is field 131 (hidden), row 2 is 132.
    set("AllowStickyCursor", RegistryValue::number(1));
    auto document = makeDocument({{"A"}, {"B", "", "H"}, {"C"}});
    for (const auto& [row, focused] : {std::pair{2u, "field132"}, {1u, ""}}) {
        set("StickyCursorPosition", RegistryValue::number(row));
        auto dialog = open(*document, true);
        QWidget* expected = dialog.get();
        if (*focused != '\0') {
            expected = lineOf(*dialog, focused);
        }
        EXPECT_EQ(QApplication::focusWidget(), expected) << row;
    }
}

TEST_F(DocumentIdentificationDlg2Test, AKeyboardUserInsertsAndConfirms) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}, {"Suffix"}});
    auto dialog = open(*document, true);
    ASSERT_EQ(QApplication::focusWidget(), lineOf(*dialog, "field130"));
    QTest::keyClicks(QApplication::focusWidget(), "ef-56");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), child(*dialog, "button201"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(QApplication::focusWidget(), lineOf(*dialog, "field131"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(valueOf(*document, "Number"), "EF-56");
    EXPECT_EQ(valueOf(*document, "Suffix"), "xy");
}

} // namespace
