#include "gui/simple_bindings.h"

#include "model/app/controls/button.h"
#include "model/app/controls/label.h"
#include "model/app/controls/page_control.h"
#include "model/app/controls/progress_bar.h"
#include "model/app/controls/text_field.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

QString to_qstring(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string to_bytes(const QString& text) { return text.toUtf8().toStdString(); }

QLabel* make_label(Label& model, const char* name, QWidget* parent) {
    auto* label = new QLabel(to_qstring(model.caption()), parent);
    label->setObjectName(name);
    // Captions come from pages and the pipeline; they are never markup.
    label->setTextFormat(Qt::PlainText);
    QObject::connect(&model, &Label::changed, label, [label, &model] { label->setText(to_qstring(model.caption())); });
    return label;
}

QString plain_tooltip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

QLabel* make_field_label(const char* caption, const char* name, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(buddy);
    return label;
}

QPushButton* make_button(Button& model, const char* name, const Guard& guard, QWidget* parent) {
    auto* button = new QPushButton(to_qstring(model.caption()), parent);
    button->setObjectName(name);
    button->setEnabled(model.enabled());
    QObject::connect(&model, &Button::changed, button, [button, &model] {
        button->setText(to_qstring(model.caption()));
        button->setEnabled(model.enabled());
    });
    QObject::connect(button, &QPushButton::clicked, button, [guard, &model] { guard([&model] { model.click(); }); });
    return button;
}

QLineEdit* make_text_field(TextField& model, const char* name, const Guard& guard, QWidget* parent) {
    auto* edit = new QLineEdit(to_qstring(model.text()), parent);
    edit->setObjectName(name);
    // textEdited comes from the user only, so the echo below never loops back.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [guard, &model](const QString& text) {
        guard([&model, &text] { model.set_text(to_bytes(text)); });
    });
    QObject::connect(&model, &TextField::changed, edit, [edit, &model] {
        const QString shown = to_qstring(model.text());
        if (edit->text() != shown) edit->setText(shown);
    });
    return edit;
}

QProgressBar* make_progress_bar(ProgressBar& model, const char* name, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setTextVisible(false);
    const auto show = [bar, &model] {
        // A range of 0 to 0 would make the bar run to and fro as if busy.
        bar->setRange(0, std::max(model.total(), 1));
        bar->setValue(model.done());
    };
    show();
    QObject::connect(&model, &ProgressBar::changed, bar, show);
    return bar;
}

void bind_page_control(QTabWidget& tabs, PageControl& model, const Guard& guard) {
    tabs.setCurrentIndex(model.active_page());
    QObject::connect(&tabs, &QTabWidget::currentChanged, &tabs, [guard, &model](int index) {
        guard([&model, index] { model.set_active_page(index); });
    });
    QObject::connect(&model, &PageControl::changed, &tabs, [&tabs, &model] {
        if (tabs.currentIndex() != model.active_page()) tabs.setCurrentIndex(model.active_page());
    });
}
