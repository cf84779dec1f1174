#include "model/console/private_folder.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool make_private_path(const QString& folder) {
    const QFileInfo info(folder);
    if (info.exists()) return info.isDir();
    const QString parent = info.absolutePath();
    if (parent != folder && !make_private_path(parent)) return false;
    return QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace

bool make_private_folders(const std::string& folder) {
    return make_private_path(QDir::cleanPath(QDir().absoluteFilePath(QString::fromStdString(folder))));
}
