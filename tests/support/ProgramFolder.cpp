#include "ProgramFolder.h"

#include "board/Form1.h"
#include "ui/ListBox.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <QtTest>

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

QStringList ProgramFolder::names() const
{
    return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

std::unique_ptr<tallivor::Form1> ProgramFolder::start(FakePlatform& platform) const
{
    platform.folder = path();
    auto form = std::make_unique<tallivor::Form1>(platform, path());
    form->load();
    // The tests tick the clock and save themselves: no timer may act behind their back.
    for (QTimer* timer : form->findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
        timer->stop();
    return form;
}

std::unique_ptr<tallivor::Form1> ProgramFolder::startShown(FakePlatform& platform, const QByteArray& stationFile) const
{
    write(QStringLiteral("tallivor.xml"), stationFile);
    auto form = start(platform);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qWarning("the main window was not exposed");
    return form;
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

QStringList column(const tallivor::ListBox* list)
{
    return list->column().texts();
}

std::array<tallivor::ListBox*, 4> listsOf(const tallivor::Form1& form)
{
    return {form.Eventlist, form.Namelist, form.timeList, form.Rellist};
}

QStringList rowsOf(const tallivor::Form1& form)
{
    QStringList rows;
    for (int row = 0; row < form.Namelist->listCount(); ++row)
        rows << QStringList{form.Eventlist->list(row), form.Namelist->list(row), form.timeList->list(row),
                            form.Rellist->list(row)}
                    .join(u',');
    return rows;
}
