#include "model/pipeline/page_copy.h"

#include "analysis/page_text.h"
#include "model/console/file_bytes.h"

#include <QDir>

std::string save_page_copy(const std::string& folder, const std::string& url, const PageLines& page) {
    const std::string path =
        QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(page_file_name(url))).toStdString();
    const char* reason = nullptr;
    switch (write_file_atomically(path, page_file_text(page.size(), [&page](std::size_t i) { return page.line(i); }))) {
    case WriteOutcome::ok: return {};
    case WriteOutcome::not_a_file: reason = "not a regular file, left as it is"; break;
    case WriteOutcome::missing_folder: reason = "the folder does not exist"; break;
    case WriteOutcome::cannot_create: reason = "the file cannot be created"; break;
    case WriteOutcome::write_failed: reason = "writing failed"; break;
    }
    return "Page copy not saved to " + path + ": " + reason;
}
