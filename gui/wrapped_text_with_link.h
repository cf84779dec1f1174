#pragma once

#include <QWidget>

class QLabel;
class LinkLabel;

// A word-wrapped text in a box of fixed size with a link placed right after the end of the
// text's last line, as one sentence ending in a link. Takes no ownership of the models behind
// the two labels; the labels become its children.
class WrappedTextWithLink : public QWidget {
    Q_OBJECT
public:
    WrappedTextWithLink(QLabel* text, QSize text_box, LinkLabel* link, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool event(QEvent* event) override;

private:
    void place_link();

    QLabel* text_;
    QSize text_box_;
    LinkLabel* link_;
};
