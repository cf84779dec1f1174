#include "gui/wrapped_text_with_link.h"

#include "gui/link_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QTextLayout>

WrappedTextWithLink::WrappedTextWithLink(QLabel* text, QSize text_box, LinkLabel* link, QWidget* parent)
    : QWidget(parent), text_(text), text_box_(text_box), link_(link) {
    text_->setParent(this);
    link_->setParent(this);
    text_->setWordWrap(true);
    // Top-left, so that the lines stand where the layout below computes them.
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setGeometry(QRect(QPoint(0, 0), text_box_));
    place_link();
}

QSize WrappedTextWithLink::sizeHint() const {
    const QRect both = text_->geometry().united(link_->geometry());
    return QSize(both.right() + 1, both.bottom() + 1);
}

bool WrappedTextWithLink::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::Polish:
    case QEvent::LayoutRequest:  // a child's text or size changed
        place_link();
        break;
    default:
        break;
    }
    return handled;
}

void WrappedTextWithLink::place_link() {
    // Break the text as the label does and find where its last line ends.
    QTextLayout layout(text_->text(), text_->font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    QTextLine last;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(text_box_.width());
        line.setPosition(QPointF(0, y));
        y += line.height();
        last = line;
    }
    layout.endLayout();
    const QSize link_size = link_->sizeHint();
    QPoint at(0, 0);
    if (last.isValid()) {
        const int space = QFontMetrics(text_->font()).horizontalAdvance(u' ');
        at = QPoint(qRound(last.x() + last.naturalTextWidth()) + space, qRound(last.y()));
    }
    const QRect wanted(at, link_size);
    if (link_->geometry() != wanted) {
        link_->setGeometry(wanted);
        updateGeometry();
    }
}
