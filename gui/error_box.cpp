#include "gui/error_box.h"

#include "gui/simple_bindings.h"

#include <QMessageBox>

#include <algorithm>

ErrorBox::ErrorBox(QWidget* parent) : parent_(parent), presenter_(message_box()) {}

ErrorBox::Presenter ErrorBox::message_box() {
    return [](QWidget* owner, const QString& text) { QMessageBox::critical(owner, QStringLiteral("Ravelmoot"), text); };
}

void ErrorBox::report(const std::string& message) {
    if (showing_) {
        if (waiting_.size() < kMaxWaiting && std::find(waiting_.begin(), waiting_.end(), message) == waiting_.end())
            waiting_.push_back(message);
        return;
    }
    showing_ = true;
    struct Done {
        bool& showing;
        ~Done() { showing = false; }
    } done{showing_};
    std::string next = message;
    for (;;) {
        presenter_(parent_, to_qstring(next));
        if (waiting_.empty()) break;
        next = std::move(waiting_.front());
        waiting_.pop_front();
    }
}
