#pragma once

#include "model/app/controls/choice_control.h"

// A tab set: page captions, the active page and whether the set is shown at all.
class PageControl : public ChoiceControl {
public:
    PageControl(std::vector<std::string> pages, bool visible, QObject* parent = nullptr)
        : ChoiceControl(std::move(pages), 0, parent), visible_(visible) {}

    const std::vector<std::string>& pages() const { return entries(); }
    bool visible() const { return visible_; }
    int active_page() const { return chosen(); }
    // Positions outside the pages are ignored.
    void set_active_page(int index) { choose(index); }

private:
    bool visible_;
};
