#pragma once

#include "ui/Platform.h"

#include <QAbstractItemView>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class QListWidget;

namespace tallivor {
class Board;
class Form1;
} // namespace tallivor

namespace bench {

// A station file of the given number of rows, all running, with times and charges spread so that about one row in
// sixty completes a minute at each tick, as in a room whose stations were started at different moments.
// thirdPaid: every third station has a paid time, an hour past its time used.
QByteArray stationFileBytes(int rows, bool thirdPaid = false);
// A tabs file giving every third of the stations a tab of five items, for as many tabs as given.
QByteArray tabsFileBytes(int rows, int tabs);

// The platform of an administrator that never hands anything to the shell, and clocks that stand still.
class QuietPlatform final : public tallivor::Platform, public tallivor::Clocks
{
public:
    explicit QuietPlatform(QString folder) : m_folder(std::move(folder)) {}
    bool isUserAnAdmin() const override { return true; }
    void shellExecute(QWidget*, const QString&, const QString&, const QString&, const QString&, int) override {}
    QString commandLineTail() const override { return {}; }
    void allowSetForegroundWindow() override {}
    void playAlarm() override {}
    QString programFolder() const override { return m_folder; }
    QString relaunchFile(const QString& folder) const override { return folder + QStringLiteral("/Tallivor"); }
    tallivor::SteadyTime steadyTime() const override { return {}; } // the benchmark applies its seconds itself
    QDateTime now() const override { return clock.isValid() ? clock : QDateTime::currentDateTime(); }

    QDateTime clock; // the wall clock; the real one while it is not set

private:
    QString m_folder;
};

// The main window with its Board on a temporary program folder holding English.xml and a station file of the given
// size: loaded, its timers stopped (the benchmark ticks and saves it itself), shown and exposed.
class BoardWindow
{
public:
    // tabs: how many stations (every third one) have a tab of five items.
    explicit BoardWindow(int rows, bool thirdPaid = false, int tabs = 0);
    ~BoardWindow();

    tallivor::Board& board() const { return *m_board; }
    tallivor::Form1& form() const { return *m_form; }
    QuietPlatform& platform() const { return *m_platform; }
    QString folder() const { return m_dir.path(); }
    // The four lists in board order: state, name, time, charge.
    std::array<QAbstractItemView*, 4> lists() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QuietPlatform> m_platform;
    std::unique_ptr<tallivor::Board> m_board;
    std::unique_ptr<tallivor::Form1> m_form;
    std::array<QAbstractItemView*, 4> m_lists{};
};

// The same station table built the plain way, for comparison: four QListWidgets with the geometry and font of the
// main window's lists, on a window of the main window's size, shown and exposed.
class PlainBoard
{
public:
    explicit PlainBoard(int rows);
    ~PlainBoard();

    QWidget& window() const { return *m_window; }
    // State, name, time, charge.
    const std::array<QListWidget*, 4>& lists() const { return m_lists; }
    // One second of the clock, item by item: read the texts, apply the clock's rule, write back what changed.
    void tick(const QString& startWord, const QString& priceText);
    // Keeps the four lists on one current row, each following whichever changed.
    void keepRowsInStep();

private:
    std::unique_ptr<QWidget> m_window;
    std::array<QListWidget*, 4> m_lists{};
};

// Counts the paint events that reach each of some views' viewports, to show that a repaint really drew them.
class PaintCounter : public QObject
{
public:
    template <typename View, std::size_t N>
    explicit PaintCounter(const std::array<View*, N>& views)
    {
        for (View* view : views)
            watch(view);
    }

    void reset();
    // How many of the watched viewports were painted at least once since the last reset.
    int paintedViews() const;
    int watchedViews() const { return int(m_viewports.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QAbstractItemView* view);

    std::vector<QObject*> m_viewports;
    std::vector<int> m_paints;
};

} // namespace bench
