#pragma once

namespace tallivor {

class LabelButton;

enum class DisarmOnLeave
{
    No,
    Yes, // the main window: leaving a label also clears its italic (armed) style
};

// The inner part of a label-button in which its caption underlines: in the label's own twips, X above 20 and below
// the width minus 100, Y above 5 and below 200. All four bounds are strict; the lower bound is fixed, whatever the
// label's height.
bool inActiveArea(float x, float y, float widthTwips);

// A pointer move over the label at (x, y) twips: underline inside the active area, none outside it, where the main
// window also disarms the label.
void hoverLabelButton(LabelButton& button, float x, float y, DisarmOnLeave disarm);

} // namespace tallivor
