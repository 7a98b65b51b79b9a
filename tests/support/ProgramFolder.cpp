#include "ProgramFolder.h"

#include "board/Board.h"

#include <QDir>
#include <QFile>
#include <QTimer>

ProgramFolder::ProgramFolder(const QStringList& languageFiles)
{
    for (const QString& name : languageFiles)
        copyLanguage(name);
}

void ProgramFolder::copyLanguage(const QString& name) const
{
    QFile source(QStringLiteral(TALLIVOR_LANG_DIR "/") + name);
    if (!source.open(QIODevice::ReadOnly))
        qFatal("missing shipped language file %s", qPrintable(name));
    write(name, source.readAll());
}

QString ProgramFolder::filePath(const QString& name) const
{
    return QDir(m_dir.path()).filePath(name);
}

void ProgramFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

QByteArray ProgramFolder::read(const QString& name) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ProgramFolder::setWritten(const QString& name, const QDateTime& time) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::Append) || !file.setFileTime(time, QFileDevice::FileModificationTime))
        qFatal("cannot set the time of %s", qPrintable(name));
}

QStringList ProgramFolder::names() const
{
    return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

std::unique_ptr<tallivor::Board> ProgramFolder::startBoard(FakeClocks& clocks, const QByteArray& stationFile) const
{
    if (!stationFile.isNull())
        write(QStringLiteral("tallivor.xml"), stationFile);
    auto board = std::make_unique<tallivor::Board>(clocks, path());
    board->load();
    stopTimers(*board);
    return board;
}

void stopTimers(const QObject& owner)
{
    for (QTimer* timer : owner.findChildren<QTimer*>())
        timer->stop();
}

QByteArray englishBoard(const QStringList& rows)
{
    return crlf(QStringList{QStringLiteral("10,English.xml")} + rows);
}

QByteArray languageWithWords(const QString& start, const QString& stop)
{
    QString english = QString::fromUtf8(ProgramFolder().read(QStringLiteral("English.xml")));
    english.replace(QStringLiteral("Start=Start"), QStringLiteral("Start=") + start);
    english.replace(QStringLiteral("Stop=Stop"), QStringLiteral("Stop=") + stop);
    return english.toUtf8();
}

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

QStringList rowsOf(const tallivor::Board& board)
{
    using tallivor::Column;
    QStringList rows;
    for (int row = 0; row < board.rowCount(); ++row)
        rows << QStringList{board.text(Column::State, row), board.text(Column::Name, row),
                            board.text(Column::Spent, row), board.text(Column::Charge, row)}
                    .join(u',');
    return rows;
}
