#include "gui/file_dialog_runner.h"

#include "gui/simple_bindings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace {

// The display name without a pattern it already shows in parentheses.
QString display_name(const FileFilter& filter) {
    QString name = to_qstring(filter.name).trimmed();
    const qsizetype open = name.lastIndexOf(u'(');
    if (name.endsWith(u')') && open > 0) name = name.left(open).trimmed();
    return name;
}

// "*.*" means every file where it comes from; here it would miss names without a dot.
QString qt_pattern(const FileFilter& filter) {
    const QString pattern = to_qstring(filter.pattern).trimmed();
    return pattern == "*.*" ? QStringLiteral("*") : pattern;
}

// The dialog keeps its visited folders in Qt's user settings file and shows them in the next run.
// Nothing of a run is stored for the next: Qt's user settings go to a place where no file can be
// made (not even by root), so they are neither read nor written.
void keep_qt_settings_out_of_the_home() {
    const QString nowhere = QStringLiteral("/dev/null");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

}  // namespace

QStringList qt_name_filters(const FileDialog& dialog) {
    QStringList filters;
    for (const FileFilter& filter : dialog.filters())
        filters << display_name(filter) + " (" + qt_pattern(filter) + ")";
    return filters;
}

FileDialog::Runner make_file_dialog_runner(QWidget* parent) {
    keep_qt_settings_out_of_the_home();
    return [parent](const FileDialog& model) -> std::optional<std::string> {
        QFileDialog dialog(parent, to_qstring(model.title()));
        const bool open = model.kind() == FileDialog::Kind::Open;
        dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        // A name that does not exist is the load's to refuse, with its own message.
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!open) dialog.setOption(QFileDialog::DontConfirmOverwrite);
        const QStringList filters = qt_name_filters(model);
        dialog.setNameFilters(filters);
        if (!filters.isEmpty()) dialog.selectNameFilter(filters.value(model.filter_index()));
        dialog.setDefaultSuffix(to_qstring(model.default_ext()));
        if (!model.file_name().empty()) {
            // Folder and name apart: the dialog takes a whole path only for a file that exists.
            const QFileInfo last(to_qstring(model.file_name()));
            dialog.setDirectory(last.absolutePath());
            dialog.selectFile(last.fileName());
        }
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        const QStringList chosen = dialog.selectedFiles();
        if (chosen.isEmpty()) return std::nullopt;
        return to_bytes(chosen.front());
    };
}
