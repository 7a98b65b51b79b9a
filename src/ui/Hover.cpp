#include "ui/Hover.h"

#include "ui/LabelButton.h"
#include "ui/Twips.h"

namespace tallivor {

bool inActiveArea(float x, float y, float widthTwips)
{
    const float right = widthTwips - 100.0f;
    return x > 20.0f && x < right && y > 5.0f && y < 200.0f;
}

void hoverLabelButton(LabelButton& button, float x, float y, DisarmOnLeave disarm)
{
    if (inActiveArea(x, y, float(toTwips(button.width())))) {
        button.setUnderline(true);
        return;
    }
    button.setUnderline(false);
    if (disarm == DisarmOnLeave::Yes)
        button.setItalic(false);
}

} // namespace tallivor
