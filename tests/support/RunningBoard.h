#pragma once

#include "FakePlatform.h"
#include "ProgramFolder.h"
#include "window/Form1.h"

#include <array>
#include <memory>

namespace tallivor {
class ListBox;
class ScrollBar;
class TextBox;
} // namespace tallivor

// The main window started on a real Board, and the controls of the window found by their names, as the operator
// sees them.
class RunningBoard
{
    std::unique_ptr<tallivor::Board> m_board;
    std::unique_ptr<tallivor::Form1> m_form;

public:
    RunningBoard(FakePlatform& platform, const QString& folder);
    ~RunningBoard();

    tallivor::Board& board() const { return *m_board; }
    tallivor::Form1& form() const { return *m_form; }
    tallivor::LabelButton* btn(tallivor::Button button) const;

    tallivor::ListBox* const Eventlist;
    tallivor::ListBox* const Namelist;
    tallivor::ListBox* const timeList;
    tallivor::ListBox* const Rellist;
    tallivor::ScrollBar* const VScroll1;
    tallivor::TextBox* const REL;

private:
    RunningBoard(FakePlatform& platform, std::unique_ptr<tallivor::Board> board);
};

// Creates the main window with its Board on the folder and runs its load step, then stops its timers (the clock and
// the autosave): tests tick and save themselves.
std::unique_ptr<RunningBoard> startWindow(const ProgramFolder& folder, FakePlatform& platform);
// Writes the station file, starts the main window on it as startWindow() does, and shows it.
std::unique_ptr<RunningBoard> startShown(const ProgramFolder& folder, FakePlatform& platform,
                                         const QByteArray& stationFile);

// The four lists of the station table, left to right.
std::array<tallivor::ListBox*, 4> listsOf(const RunningBoard& window);
