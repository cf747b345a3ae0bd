#include "identification/qt/DocumentIdentificationDlg2.h"

#include "host/common/OstrelDomainConfiguration.h"
#include "identification/IdentificationDocument.h"
#include "identification/qt/CSelectorEdit.h"
#include "identification/qt/DocumentIdentificationAttrButton.h"
#include "platform/MemoryRegistry.h"
#include "platform/MessageSink.h"
#include "platform/Monitors.h"
#include "platform/ScopedDefault.h"
#include "platform/qt/DialogSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

using namespace ostrel::platform;
using ostrel::test::kDialogKey;
using ostrel::test::makeDocument;

// A double click as the platform delivers it: a click, then a second press
// reported as a double click, then its release.
void doubleClick(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::mousePress(widget, Qt::LeftButton);
    QTest::mouseDClick(widget, Qt::LeftButton);
    QTest::mouseRelease(widget, Qt::LeftButton);
}

class DocumentIdentificationDlg2Test : public ::testing::Test {
protected:
    std::unique_ptr<DocumentIdentificationDlg2> open(CMEditableDocument& document) {
        return std::make_unique<DocumentIdentificationDlg2>(document, &configuration_);
    }

    template <class T> static T* child(QWidget& dialog, const QString& name) {
        T* found = dialog.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static QLineEdit* lineOf(QWidget& dialog, const char* field) {
        return qobject_cast<QLineEdit*>(child<CSelectorEdit>(dialog, field)->editor());
    }

    std::optional<RegistryValue> stored(const char* name) const {
        return store_.get<MemoryRegistry>().getValue(RegistryRoot::CurrentUser, kDialogKey, name);
    }
    const std::vector<RecordingMessageSink::Message>& shown() const {
        return messages_.get<RecordingMessageSink>().messages();
    }

    OstrelDomainConfiguration configuration_;
    ScopedDefault<Registry> store_{ostrel::test::storeWith("6:Number4:AB-11:06:Suffix2:xy1:1")};
    ScopedDefault<MessageSink> messages_{std::make_unique<RecordingMessageSink>()};
    ScopedDefault<Monitors> monitors_{std::make_unique<FixedMonitors>()};
};

TEST_F(DocumentIdentificationDlg2Test, RowsStandAtTheModelsPlacesWithTheButtonsBelow) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99", 20, false, "Invoice &number"},
                                  {"Batch", "7", "H"},
                                  {"Note", "", "N", "", 120, true}});
    auto dialog = open(*document);
    EXPECT_EQ(child<CSelectorEdit>(*dialog, "field130")->geometry(), QRect(125, 8, 190, 22));
    EXPECT_EQ(child<QLabel>(*dialog, "label130")->geometry(), QRect(10, 8, 76, 22));
    EXPECT_EQ(child<QWidget>(*dialog, "button200")->pos(), QPoint(100, 8));
    auto* note = child<CSelectorEdit>(*dialog, "field132");
    EXPECT_EQ(note->geometry(), QRect(125, 34, 190, 66)) << "120 / 50 + 1 lines";
    EXPECT_NE(qobject_cast<QPlainTextEdit*>(note->editor()), nullptr);
    EXPECT_EQ(dialog->findChild<QWidget*>("field131"), nullptr) << "hidden: no row";

    int tallest = 0;
    for (const char* name : {"okButton", "cancelButton", "rememberCursor"}) {
        auto* control = child<QWidget>(*dialog, name);
        EXPECT_EQ(control->y(), 34 + 70 + 16) << name;
        tallest = std::max(tallest, control->height());
    }
    EXPECT_EQ(dialog->height(), 120 + tallest + 16);
    EXPECT_EQ(dialog->width(), dialogUnitsToPixels(dialog->font(), 212, 164).width());
    EXPECT_EQ(dialog->pos(), QPoint(100, 100));

    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Document Identification"));
    EXPECT_EQ(child<QPushButton>(*dialog, "cancelButton")->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(child<QCheckBox>(*dialog, "rememberCursor")->text(),
              QStringLiteral("Remember cursor"));
    EXPECT_FALSE(dialog->windowIcon().isNull());

    // What a screen reader says, and where a mnemonic leads.
    auto* label = child<QLabel>(*dialog, "label130");
    EXPECT_EQ(label->buddy(), child<QWidget>(*dialog, "field130"));
    EXPECT_EQ(lineOf(*dialog, "field130")->accessibleName(), QStringLiteral("Invoice number"));
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    note->setFocus();
    QTest::keyClick(dialog.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), lineOf(*dialog, "field130")) << "the mnemonic";
    auto* button = child<DocumentIdentificationAttrButton>(*dialog, "button200");
    EXPECT_EQ(button->accessibleName(), QStringLiteral("Insert the last value of Invoice number"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("AB-1"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(child<QWidget>(*dialog, "button202")->isEnabled()) << "no last value";
}

TEST_F(DocumentIdentificationDlg2Test, TypingIntoAMaskedFieldCorrectsAtOnceWithTheCaretKept) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}});
    auto dialog = open(*document);
    QLineEdit* line = lineOf(*dialog, "field130");
    QTest::keyClicks(line, "ab1");
    EXPECT_EQ(line->text(), QStringLiteral("AB-1"));
    EXPECT_EQ(line->cursorPosition(), 3) << "where it was after the typed 1";
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClicks(line, "234");
    EXPECT_EQ(line->text(), QStringLiteral("AB-12")) << "cut at the end of the mask";
    EXPECT_EQ(line->cursorPosition(), 5) << "beyond the new end: at the end";
}

TEST_F(DocumentIdentificationDlg2Test, ClicksAndDoubleClicksInsertAndSwitch) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}, {"Suffix", "zz"}});
    auto dialog = open(*document);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    auto* number = child<DocumentIdentificationAttrButton>(*dialog, "button200");
    auto* suffix = child<DocumentIdentificationAttrButton>(*dialog, "button201");
    EXPECT_TRUE(suffix->isChecked()) << "automatic, but the document was not empty";
    EXPECT_EQ(lineOf(*dialog, "field131")->text(), QStringLiteral("zz"));

    QTest::mouseClick(number, Qt::LeftButton);
    QLineEdit* line = lineOf(*dialog, "field130");
    EXPECT_EQ(line->text(), QStringLiteral("AB-1"));
    EXPECT_EQ(QApplication::focusWidget(), line);
    EXPECT_EQ(line->cursorPosition(), 4);
    EXPECT_FALSE(number->isChecked()) << "a click never switches";

    line->setText(QString());
    doubleClick(number);
    EXPECT_TRUE(number->isChecked());
    EXPECT_EQ(line->text(), QStringLiteral("AB-1"));

    doubleClick(suffix);
    EXPECT_FALSE(suffix->isChecked());
    EXPECT_EQ(lineOf(*dialog, "field131")->text(), QStringLiteral("xy")) << "the first click";
}

TEST_F(DocumentIdentificationDlg2Test, MenuInsertsAndSwitchesAutomaticInsertion) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}});
    auto dialog = open(*document);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    auto* button = child<DocumentIdentificationAttrButton>(*dialog, "button200");
    QLineEdit* line = lineOf(*dialog, "field130");
    const auto openMenu = [&] {
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                  button->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(button, &request);
        QMenu* menu = button->openMenu();
        EXPECT_NE(menu, nullptr);
        return menu;
    };
    // Chooses an entry as a user would: the menu's mnemonic.
    const auto choose = [](QMenu* menu, char key) {
        QTest::keyClick(menu, key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };

    QMenu* menu = openMenu();
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("&Insert value"));
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("&Automaticaly insert value"));
    EXPECT_TRUE(actions[2]->isCheckable());
    EXPECT_FALSE(actions[2]->isChecked());
    choose(menu, 'i');
    EXPECT_EQ(line->text(), QStringLiteral("AB-1"));
    EXPECT_EQ(button->openMenu(), nullptr);

    line->setText(QString());
    choose(openMenu(), 'a');
    EXPECT_TRUE(button->isChecked());
    EXPECT_EQ(line->text(), QStringLiteral("AB-1")) << "switching on inserts";

    line->setText(QString());
    menu = openMenu();
    EXPECT_TRUE(menu->actions()[2]->isChecked());
    choose(menu, 'a');
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(line->text(), QString()) << "switching off inserts nothing";
}

TEST_F(DocumentIdentificationDlg2Test, OkWithAnInvalidValueShowsWhyAndStaysOpen) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}, {"Year"}});
    auto dialog = open(*document);
    dialog->show();
    lineOf(*dialog, "field130")->setText("ab");
    QTest::mouseClick(child<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown().back().owner, dialog.get());
    EXPECT_EQ(shown().back().caption, "Error");
    EXPECT_EQ(shown().back().text, "Number: expected 2 letters, '-', 2 digits");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(stored("LastUsedIdents"), RegistryValue::string("6:Number4:AB-11:06:Suffix2:xy1:1"));

    lineOf(*dialog, "field130")->setText("ab12");
    QTest::keyClick(lineOf(*dialog, "field131"), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document->getValues(values);
    EXPECT_EQ(values["Number"].str(), "AB-12");
    EXPECT_EQ(stored("LastUsedIdents"), RegistryValue::string("6:Number5:AB-121:06:Suffix2:xy1:1"));
}

TEST_F(DocumentIdentificationDlg2Test, RunsModallyAndCancelStoresNothing) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}, {"Suffix"}});
    for (const auto& [button, result] : {std::pair{"cancelButton", 2}, {"okButton", 1}}) {
        SCOPED_TRACE(button);
        auto dialog = open(*document);
        QTimer::singleShot(0, dialog.get(), [&dialog, name = button] {
            child<QCheckBox>(*dialog, "rememberCursor")->click();
            lineOf(*dialog, "field130")->setText("cd34");
            child<QPushButton>(*dialog, name)->click();
        });
        EXPECT_EQ(dialog->DoModal(), result);
        std::map<Ostrel::u8string, Ostrel::u8string> values;
        document->getValues(values);
        if (result == 2) {
            EXPECT_EQ(values["Number"].str(), "");
            EXPECT_EQ(stored("AllowStickyCursor"), std::nullopt);
            EXPECT_EQ(stored("LastUsedIdents"),
                      RegistryValue::string("6:Number4:AB-11:06:Suffix2:xy1:1"));
        } else {
            EXPECT_EQ(values["Number"].str(), "CD-34");
            EXPECT_EQ(stored("AllowStickyCursor"), RegistryValue::number(1));
            EXPECT_EQ(stored("StickyCursorPosition"), RegistryValue::number(1))
                << "the empty document got its automatic value in row 1 first";
        }
    }
}

TEST_F(DocumentIdentificationDlg2Test, FocusFollowsTheRuleAndMayStayWithNoControl) {
    store_.get<MemoryRegistry>().setValue(RegistryRoot::CurrentUser, kDialogKey,
                                          "AllowStickyCursor", RegistryValue::number(1));
    store_.get<MemoryRegistry>().setValue(RegistryRoot::CurrentUser, kDialogKey,
                                          "StickyCursorPosition", RegistryValue::number(1));
    auto remembered = makeDocument({{"A"}, {"B"}});
    auto dialog = open(*remembered);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_EQ(QApplication::focusWidget(), lineOf(*dialog, "field131"));
    EXPECT_TRUE(child<QCheckBox>(*dialog, "rememberCursor")->isChecked());

    // The remembered row 1 is field 131, whose attribute is hidden.
    auto hidden = makeDocument({{"A"}, {"B", "", "H"}, {"C"}});
    dialog = open(*hidden);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_EQ(QApplication::focusWidget(), dialog.get()) << "no control has the focus";
}

TEST_F(DocumentIdentificationDlg2Test, AKeyboardUserInsertsAndConfirms) {
    auto document = makeDocument({{"Number", "", "N", ">AA-99"}, {"Suffix"}});
    auto dialog = open(*document);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    ASSERT_EQ(QApplication::focusWidget(), lineOf(*dialog, "field130"));
    QTest::keyClicks(QApplication::focusWidget(), "ef-56");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), child<QWidget>(*dialog, "button201"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(QApplication::focusWidget(), lineOf(*dialog, "field131"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document->getValues(values);
    EXPECT_EQ(values["Number"].str(), "EF-56");
    EXPECT_EQ(values["Suffix"].str(), "xy");
}

} // namespace
