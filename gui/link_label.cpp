#include "gui/link_label.h"

#include "model/app/controls/label.h"
#include "gui/simple_bindings.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(Label& model, const char* name, QWidget* parent)
    : QLabel(to_qstring(model.caption()), parent) {
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::blue);
    setPalette(colours);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    connect(&model, &Label::changed, this, [this, &model] { setText(to_qstring(model.caption())); });
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release over the label, as with a button.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit clicked();
}
