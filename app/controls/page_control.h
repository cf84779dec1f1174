#pragma once

#include "app/controls/assign_changed.h"

#include <QObject>

#include <string>
#include <vector>

// A tab set: page captions, the active page and whether the set is shown at all.
class PageControl : public QObject {
    Q_OBJECT
public:
    PageControl(std::vector<std::string> pages, bool visible, QObject* parent = nullptr)
        : QObject(parent), pages_(std::move(pages)), visible_(visible) {}

    const std::vector<std::string>& pages() const { return pages_; }
    bool visible() const { return visible_; }
    int active_page() const { return active_page_; }
    void set_active_page(int index) {
        if (index >= 0 && index < static_cast<int>(pages_.size()) && assign_changed(active_page_, index)) emit changed();
    }

signals:
    void changed();

private:
    std::vector<std::string> pages_;
    bool visible_;
    int active_page_ = 0;
};
