#include "pipeline/page_copy.h"

#include "analysis/page_text.h"

#include <QDir>
#include <QSaveFile>

std::string save_page_copy(const std::string& folder, const std::string& url, const std::vector<std::string>& lines) {
    const QString path = QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(page_file_name(url)));
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    for (std::size_t i = 0; written && i < lines.size(); ++i) {
        const auto& line = lines[i];
        written = file.write(line.data(), static_cast<qint64>(line.size())) == static_cast<qint64>(line.size()) &&
                  file.write("\r\n", 2) == 2;
    }
    if (written) written = file.commit();
    if (written) return {};
    const std::string reason = file.errorString().toStdString();
    file.cancelWriting();
    return "Page copy not saved to " + path.toStdString() + ": " + reason;
}
