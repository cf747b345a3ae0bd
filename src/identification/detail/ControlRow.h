#pragma once

#include "identification/IdentificationModel.h"

#include <vector>

namespace ostrel::identification {

/// Controls that stand side by side in a row of the window, and the window's width.
struct ControlRow {
    std::vector<ClientRect> controls;
    int windowWidth = 0;
};

/// The row with every control at least as wide as its text needs
/// (`textWidths`, one per control), so that a longer translation is never
/// cut: a control keeps its place and width when its text fits; one that
/// grows pushes the controls to its right along by as much, so the gaps
/// between them stay, and the window grows with them. A missing text width
/// counts as fitting.
ControlRow fitToTexts(ControlRow row, const std::vector<int>& textWidths);

} // namespace ostrel::identification
