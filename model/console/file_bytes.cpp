#include "model/console/file_bytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString q_path(const std::string& path) { return QString::fromStdString(path); }

bool folder_exists(const QString& path) { return QFileInfo(QFileInfo(path).absolutePath()).isDir(); }

}  // namespace

ReadOutcome read_file_bytes(const std::string& path, std::string& bytes) {
    const QString name = q_path(path);
    const QFileInfo info(name);
    if (!info.exists()) return folder_exists(name) ? ReadOutcome::missing_file : ReadOutcome::missing_folder;
    // A folder, a device or a pipe is no list or page file; a device could be read forever.
    if (!info.isFile()) return ReadOutcome::not_readable;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return ReadOutcome::not_readable;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) return ReadOutcome::read_failed;
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return ReadOutcome::ok;
}

namespace {

// Opens the temporary file beside the target; ok when writing may begin.
WriteOutcome open_beside(const QString& name, QSaveFile& file) {
    // The rename would put a regular file in the place of a device or a pipe (as root even of
    // /dev/null); a symbolic link counts as what it points to.
    const QFileInfo target(name);
    if (target.exists() && !target.isFile()) return WriteOutcome::not_a_file;
    // Unbuffered: a buffered QSaveFile can report a short write at flush time as success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return folder_exists(name) ? WriteOutcome::cannot_create : WriteOutcome::missing_folder;
    return WriteOutcome::ok;
}

}  // namespace

WriteOutcome check_writable(const std::string& path) {
    QSaveFile file(q_path(path));
    // Not committed: the temporary file goes again and the target stays as it is.
    return open_beside(q_path(path), file);
}

WriteOutcome write_file_atomically(const std::string& path, const std::string& bytes) {
    const QString name = q_path(path);
    QSaveFile file(name);
    if (const WriteOutcome opened = open_beside(name, file); opened != WriteOutcome::ok) return opened;
    const char* data = bytes.data();
    qint64 left = static_cast<qint64>(bytes.size());
    while (left > 0) {
        const qint64 written = file.write(data, left);
        if (written <= 0) {
            file.cancelWriting();
            return WriteOutcome::write_failed;
        }
        data += written;
        left -= written;
    }
    return file.commit() ? WriteOutcome::ok : WriteOutcome::write_failed;
}
