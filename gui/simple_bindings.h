#pragma once

// Widgets for the controls that need no class of their own: each is created bound both ways
// to its model and named after the control (objectName). The models must outlive the widgets;
// the connections end with the widgets. Event-loop thread only.

#include "gui/guard.h"

#include <QString>

#include <string>
#include <string_view>

class Button;
class Label;
class PageControl;
class ProgressBar;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QWidget;
class TextField;

QString to_qstring(std::string_view bytes);
std::string to_bytes(const QString& text);
// A tooltip that shows text as it is: Qt draws a tooltip that looks like markup as markup, and
// texts from the web may (a forum's description holding "<b>"); those are escaped.
QString plain_tooltip(const QString& text);

// A plain-text label following the model's caption.
QLabel* make_label(Label& model, const char* name, QWidget* parent);
// A field's fixed plain-text caption; the field is its buddy.
QLabel* make_field_label(const char* caption, const char* name, QWidget* buddy, QWidget* parent);
// A push button following caption and enabled flag; a click runs the model's action guarded.
QPushButton* make_button(Button& model, const char* name, const Guard& guard, QWidget* parent);
// A one-line edit: what the user types goes to the model, what code sets is shown.
QLineEdit* make_text_field(TextField& model, const char* name, const Guard& guard, QWidget* parent);
// A bar following the model's done and total; empty while there is no total.
QProgressBar* make_progress_bar(ProgressBar& model, const char* name, QWidget* parent);
// Keeps a tab widget's current page and the model's active page the same.
void bind_page_control(QTabWidget& tabs, PageControl& model, const Guard& guard);
