#include "identification/qt/DocumentIdentificationDlg2.h"

#include "host/common/OstrelDocAttribute.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "identification/IdentificationModel.h"
#include "identification/qt/CSelectorEdit.h"
#include "identification/qt/DocumentIdentificationAttrButton.h"
#include "support/DialogFixture.h"
#include "support/Documents.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <list>
#include <memory>

namespace {

using namespace ostrel::platform;
using ostrel::identification::TextSelection;
using ostrel::test::makeDocument;
using ostrel::test::valueOf;

const char* const kStored = "6:Number4:AB-11:06:Suffix2:xy1:1";

class DocumentIdentificationDlg2Test : public ostrel::test::DialogTest {
protected:
    DocumentIdentificationDlg2Test() { storeText("LastUsedIdents", kStored); }

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
    /// The tooltip shown when the mouse rests on `widget`, or empty.
    static QString tipOf(QWidget* widget) {
        QHelpEvent rest(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &rest);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    static QLineEdit* lineOf(QWidget& dialog, const char* field) {
        return qobject_cast<QLineEdit*>(child<CSelectorEdit>(dialog, field)->editor());
    }

    OstrelDomainConfiguration configuration_;
};

TEST_F(DocumentIdentificationDlg2Test, RowsStandAtTheModelsPlacesAndNameTheirFields) {
    // Which field has the focus: IdentificationModelTest. Remembered row 2 is field 132.
    set("AllowStickyCursor", RegistryValue::number(1));
    set("StickyCursorPosition", RegistryValue::number(2));
    auto document = numberBatchAndNote();
    auto dialog = open(*document, true);
    EXPECT_EQ(QApplication::focusWidget(), child<CSelectorEdit>(*dialog, "field132")->editor());
    // The places themselves: IdentificationModelTest; that a field takes its own:
    // MultiLineFieldTakesEnterAndKeepsItsTextFitted.
    EXPECT_EQ(child(*dialog, "okButton")->y(), 34 + 70 + 16);
    EXPECT_EQ(dialog->height(), 120 + child(*dialog, "okButton")->height() + 16);
    // What a screen reader finds at start-up: the desktop_screen_reader test. The names leave
    // out the mnemonic, and a button's description follows its switch.
    EXPECT_EQ(lineOf(*dialog, "field130")->accessibleName(), QStringLiteral("Invoice number"));
    QWidget* note = child(*dialog, "label132");
    EXPECT_EQ(tipOf(note), QString()) << "a whole name has no tooltip, nor a description";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(note)->text(QAccessible::Description), "");
    EXPECT_EQ(tipOf(child(*dialog, "label130")), QStringLiteral("Invoice number"))
        << "a shortened name shows whole in a tooltip";
    auto* button = child<DocumentIdentificationAttrButton>(*dialog, "button200");
    EXPECT_EQ(button->accessibleName(), QStringLiteral("Insert the last value of Invoice number"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("AB-1"));
    EXPECT_FALSE(child(*dialog, "button202")->isEnabled()) << "no last value";
    button->toggleAutoInsert();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Description),
              QStringLiteral("Last value AB-1, automatic insertion on"));
    QTest::keyClick(dialog.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), lineOf(*dialog, "field130")) << "the mnemonic";
}

TEST_F(DocumentIdentificationDlg2Test, ALargerFontWidensTheBottomRowInsteadOfCuttingIt) {
    // As a longer translation does; the window grows with the controls.
    configuration_.getSharedConfiguration()->setCustomFont("DejaVu Sans", 0, -24);
    // The remembered row 1 is field 131, hidden: no control takes the focus, not even the first.
    set("AllowStickyCursor", RegistryValue::number(1));
    set("StickyCursorPosition", RegistryValue::number(1));
    auto document = numberBatchAndNote();
    auto dialog = open(*document, true);
    EXPECT_EQ(QApplication::focusWidget(), dialog.get());
    QWidget* remember = child(*dialog, "rememberCursor");
    QWidget* cancel = child(*dialog, "cancelButton");
    EXPECT_GE(remember->width(), remember->sizeHint().width());
    EXPECT_LT(remember->geometry().right(), child(*dialog, "okButton")->x());
    EXPECT_GE(cancel->width(), cancel->sizeHint().width());
    EXPECT_LT(cancel->geometry().right(), dialog->width());
}

TEST_F(DocumentIdentificationDlg2Test, ClicksAndTheMenuInsertAndSwitch) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}, {"Suffix", "zz"}});
    auto dialog = open(*document, true);
    auto* number = child<DocumentIdentificationAttrButton>(*dialog, "button200");
    auto* suffix = child<DocumentIdentificationAttrButton>(*dialog, "button201");
    QLineEdit* line = lineOf(*dialog, "field130");
    EXPECT_TRUE(suffix->isChecked()) << "automatic, but the document was not empty";
    EXPECT_EQ(lineOf(*dialog, "field131")->text(), QStringLiteral("zz"));

    QTest::mouseClick(number, Qt::LeftButton);
    EXPECT_EQ(line->text(), QStringLiteral("AB-1"));
    EXPECT_FALSE(number->isChecked()) << "a click never switches";

    // The menu's commands, chosen by their mnemonics. A double click asks for the same switch:
    // ADoubleClickIsOneClickAndOneSwitch.
    const auto choose = [number](char key) {
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
        QTest::keyClick(menu, key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(number->openMenu(), nullptr);
    };
    line->clear();
    choose('i');
    EXPECT_EQ(line->text(), QStringLiteral("AB-1"));
    line->clear();
    choose('a');
    EXPECT_TRUE(number->isChecked());
    EXPECT_EQ(line->text(), QStringLiteral("AB-1")) << "switching on inserts";
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
            EXPECT_EQ(stored("AllowStickyCursor"), RegistryValue::number(1));
        }
    }
}

TEST_F(DocumentIdentificationDlg2Test, AKeyboardUserIsToldWhatIsWrongThenInsertsAndConfirms) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}, {"Suffix"}});
    auto dialog = open(*document, true);
    ASSERT_EQ(QApplication::focusWidget(), lineOf(*dialog, "field130"));
    QTest::keyClicks(QApplication::focusWidget(), "ef");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(shown().size(), 1u) << "the message box, in front of the dialog, which stays";
    EXPECT_EQ(shown().back(),
              (RecordingMessageSink::Message{dialog.get(), "Error",
                                             "Number: expected 2 letters, '-', 2 digits"}));
    ASSERT_TRUE(dialog->isVisible());
    QTest::keyClicks(QApplication::focusWidget(), "-56");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), child(*dialog, "button201"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(QApplication::focusWidget(), lineOf(*dialog, "field131"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(valueOf(*document, "Number"), "EF-56");
    EXPECT_EQ(valueOf(*document, "Suffix"), "xy");
}

TEST_F(DocumentIdentificationDlg2Test, MultiLineFieldTakesEnterAndKeepsItsTextFitted) {
    auto document = makeDocument({{"Note", "", "N", "", 60, true}});
    auto dialog = open(*document, true);
    auto* field = child<CSelectorEdit>(*dialog, "field130");
    auto* editor = qobject_cast<QPlainTextEdit*>(field->editor());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->tabChangesFocus());
    EXPECT_EQ(field->height(), 44) << "60 / 50 + 1 lines";
    QTest::keyClicks(editor, "first");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "second");
    EXPECT_EQ(field->text(), QStringLiteral("first\nsecond"));
    // Pasted text beyond the attribute's 60 characters is cut at once, the caret at the end.
    QApplication::clipboard()->setText(QString(70, QLatin1Char('x')));
    editor->paste();
    EXPECT_EQ(field->text().size(), 60);
    EXPECT_EQ(field->selection(), (TextSelection{60, 60}));
}

TEST(CSelectorEditTest, EveryChangeOfTheTextIsReportedWithoutADialog) {
    auto document = makeDocument({{"Note"}});
    std::list<OstrelDocAttribute*> attributes;
    document->getProperties(attributes);
    CSelectorEdit field(nullptr, attributes.front());
    QSignalSpy changes(&field, &CSelectorEdit::changed);
    QTest::keyClicks(field.editor(), "ab");
    field.setText(QStringLiteral("c"));
    EXPECT_EQ(changes.count(), 3);
}

TEST(DocumentIdentificationAttrButtonTest, ADoubleClickIsOneClickAndOneSwitch) {
    DocumentIdentificationAttrButton button(false);
    button.show();
    QSignalSpy clicks(&button, &DocumentIdentificationAttrButton::clicked);
    QSignalSpy toggles(&button, &DocumentIdentificationAttrButton::autoInsertToggleRequested);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mousePress(&button, Qt::LeftButton); // the second press, reported as a double click
    QTest::mouseDClick(&button, Qt::LeftButton);
    QTest::mouseMove(&button, QPoint(3, 3)); // the hand moves a little before letting go
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1) << "the second press clicks nothing";
    EXPECT_EQ(toggles.count(), 1);
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2) << "the next click counts again";
    EXPECT_FALSE(button.isChecked()) << "only the dialog switches the look";
}

TEST(DocumentIdentificationAttrButtonTest, ASecondMenuRequestOnlyClosesTheOpenMenu) {
    DocumentIdentificationAttrButton button(true);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    button.showMenu(button.mapToGlobal(QPoint(2, 2)));
    QMenu* menu = button.openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions()[2]->isChecked()) << "checked like the button";
    button.showMenu(button.mapToGlobal(QPoint(2, 2)));
    EXPECT_EQ(button.openMenu(), menu);
    EXPECT_FALSE(menu->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(button.openMenu(), nullptr);
}

} // namespace
