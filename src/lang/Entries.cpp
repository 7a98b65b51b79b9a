#include "lang/Entries.h"

namespace tallivor {
namespace {

using W = TargetWindow;
using P = TargetProperty;
using V = LanguageVariable;

// clang-format off
constexpr EntryTarget targets[] = {
    {1, W::Form1, "btn", 0, P::Caption, V::None},                  // Add Computer
    {2, W::Form1, "btn", 4, P::Caption, V::None},                  // Reset Computer
    {3, W::Form1, "btn", 3, P::Caption, V::None},                  // Edit Computer
    {4, W::Form1, "btn", 1, P::Caption, V::None},                  // Remove Computer
    {5, W::Form1, "btn", 2, P::Caption, V::None},                  // Settings
    {6, W::Form1, "btn", 5, P::Caption, V::None},                  // State
    {7, W::Form1, "btn", 6, P::Caption, V::None},                  // Computers
    {8, W::Form1, "btn", 7, P::Caption, V::None},                  // Spent time
    {8, W::Edit, "time_caption", -1, P::Caption, V::None},         //
    {9, W::Form1, "btn", 9, P::Caption, V::None},                  // Value
    {10, W::Edit, "computername_caption", -1, P::Caption, V::None}, // Computer name :
    {11, W::Form1, nullptr, -1, P::Variable, V::AddSavecaption},    // Save
    {12, W::Edit, "btn", 1, P::Caption, V::None},                  // Cancel
    {12, W::Settings, "btn", 1, P::Caption, V::None},              //
    {13, W::Form1, nullptr, -1, P::Variable, V::EditSavecaption},   // Save, also the editor's edit-mode window caption
    {13, W::Form1, nullptr, -1, P::Variable, V::EditFormcaption},   //
    {14, W::Form1, nullptr, -1, P::Variable, V::EditTitlecaption},  // Edit Computer
    {15, W::Form1, nullptr, -1, P::Variable, V::AddFormcaption},    // Add Computer
    {16, W::Form1, nullptr, -1, P::Variable, V::AddTitlecaption},   // Add Computer
    {17, W::Settings, "Min_Value", -1, P::Caption, V::None},       // Min's Value :
    {17, W::Form1, "btn", 9, P::ToolTip, V::None},                 //
    {18, W::Settings, "Language_caption", -1, P::Caption, V::None}, // Language :
    {19, W::Form1, nullptr, -1, P::Variable, V::Startcaption},      // Start
    {20, W::Form1, nullptr, -1, P::Variable, V::Stopcaption},       // Stop
    {21, W::Form1, "VALUEUNIT", -1, P::Caption, V::None},          // $
    {21, W::Settings, "VALUEUNIT", -1, P::Text, V::None},          //
    {22, W::Form1, "btn", 12, P::Caption, V::None},                // Update
};
// clang-format on

} // namespace

std::span<const EntryTarget> languageTargets()
{
    return targets;
}

int entryOf(LanguageVariable variable)
{
    for (const EntryTarget& target : targets) {
        if (target.property == TargetProperty::Variable && target.variable == variable)
            return target.entry;
    }
    return 0;
}

} // namespace tallivor
