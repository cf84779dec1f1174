#pragma once

// The Options page's search-service fields: "Search service" (drop-down), "API key" (masked) and
// "Search phrase", each bound both ways to its model on the form. Event-loop thread only; the
// form must outlive the widgets.

#include "gui/guard.h"

class ComboBox;
class QComboBox;
class QGridLayout;
class QWidget;
class TForm1;

// A drop-down following the model's entries and chosen position; the user's choice goes to the model.
QComboBox* make_combo_box(ComboBox& model, const char* name, const Guard& guard, QWidget* parent);
// Adds the three fields with their labels to the grid, label in `column`, field beside it, from `row` down.
void add_search_service_fields(TForm1& form, const Guard& guard, QGridLayout& grid, int row, int column, QWidget* page);
