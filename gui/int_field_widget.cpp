#include "gui/int_field_widget.h"

#include "model/app/controls/int_field.h"
#include "gui/simple_bindings.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int kStepButtonWidth = 16;
constexpr QSize kStepArrowSize{8, 8};

// The edit part: filters keys before the line edit sees them and reports losing the focus.
class IntFieldEdit : public QLineEdit {
public:
    std::function<bool(QKeyEvent&)> on_key;  // true: the key was handled here
    std::function<void()> on_focus_lost;

    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (on_key && on_key(*event)) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        // Leaving the field for another control corrects it; a message box, a menu or another
        // program taking the keyboard for a while does not.
        const bool away = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
        if (!away && on_focus_lost) on_focus_lost();
    }
};

// Pasted text must respect the maximum length as typed text does. Text set from code is not
// validated by QLineEdit, so a stepped "25" still shows in a one-character field.
class MaxLengthValidator : public QValidator {
public:
    MaxLengthValidator(int max_length, QObject* parent) : QValidator(parent), max_length_(max_length) {}
    State validate(QString& input, int&) const override {
        return input.size() > max_length_ ? Invalid : Acceptable;
    }

private:
    int max_length_;
};

QToolButton* make_step_button(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // Clicking a step button must not take the focus from the edit (that would correct it).
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(kStepButtonWidth);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    button->setIconSize(kStepArrowSize);
    return button;
}

bool is_printable(char32_t c) { return c >= 0x20 && c != 0x7f; }

}  // namespace

IntFieldWidget::IntFieldWidget(IntField& model, const char* name, Guard guard, QWidget* parent)
    : QWidget(parent), model_(model), guard_(std::move(guard)) {
    setObjectName(name);
    auto* edit = new IntFieldEdit(this);
    edit_ = edit;
    edit_->setObjectName(QString::fromUtf8(name) + "_edit");
    // Input methods and drops would bypass the typing rule.
    edit_->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit_->setAcceptDrops(false);
    if (model_.max_length() > 0) edit_->setValidator(new MaxLengthValidator(model_.max_length(), edit_));
    up_ = make_step_button(Qt::UpArrow, this);
    down_ = make_step_button(Qt::DownArrow, this);
    up_->setObjectName(QString::fromUtf8(name) + "_up");
    down_->setObjectName(QString::fromUtf8(name) + "_down");
    lay_out();
    show_model_text();
    setEnabled(model_.enabled());

    edit->on_key = [this](QKeyEvent& event) { return take_key(event); };
    edit->on_focus_lost = [this] { guard_([this] { model_.correct_to_limits(); }); };
    // textEdited is the user's typing only; the model's echo of it changes nothing below.
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        guard_([this, &text] { model_.set_text(to_bytes(text)); });
    });
    connect(up_, &QToolButton::clicked, this, [this] { guard_([this] { model_.step_by(1); }); });
    connect(down_, &QToolButton::clicked, this, [this] { guard_([this] { model_.step_by(-1); }); });
    connect(&model_, &IntField::changed, this, &IntFieldWidget::show_model_text);
    connect(&model_, &IntField::enabled_changed, this, &QWidget::setEnabled);
}

void IntFieldWidget::lay_out() {
    auto* steps = new QVBoxLayout;
    steps->setContentsMargins(0, 0, 0, 0);
    steps->setSpacing(0);
    steps->addWidget(up_);
    steps->addWidget(down_);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(edit_, 1);
    row->addLayout(steps);
    setFocusProxy(edit_);
}

bool IntFieldWidget::take_key(QKeyEvent& event) {
    if (event.key() == Qt::Key_Up || event.key() == Qt::Key_Down) {
        const int direction = event.key() == Qt::Key_Up ? 1 : -1;
        guard_([this, direction] { model_.step_by(direction); });
        return true;
    }
    const QString typed = event.text();
    if (typed.isEmpty()) return false;  // navigation keys carry no text
    bool printable = false;
    for (const char32_t c : typed.toUcs4()) {
        if (!IntField::accepts_typed_char(c)) {
            refuse();
            return true;
        }
        printable = printable || is_printable(c);
    }
    const int limit = model_.max_length();
    if (printable && limit > 0 && edit_->text().size() - edit_->selectedText().size() + typed.size() > limit) {
        refuse();
        return true;
    }
    return false;
}

void IntFieldWidget::show_model_text() {
    const QString shown = to_qstring(model_.text());
    if (edit_->text() != shown) edit_->setText(shown);
}

void IntFieldWidget::refuse() {
    QApplication::beep();
    emit typing_refused();
}
