#include "model/console/private_folder.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool make_private_path(const QString& folder) {
    const QFileInfo info(folder);
    if (info.exists()) return info.isDir();
    const QString parent = info.absolutePath();
    if (parent != folder && !make_private_path(parent)) return false;
    return QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// The pid a folder name carries after `prefix`, followed by '-'; 0 when it carries none.
pid_t named_pid(const std::string& name, const std::string& prefix) {
    if (!name.starts_with(prefix)) return 0;
    const char* const first = name.data() + prefix.size();
    const char* const last = name.data() + name.size();
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(first, last, pid);
    if (error != std::errc() || end == first || end == last || *end != '-' || pid <= 0) return 0;
    return pid;
}

bool process_ended(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

bool make_private_folders(const std::string& folder) {
    return make_private_path(QDir::cleanPath(QDir().absoluteFilePath(QString::fromStdString(folder))));
}

int remove_dead_process_folders(const std::string& parent, const std::string& prefix) {
    const QDir dir(QString::fromStdString(parent));
    int removed = 0;
    const auto names = dir.entryList({QString::fromStdString(prefix) + "*"}, QDir::Dirs | QDir::NoSymLinks | QDir::Hidden);
    for (const QString& name : names) {
        const pid_t pid = named_pid(name.toStdString(), prefix);
        if (pid == 0 || pid == ::getpid()) continue;
        const QString path = dir.filePath(name);
        struct stat status {};
        // Checked without following links: a shared parent such as /tmp holds anyone's folders.
        if (::lstat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
            status.st_uid != ::getuid() || !process_ended(pid))
            continue;
        if (QDir(path).removeRecursively()) ++removed;
    }
    return removed;
}
