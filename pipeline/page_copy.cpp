#include "pipeline/page_copy.h"

#include "analysis/page_text.h"

#include <QDir>
#include <QSaveFile>

std::string save_page_copy(const std::string& folder, const std::string& url, const PageLines& page) {
    const QString path = QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(page_file_name(url)));
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    // Lines go out gathered in pieces of about 64 KB rather than two writes per line.
    std::string piece;
    const auto flush = [&] {
        written = written && file.write(piece.data(), static_cast<qint64>(piece.size())) == static_cast<qint64>(piece.size());
        piece.clear();
    };
    for (std::size_t i = 0; written && i < page.size(); ++i) {
        piece.append(page.line(i)).append("\r\n");
        if (piece.size() >= 64 * 1024) flush();
    }
    if (!piece.empty()) flush();
    if (written) written = file.commit();
    if (written) return {};
    const std::string reason = file.errorString().toStdString();
    file.cancelWriting();
    return "Page copy not saved to " + path.toStdString() + ": " + reason;
}
