#include "gui/int_field_widget.h"
#include "tests/gui/window_fixture.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QToolButton>

namespace {

void lose_focus(QWidget* target, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(target, &out);
}

}  // namespace

class ThreadsFieldTest : public WindowTest {
protected:
    ThreadsFieldTest() {
        field_ = find<IntFieldWidget>("allowed_threads");
        edit_ = field_->line_edit();
        QObject::connect(field_, &IntFieldWidget::typing_refused, [this] { ++refused_; });
    }
    std::string shown() const { return edit_->text().toStdString(); }

    IntFieldWidget* field_;
    QLineEdit* edit_;
    int refused_ = 0;
};

TEST_F(ThreadsFieldTest, RefusesLettersEnterAndASecondCharacterWithABeep) {
    edit_->selectAll();
    type_char(edit_, u'x');
    press_key(edit_, Qt::Key_Return, "\r");
    EXPECT_EQ(refused_, 2);
    EXPECT_EQ(shown(), "2");
    EXPECT_EQ(form_->allowed_threads.text(), "2");

    // Typing over the selection leaves one character: accepted and passed to the model.
    type_char(edit_, u'0');
    EXPECT_EQ(shown(), "0");
    EXPECT_EQ(form_->allowed_threads.text(), "0");
    type_char(edit_, u'5');
    EXPECT_EQ(refused_, 3);
    EXPECT_EQ(shown(), "0");

    // Pasted text is held to the same length.
    edit_->selectAll();
    edit_->insert("34");
    EXPECT_EQ(shown(), "0");

    // Backspace is a control key and goes through; so do the sign characters.
    press_key(edit_, Qt::Key_Backspace, "\b");
    EXPECT_EQ(shown(), "");
    type_char(edit_, u'-');
    EXPECT_EQ(shown(), "-");
    EXPECT_EQ(refused_, 3);
}

TEST_F(ThreadsFieldTest, LosingFocusCorrectsToTheNearestLimit) {
    edit_->selectAll();
    type_char(edit_, u'0');
    // Another window (a message box) taking the keyboard is not leaving the field.
    lose_focus(edit_, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(shown(), "0");
    lose_focus(edit_);
    EXPECT_EQ(shown(), "1");
    EXPECT_EQ(form_->allowed_threads.text(), "1");
    EXPECT_EQ(form_->pipeline.parallel_limit, 1);  // the change handler ran
}

TEST_F(ThreadsFieldTest, StepsStopAtTheUpperLimit) {
    for (int i = 0; i < 30; ++i) press_key(edit_, Qt::Key_Up);
    EXPECT_EQ(shown(), "25");
    field_->up_button()->click();
    EXPECT_EQ(shown(), "25");
    EXPECT_EQ(form_->pipeline.parallel_limit, 25);
    // A stepped value longer than the typing limit still shows whole.
    field_->down_button()->click();
    press_key(edit_, Qt::Key_Down);
    EXPECT_EQ(shown(), "23");
    EXPECT_EQ(refused_, 0);
}

TEST_F(ThreadsFieldTest, FollowsTheModelWithoutFightingIt) {
    form_->allowed_threads.set_value(7);
    EXPECT_EQ(shown(), "7");
    form_->allowed_threads.set_enabled(false);
    EXPECT_FALSE(field_->isEnabled());
    form_->allowed_threads.set_enabled(true);
    EXPECT_TRUE(field_->isEnabled());

    // The model's echo of typed text keeps the caret where the user left it.
    auto* timeout = find<IntFieldWidget>("timeout_normal")->line_edit();
    timeout->setCursorPosition(2);
    type_char(timeout, u'5');
    EXPECT_EQ(timeout->text(), "105000");
    EXPECT_EQ(timeout->cursorPosition(), 3);
    EXPECT_EQ(form_->timeout_normal.text(), "105000");
    // A field without limits keeps what was typed when it loses the focus.
    timeout->selectAll();
    type_char(timeout, u'-');
    lose_focus(timeout);
    EXPECT_EQ(form_->timeout_normal.text(), "-");
}
