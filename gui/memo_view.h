#pragma once

#include <QPlainTextEdit>

class Memo;

// A read-only view of a memo's lines. It follows the model line by line: an added line is
// appended, a removed line is cut out, and only a reset redraws the whole text, so a log of
// many thousands of lines costs one append per line. The model outlives the view.
class MemoView : public QPlainTextEdit {
    Q_OBJECT
public:
    MemoView(Memo& model, const char* name, bool word_wrap, QWidget* parent = nullptr);

    // How many of the model's lines the view shows (test hook for the incremental path).
    int shown_lines() const { return shown_lines_; }

private:
    void on_line_added(int index);
    void on_line_removed(int index);
    void redraw();

    Memo& model_;
    int shown_lines_ = 0;
};
