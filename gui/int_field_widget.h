#pragma once

#include "gui/guard.h"

#include <QWidget>

class IntField;
class QKeyEvent;
class QLineEdit;
class QToolButton;

// The view of an integer field: an edit with two step buttons. Typing follows the field's rule
// (refused characters and characters beyond its maximum length beep and change nothing), text
// edits go to the model as typed, losing the focus corrects the text to the limits, and the
// step buttons and the Up/Down keys step the model. The model outlives the widget.
class IntFieldWidget : public QWidget {
    Q_OBJECT
public:
    IntFieldWidget(IntField& model, const char* name, Guard guard, QWidget* parent = nullptr);

    QLineEdit* line_edit() const { return edit_; }
    QToolButton* up_button() const { return up_; }
    QToolButton* down_button() const { return down_; }

signals:
    // A typed character was refused (after the beep).
    void typing_refused();

private:
    // The edit with its two step buttons stacked at its right.
    void lay_out();
    // The typing rule: true when the key was handled here (a step, or refused).
    bool take_key(QKeyEvent& event);
    void show_model_text();
    void refuse();

    IntField& model_;
    Guard guard_;
    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
};
