#pragma once

#include <QLabel>

class Label;

// A label drawn as a link (blue, underlined, hand cursor) that reports a left click.
// Follows its model's caption like any label.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(Label& model, const char* name, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};
