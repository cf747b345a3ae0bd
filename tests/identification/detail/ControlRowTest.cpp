#include "identification/detail/ControlRow.h"

#include <gtest/gtest.h>

namespace {

using ostrel::identification::ClientRect;
using ostrel::identification::ControlRow;
using ostrel::identification::fitToTexts;

// The bottom row of the identification dialog: "Remember cursor", OK, Cancel.
const ControlRow kRow{{{12, 250, 155, 267}, {175, 243, 263, 268}, {270, 243, 358, 268}}, 371};

TEST(ControlRowTest, AControlGrowsToItsTextAndPushesWhatStandsToItsRight) {
    const struct {
        const char* note;
        std::vector<int> textWidths;
        ControlRow expected;
    } rows[] = {
        {"every text fits: nothing moves", {143, 40, 88}, kRow},
        {"no widths known", {}, kRow},
        {"the check box grows by 20: OK, Cancel and the window follow",
         {163, 40, 60},
         {{{12, 250, 175, 267}, {195, 243, 283, 268}, {290, 243, 378, 268}}, 391}},
        {"the last control grows: only it and the window",
         {100, 80, 98},
         {{{12, 250, 155, 267}, {175, 243, 263, 268}, {270, 243, 368, 268}}, 381}},
        {"two grow: the last is pushed by both",
         {153, 95, 88},
         {{{12, 250, 165, 267}, {185, 243, 280, 268}, {287, 243, 375, 268}}, 388}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(fitToTexts(kRow, row.textWidths).controls, row.expected.controls) << row.note;
        EXPECT_EQ(fitToTexts(kRow, row.textWidths).windowWidth, row.expected.windowWidth)
            << row.note;
    }
    // The order of the list does not matter: the control on the left pushes.
    const ControlRow reversed{{kRow.controls[2], kRow.controls[1], kRow.controls[0]}, 371};
    EXPECT_EQ(fitToTexts(reversed, {88, 88, 163}).controls[0], (ClientRect{290, 243, 378, 268}));
}

} // namespace
