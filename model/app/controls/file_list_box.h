#pragma once

#include "model/app/controls/click_action.h"

#include <QObject>

#include <string>
#include <vector>

// A file list: the names in a folder that match a mask ("*.htm"), sorted, and the chosen entry.
class FileListBox : public QObject, public ClickAction {
    Q_OBJECT
public:
    explicit FileListBox(std::string mask, QObject* parent = nullptr);

    const std::string& directory() const { return directory_; }
    // Points the list at a folder and reads its entries.
    void set_directory(std::string directory);
    const std::string& mask() const { return mask_; }
    // Reads the folder's entries again (pages are stored while the program runs).
    void update();
    const std::vector<std::string>& items() const { return items_; }
    int item_index() const { return item_index_; }
    void set_item_index(int index);
    // The folder joined with the chosen entry's name, or empty when nothing is chosen.
    std::string selected_path() const;

signals:
    void changed();

private:
    std::string mask_;
    std::string directory_;
    std::vector<std::string> items_;
    int item_index_ = -1;
};
