#pragma once

#include <span>

namespace tallivor {

enum class TargetWindow
{
    Form1,
    Edit,
    Settings,
};

enum class TargetProperty
{
    Caption, // of a label or label-button
    ToolTip,
    Text, // of a text box
    Variable,
};

// The main window's texts that a language file sets and the commands apply.
enum class LanguageVariable
{
    None,
    AddSavecaption,
    EditSavecaption,
    EditFormcaption,
    EditTitlecaption,
    AddFormcaption,
    AddTitlecaption,
    Startcaption,
    Stopcaption,
};

// One thing an entry of a language file sets: a control's caption, tool tip or text, or a variable of the main window.
struct EntryTarget
{
    int entry; // 1 to 22
    TargetWindow window;
    const char* control; // nullptr for a variable
    int index;           // element index in a control array, -1 otherwise
    TargetProperty property;
    LanguageVariable variable;
};

// Every target of every entry, in entry order and, within an entry, in the order the targets are set.
std::span<const EntryTarget> languageTargets();

// The entry that sets a variable of the main window.
int entryOf(LanguageVariable variable);

} // namespace tallivor
