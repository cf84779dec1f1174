#pragma once

#include <QObject>

#include <functional>
#include <string>

// A button: caption, enabled flag and the click action. click() runs the action whether or not
// the button is visible or enabled, as the pipeline invokes hidden buttons from code; a view
// only forwards clicks of enabled buttons. Errors from the action propagate to the caller.
class Button : public QObject {
    Q_OBJECT
public:
    explicit Button(std::string caption, QObject* parent = nullptr) : QObject(parent), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption) {
        if (caption == caption_) return;
        caption_ = std::move(caption);
        emit changed();
    }
    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled) {
        if (enabled == enabled_) return;
        enabled_ = enabled;
        emit changed();
    }

    std::function<void()> on_click;
    void click() {
        if (on_click) on_click();
    }

signals:
    void changed();

private:
    std::string caption_;
    bool enabled_ = true;
};
