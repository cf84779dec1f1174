#pragma once

#include "gui/guard.h"

class CheckBox;
class QCheckBox;
class QWidget;

// A check box bound both ways to its model and named after the control (objectName): what the
// user ticks goes to the model, what code sets is shown. The model must outlive the widget.
// Event-loop thread only.
QCheckBox* make_check_box(CheckBox& model, const char* name, const Guard& guard, QWidget* parent);
