#include "identification/qt/CSelectorEdit.h"

#include "host/common/OstrelDomainConfiguration.h"
#include "identification/IdentificationDocument.h"
#include "identification/IdentificationModel.h"
#include "identification/qt/DocumentIdentificationDlg2.h"
#include "platform/Registry.h"
#include "platform/ScopedDefault.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using ostrel::identification::TextSelection;
using ostrel::test::makeDocument;

class CSelectorEditTest : public ::testing::Test {
protected:
    CSelectorEdit* fieldOf(CMEditableDocument& document, const char* name) {
        dialog_ = std::make_unique<DocumentIdentificationDlg2>(document, &configuration_);
        return dialog_->findChild<CSelectorEdit*>(name);
    }

    ostrel::platform::ScopedDefault<ostrel::platform::Registry> store_{ostrel::test::storeWith()};
    OstrelDomainConfiguration configuration_;
    std::unique_ptr<DocumentIdentificationDlg2> dialog_;
};

TEST_F(CSelectorEditTest, MultiLineFieldTakesEnterAndKeepsTheMaskOnPaste) {
    auto document = makeDocument({{"Note", "", "N", "", 60, true}});
    CSelectorEdit* field = fieldOf(*document, "field130");
    ASSERT_NE(field, nullptr);
    ASSERT_TRUE(field->isMultiLine());
    auto* editor = qobject_cast<QPlainTextEdit*>(field->editor());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->tabChangesFocus()) << "Tab still moves to the next control";
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

TEST_F(CSelectorEditTest, SetTextIsFittedAndSelectionsCountCharacters) {
    auto document = makeDocument({{"Name", "", "N", ">AAAA"}});
    CSelectorEdit* field = fieldOf(*document, "field130");
    ASSERT_NE(field, nullptr);
    ASSERT_FALSE(field->isMultiLine());
    field->setText(QStringLiteral("abcdef"));
    EXPECT_EQ(field->text(), QStringLiteral("ABCD")) << "set text is fitted too";

    // A character beyond the Basic Multilingual Plane is one character, two UTF-16 units.
    auto plain = makeDocument({{"Plain"}});
    field = fieldOf(*plain, "field130");
    field->setText(QString::fromUtf8("a\xF0\x9F\x98\x80"
                                     "bc"));
    field->setSelection({1, 3});
    auto* line = qobject_cast<QLineEdit*>(field->editor());
    EXPECT_EQ(line->selectedText(), QString::fromUtf8("\xF0\x9F\x98\x80"
                                                      "b"));
    EXPECT_EQ(field->selection(), (TextSelection{1, 3}));
    EXPECT_EQ(line->cursorPosition(), 4) << "the caret at the selection's end";
}

} // namespace
