#pragma once

#include <functional>

// The click plumbing of the control models: the action a click runs. click() runs it whether
// or not the control is visible or enabled, as the pipeline invokes hidden controls from code;
// a view only forwards clicks the user may make. Errors from the action propagate to the caller.
class ClickAction {
public:
    std::function<void()> on_click;
    void click() {
        if (on_click) on_click();
    }
};
