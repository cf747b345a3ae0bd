#include "typeselection/qt/CKeyDrivenListCtrl.h"

#include "support/DialogFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace ostrel::platform;

class CKeyDrivenListCtrlTest : public ostrel::test::DialogTest {
protected:
    CKeyDrivenListCtrlTest() {
        clock().set(1000);
        list = std::make_unique<CKeyDrivenListCtrl>();
        setEntries({"Inventory", "Invoice", "Order", "\xC3\x9A\xC4\x8Dtenka"});
        list->resize(200, 150);
        list->show();
        list->activateWindow();
        list->setFocus();
    }

    void setEntries(const std::vector<std::string>& names) {
        std::vector<Ostrel::u8string> texts;
        std::vector<std::u32string> keys;
        for (const std::string& name : names) {
            texts.emplace_back(name);
            keys.push_back(ostrel::foldCase(name));
        }
        list->setEntries(texts, keys, QIcon());
    }
    QLabel* tip() const { return list->findChild<QLabel*>(QStringLiteral("searchTip")); }
    bool tipShows(const QString& text) const {
        return tip() != nullptr && tip()->isVisible() && tip()->text() == text;
    }
    void tick() const {
        QMetaObject::invokeMethod(list->findChild<QTimer*>(QStringLiteral("searchTimer")),
                                  "timeout");
    }

    std::unique_ptr<CKeyDrivenListCtrl> list;
};

TEST_F(CKeyDrivenListCtrlTest, TypingSelectsTheMatchingEntryAndShowsTheText) {
    list->selectEntry(2);
    QTest::keyClicks(list.get(), QStringLiteral("inv"));
    EXPECT_EQ(list->selectedEntry(), 0u) << "from Order the walk wraps to Inventory";
    EXPECT_EQ(list->currentRow(), 0) << "the chosen entry is also the current one";
    ASSERT_TRUE(tipShows(QStringLiteral("inv")));
    EXPECT_EQ(tip()->pos(), list->mapToGlobal(QPoint(0, list->height())))
        << "at the list's lower-left corner";

    QTest::keyClick(list.get(), Qt::Key_Backspace);
    EXPECT_TRUE(tipShows(QStringLiteral("in"))) << "the tip follows the search text";

    // A letter beyond ASCII, as the key event's text carries it (QTest has no key name for it).
    clock().advance(2);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                    QString::fromUtf8("\xC3\xBA"));
    QApplication::sendEvent(list.get(), &press);
    EXPECT_EQ(list->selectedEntry(), 3u);
    EXPECT_TRUE(tipShows(QString::fromUtf8("\xC3\xBA")));
    // Which entry a text matches (case, letters beyond ASCII, backspace): KeyDrivenSearchTest.
}

TEST_F(CKeyDrivenListCtrlTest, TipStaysForASecondOfTheClockThenGoes) {
    list->selectEntry(0);
    QTest::keyClicks(list.get(), QStringLiteral("o"));
    ASSERT_TRUE(tipShows(QStringLiteral("o")));
    auto& manual = clock();
    manual.advance(1);
    tick();
    EXPECT_TRUE(tipShows(QStringLiteral("o"))) << "one second is not more than one";
    manual.advance(1);
    tick();
    EXPECT_FALSE(tip()->isVisible());
    EXPECT_FALSE(list->findChild<QTimer*>(QStringLiteral("searchTimer"))->isActive());
}

TEST_F(CKeyDrivenListCtrlTest, ArrowsFocusLossAndNewEntriesHideTheTip) {
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    const std::pair<const char*, std::function<void()>> hiders[] = {
        {"an arrow",
         [&] {
             QTest::keyClick(list.get(), Qt::Key_Down);
             EXPECT_EQ(list->selectedEntry(), 1u) << "the arrow still moves";
         }},
        {"new entries", [&] { setEntries({"Inventory"}); }},
        {"focus loss", [&] { QApplication::sendEvent(list.get(), &focusOut); }},
        {"hiding", [&] { list->hide(); }},
    };
    for (const auto& [note, hide] : hiders) {
        list->selectEntry(0);
        QTest::keyClicks(list.get(), QStringLiteral("i"));
        ASSERT_TRUE(tipShows(QStringLiteral("i"))) << note;
        hide();
        EXPECT_FALSE(tip()->isVisible()) << note;
    }
}

TEST_F(CKeyDrivenListCtrlTest, AltWithDigitsAndSignsSearchesOtherAltKeysDoNot) {
    setEntries({"+Extra", "1st copy", "2nd copy", "Alpha"});
    list->selectEntry(3);
    QTest::keyClick(list.get(), Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(list->selectedEntry(), 2u);
    EXPECT_TRUE(tipShows(QStringLiteral("2")));
    clock().advance(5);
    QTest::keyClick(list.get(), Qt::Key_Plus, Qt::AltModifier);
    EXPECT_EQ(list->selectedEntry(), 0u);
    EXPECT_TRUE(tipShows(QStringLiteral("+")));
    QTest::keyClick(list.get(), Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(list->selectedEntry(), 0u) << "Alt with a letter is a mnemonic, not a search";
    EXPECT_TRUE(tipShows(QStringLiteral("+")));
}
} // namespace
