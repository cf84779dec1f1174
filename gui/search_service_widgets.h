#pragma once

// The Options page's search fields: "Search service" (drop-down), "Search host", "API key"
// (masked), "Search phrase", "Results language" and "Region" (drop-downs), each bound both ways to its model on the form. Event-loop thread only; the
// form must outlive the widgets.

#include "gui/guard.h"

class ComboBox;
class QComboBox;
class QGridLayout;
class QWidget;
class TForm1;

// A drop-down following the model's entries and chosen position; the user's choice goes to the model.
QComboBox* make_combo_box(ComboBox& model, const char* name, const Guard& guard, QWidget* parent);
// Adds the search fields with their labels to the Options page's grid: "Search phrase" in row 2
// of columns 3 and 4 (below the time-outs), "Search service", "Search host" and "API key" in
// rows 0 to 2 of columns 6 and 7, and in row 4 "Results language" in columns 3 and 4 and
// "Region" in columns 6 and 7.
void add_search_service_fields(TForm1& form, const Guard& guard, QGridLayout& grid, QWidget* page);
