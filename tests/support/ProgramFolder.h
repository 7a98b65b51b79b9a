#pragma once

#include "FakeClocks.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QObject;
namespace tallivor {
class Board;
} // namespace tallivor

// A program folder of the test's own: a temporary folder with the shipped language files in it, files written and
// read by name, and a board (with or without its main window) started on it with the fake platform.
class ProgramFolder
{
public:
    // languageFiles: which of the shipped language files to copy in ("English.xml" by default).
    explicit ProgramFolder(const QStringList& languageFiles = {QStringLiteral("English.xml")});

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    // The names in the folder, sorted.
    QStringList names() const;
    // Gives a file of the folder another time of its last write.
    void setWritten(const QString& name, const QDateTime& time) const;
    // Copies a shipped language file into the folder.
    void copyLanguage(const QString& name) const;

    // Writes the station file (when given) and loads a Board on this folder, without any window; its autosave is
    // stopped: tests tick and save themselves.
    std::unique_ptr<tallivor::Board> startBoard(FakeClocks& clocks, const QByteArray& stationFile = {}) const;

private:
    QTemporaryDir m_dir;
};

// The station file lines joined with CR LF, each line ended.
QByteArray crlf(const QStringList& lines);
// A station file with the price 10 and English, then the rows.
QByteArray englishBoard(const QStringList& rows);

// The shipped English language file with other running and stopped words.
QByteArray languageWithWords(const QString& start, const QString& stop);

// Stops the object's own timers: the tests tick the clock and save themselves, and no timer may act behind their back.
void stopTimers(const QObject& owner);

// The board's rows as the station file writes them: "state,name,time,charge".
QStringList rowsOf(const tallivor::Board& board);
