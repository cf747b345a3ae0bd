#include "identification/qt/CSelectorEdit.h"

#include "host/common/OstrelDocAttribute.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "identification/IdentificationModel.h"
#include "identification/qt/DocumentIdentificationDlg2.h"
#include "support/Documents.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <list>

namespace {

using ostrel::identification::TextSelection;

TEST(CSelectorEditTest, MultiLineFieldTakesEnterAndKeepsItsTextFitted) {
    auto document = ostrel::test::makeDocument({{"Note", "", "N", "", 60, true}});
    OstrelDomainConfiguration configuration;
    DocumentIdentificationDlg2 dialog(*document, &configuration);
    dialog.show();
    auto* field = dialog.findChild<CSelectorEdit*>("field130");
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
    auto document = ostrel::test::makeDocument({{"Note"}});
    std::list<OstrelDocAttribute*> attributes;
    document->getProperties(attributes);
    CSelectorEdit field(nullptr, attributes.front());
    QSignalSpy changes(&field, &CSelectorEdit::changed);
    QTest::keyClicks(field.editor(), "ab");
    field.setText(QStringLiteral("c"));
    EXPECT_EQ(changes.count(), 3);
}

TEST(CSelectorEditTest, TypingGoesOnBehindTheLiteralsTheMaskInserts) {
    const struct {
        const char* keys; // "\b" is Backspace
        const char* text;
        int caret;
    } cases[] = {
        {"01032024", "01.03.2024", 10},
        {"01.03.2024", "01.03.2024", 10},
        {"010\b\b", "01", 2},
        {"0103\b\b5", "01.5", 4},
    };
    for (const auto& c : cases) {
        auto document = ostrel::test::makeDocument({{"Date", "", "N", "99.99.9999"}});
        OstrelDomainConfiguration configuration;
        DocumentIdentificationDlg2 dialog(*document, &configuration);
        dialog.show();
        auto* field = dialog.findChild<CSelectorEdit*>("field130");
        for (const char* key = c.keys; *key != '\0'; ++key) {
            if (*key == '\b') {
                QTest::keyClick(field->editor(), Qt::Key_Backspace);
            } else {
                QTest::keyClicks(field->editor(), QString(QLatin1Char(*key)));
            }
        }
        EXPECT_EQ(field->text().toStdString(), c.text) << c.keys;
        EXPECT_EQ(field->selection(), (TextSelection{c.caret, c.caret})) << c.keys;
    }
}

} // namespace
