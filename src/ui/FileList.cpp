#include "ui/FileList.h"

#include <QDir>

namespace tallivor {

void FileList::setFolder(const QString& folder, const QString& extension)
{
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*.") + extension}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        addItem(name);
}

} // namespace tallivor
