#include "model/app/controls/file_list_box.h"

#include <QDir>

FileListBox::FileListBox(std::string mask, QObject* parent) : QObject(parent), mask_(std::move(mask)) {}

void FileListBox::set_directory(std::string directory) {
    directory_ = std::move(directory);
    update();
}

void FileListBox::update() {
    items_.clear();
    item_index_ = -1;
    if (!directory_.empty()) {
        const QDir dir(QString::fromStdString(directory_));
        const auto names = dir.entryList({QString::fromStdString(mask_)}, QDir::Files, QDir::Name);
        for (const auto& name : names) items_.push_back(name.toStdString());
    }
    emit changed();
}

void FileListBox::set_item_index(int index) {
    item_index_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
}

std::string FileListBox::selected_path() const {
    if (item_index_ < 0) return {};
    return QDir(QString::fromStdString(directory_)).filePath(QString::fromStdString(items_[static_cast<std::size_t>(item_index_)])).toStdString();
}
