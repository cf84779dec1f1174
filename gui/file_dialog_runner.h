#pragma once

#include "model/app/controls/file_dialog.h"

#include <QStringList>

class QWidget;

// The Qt name filters for a dialog model's filters, in order: "List files (*.txt)", ...
QStringList qt_name_filters(const FileDialog& dialog);

// A runner for a file dialog model: shows a modal QFileDialog over parent with the model's
// title, filters (the first selected) and default suffix, starting at the name last chosen.
// An open dialog accepts a name that does not exist; a save dialog does not ask before
// replacing. Returns the chosen name, or nothing when the user cancels. parent must outlive
// the runner's uses.
FileDialog::Runner make_file_dialog_runner(QWidget* parent);
