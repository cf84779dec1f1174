#include "gui/memo_view.h"

#include "model/app/controls/memo.h"
#include "gui/simple_bindings.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// One model line must stay one block, or line indexes and blocks would drift apart.
QString display_line(std::string_view bytes) {
    QString text = to_qstring(bytes);
    for (QChar& c : text)
        if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u' ';
    return text;
}

}  // namespace

MemoView::MemoView(Memo& model, const char* name, bool word_wrap, QWidget* parent)
    : QPlainTextEdit(parent), model_(model) {
    setObjectName(name);
    setReadOnly(true);
    // Appending from code would otherwise keep every line again in the undo history.
    setUndoRedoEnabled(false);
    setLineWrapMode(word_wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    redraw();
    connect(&model_, &Memo::line_added, this, &MemoView::on_line_added);
    connect(&model_, &Memo::line_removed, this, &MemoView::on_line_removed);
    connect(&model_, &Memo::lines_reset, this, &MemoView::redraw);
}

void MemoView::on_line_added(int index) {
    if (index != shown_lines_ || index != model_.count() - 1) {
        redraw();  // out of step with the model: start again from it
        return;
    }
    const QString line = display_line(model_.full_line(index));
    if (shown_lines_ == 0) {
        setPlainText(line);
    } else {
        // Follow the end only when the user is already there; keep their place otherwise.
        QScrollBar* bar = verticalScrollBar();
        const bool at_end = bar->value() == bar->maximum();
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock();
        cursor.insertText(line);
        if (at_end) bar->setValue(bar->maximum());
    }
    ++shown_lines_;
}

void MemoView::on_line_removed(int index) {
    if (index < 0 || index >= shown_lines_ || shown_lines_ != model_.count() + 1) {
        redraw();
        return;
    }
    if (shown_lines_ == 1) {
        clear();
        shown_lines_ = 0;
        return;
    }
    QTextCursor cursor(document()->findBlockByNumber(index));
    if (index + 1 < shown_lines_) {
        // The line and the break after it.
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    } else {
        // The last line and the break before it.
        cursor.movePosition(QTextCursor::PreviousBlock);
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
    --shown_lines_;
}

void MemoView::redraw() {
    QString text;
    for (int i = 0; i < model_.count(); ++i) {
        if (i > 0) text += u'\n';
        text += display_line(model_.full_line(i));
    }
    setPlainText(text);
    shown_lines_ = model_.count();
}
