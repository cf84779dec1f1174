#include "analysis/page_text.h"
#include "app/Downloaddemo_U.h"
#include "console/file_bytes.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Creates the folder and any missing folders above it, each private to the user: the debug
// file holds downloaded pages, which are nobody else's business.
bool make_private_folders(const QString& folder) {
    const QFileInfo info(folder);
    if (info.exists()) return info.isDir();
    const QString parent = info.absolutePath();
    if (parent != folder && !make_private_folders(parent)) return false;
    return QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

std::string page_file_text(const Memo& memo) {
    std::size_t size = 0;
    for (int i = 0; i < memo.count(); ++i) size += memo.full_line(i).size() + 2;
    std::string text;
    text.reserve(size);
    for (int i = 0; i < memo.count(); ++i) {
        text += memo.full_line(i);
        text += "\r\n";
    }
    return text;
}

}  // namespace

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
    if (path.empty() || !make_private_folders(QFileInfo(name).absolutePath()))
        throw AppError("Cannot create file " + path);
    switch (write_file_atomically(path, page_file_text(result_memo))) {
    case WriteOutcome::ok: return;
    case WriteOutcome::missing_folder:
    case WriteOutcome::cannot_create: throw AppError("Cannot create file " + path);
    case WriteOutcome::write_failed: break;
    }
    throw AppError("Cannot write file " + path);
}
