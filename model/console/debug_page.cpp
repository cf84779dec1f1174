#include "analysis/page_text.h"
#include "model/app/Downloaddemo_U.h"
#include "model/console/file_bytes.h"
#include "model/console/private_folder.h"

#include <QDir>
#include <QFileInfo>

void TForm1::FileListBox1Click() {
    const std::string path = FileListBox1.selected_path();
    if (path.empty()) return;
    std::string bytes;
    if (read_file_bytes(path, bytes) != ReadOutcome::ok) throw AppError("Cannot open file " + path);
    set_page_text(std::move(bytes));
}

void TForm1::Button2Click() {
    const std::string& path = Edit2.text();
    const QString name = QDir::cleanPath(QString::fromStdString(path));
    if (path.empty() || !make_private_folders(QFileInfo(name).absolutePath().toStdString()))
        throw AppError("Cannot create file " + path);
    switch (write_file_atomically(path, page_file_text(static_cast<std::size_t>(result_memo.count()),
                                                       [this](std::size_t i) { return result_memo.full_line(static_cast<int>(i)); }))) {
    case WriteOutcome::ok: return;
    case WriteOutcome::not_a_file: throw AppError(path + " is not a regular file; it was left as it is");
    case WriteOutcome::missing_folder:
    case WriteOutcome::cannot_create: throw AppError("Cannot create file " + path);
    case WriteOutcome::write_failed: break;
    }
    throw AppError("Cannot write file " + path);
}
