#pragma once

#include <functional>
#include <string>
#include <vector>

// A context menu: its items in menu order, each with its designer name, caption and action.
struct MenuItem {
    std::string name;
    std::string caption;
    std::function<void()> on_click;
};

struct PopupMenu {
    std::vector<MenuItem> items;
};
