#include "identification/detail/ControlRow.h"

#include <algorithm>

namespace ostrel::identification {

ControlRow fitToTexts(ControlRow row, const std::vector<int>& textWidths) {
    const std::vector<ClientRect> places = row.controls;
    int windowGrowth = 0;
    for (std::size_t grown = 0; grown < places.size() && grown < textWidths.size(); ++grown) {
        const int growth = textWidths[grown] - places[grown].width();
        if (growth <= 0) {
            continue;
        }
        row.controls[grown].right += growth;
        // Everything that starts to the right of the grown control, wherever
        // it comes in the list, moves along.
        for (std::size_t other = 0; other < places.size(); ++other) {
            if (places[other].left > places[grown].left) {
                row.controls[other].left += growth;
                row.controls[other].right += growth;
            }
        }
        windowGrowth += growth;
    }
    row.windowWidth += windowGrowth;
    return row;
}

} // namespace ostrel::identification
