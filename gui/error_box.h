#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <string>

class QWidget;

// Shows handler errors to the user, one message box at a time. An error raised while a box is
// open (a timer keeps ticking behind a modal box) waits and is shown after it, instead of
// opening a box inside the box: a handler failing on every tick would otherwise nest event
// loops without end. The same text arriving again while it waits is kept once.
class ErrorBox {
public:
    using Presenter = std::function<void(QWidget* parent, const QString& text)>;

    // parent must outlive the box's uses. The presenter is message_box() until replaced.
    explicit ErrorBox(QWidget* parent);

    // A critical QMessageBox with the text, modal over parent.
    static Presenter message_box();

    void report(const std::string& message);
    // Lets a test see the texts instead of answering modal boxes.
    void set_presenter(Presenter presenter) { presenter_ = std::move(presenter); }

    static constexpr std::size_t kMaxWaiting = 20;

private:
    QWidget* parent_;
    Presenter presenter_;
    bool showing_ = false;
    std::deque<std::string> waiting_;
};
