#pragma once

#include "gui/guard.h"

#include <QTreeView>

class ListView;
struct PopupMenu;
class QMenu;

// A report-style view of a list model: the model's columns with their widths (applied again
// whenever the columns change; a column the user resizes sets the model's width), its rows,
// and its selected row kept in step both ways.
// A double-click selects the row and runs the double-click action; a right-click shows the
// context menu built from the popup menu's items. The model outlives the view.
class ListViewWidget : public QTreeView {
    Q_OBJECT
public:
    ListViewWidget(ListView& model, const char* name, Guard guard, std::function<void()> on_double_click,
                   const PopupMenu* menu, QWidget* parent = nullptr);


    // The context menu shown on a right-click, or null for a list without one.
    QMenu* context_menu() const { return context_menu_; }

private:
    void apply_column_widths();
    void show_model_selection();
    void take_view_selection();

    ListView& model_;
    Guard guard_;
    std::function<void()> on_double_click_;
    QMenu* context_menu_ = nullptr;
    bool syncing_ = false;
    bool applying_widths_ = false;  // widths going from model to view or back: no echo
};

// A menu with the popup menu's items in order; choosing one runs its action guarded.
QMenu* make_popup_menu(const PopupMenu& menu, const Guard& guard, QWidget* parent);
