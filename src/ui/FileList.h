#pragma once

#include "ui/ListBox.h"

namespace tallivor {

// A list of the names of the files in one folder whose extension matches, sorted by name, with no name selected.
// It inherits the list box's selection rule: setting listIndex() from code runs the selection handling (listClick)
// at once, and only when the index changes.
class FileList : public ListBox
{
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr) : ListBox(parent) {}

    // Fills the list, once, with the ordinary files of folder whose names end in "." + extension. The extension matches
    // in any letter case and the names sort without regard to case, as the Windows file list does, so that the same
    // folder gives the same list on every system. Hidden files are not listed.
    void setFolder(const QString& folder, const QString& extension);
};

} // namespace tallivor
