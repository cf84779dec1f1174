#pragma once

#include "gui/guard.h"
#include "gui/list_sort_proxy.h"

#include <QTreeView>

#include <map>
#include <string>

class ListView;
struct PopupMenu;
class QMenu;

// What a list view keeps between starts: the widths the person gave columns, by caption, and the
// column it sorts by. Never the rows.
struct ListViewLook {
    std::map<std::string, int> widths;
    int sort_column = -1;
    std::string sort_caption;
    Qt::SortOrder sort_order = Qt::AscendingOrder;
};

// A report-style view of a list model: the model's columns with their widths (applied again
// whenever the columns change; a column the user resizes sets the model's width), its rows,
// and its selected row kept in step both ways.
// A double-click selects the row and runs the double-click action; a right-click shows the
// context menu built from the popup menu's items, whose open and save commands also answer the
// usual keys while the list has the keyboard. Clicking a column header sorts the rows shown by
// that column, a second click reverses, a third shows the list's own order again; only the
// view is sorted (ListSortProxy). A cell whose text the column cuts shows it whole as a tooltip.
// The model outlives the view.
class ListViewWidget : public QTreeView {
    Q_OBJECT
public:
    ListViewWidget(ListView& model, const char* name, Guard guard, std::function<void()> on_double_click,
                   const PopupMenu* menu, QWidget* parent = nullptr);

    // The context menu shown on a right-click, or null for a list without one.
    QMenu* context_menu() const { return context_menu_; }

    // Width the view has beyond its design; the first two columns (URL and Description) share
    // it, so a wider window shows more of both while the list's own widths stay as they are.
    void set_room(int extra_width);
    // Where the model's index is shown, and which model index a shown one stands for.
    QModelIndex shown_index(const QModelIndex& model_index) const;
    QModelIndex model_index(const QModelIndex& shown) const;

    // The widths of the columns now shown and those chosen before, and the sort.
    ListViewLook look() const;
    // Gives the columns now shown their widths by caption, in the list as a resize by the person
    // would, and sorts as told; later layouts bring their own widths, as always.
    void set_look(const ListViewLook& look);

protected:
    bool viewportEvent(QEvent* event) override;

private:
    void set_up_report_style();
    // Keeps the view in step with the model's columns, rows and selection, and back.
    void follow_model();
    void add_context_menu(const PopupMenu& menu);
    void on_header_clicked(int section);
    void apply_sort();
    void add_standard_keys();
    void apply_column_widths();
    void show_model_selection();
    void take_view_selection();
    // The part of room_ that column takes: half to each of the first two (the odd pixel to the
    // URL), all of it to the only column.
    int room_of(int column) const;

    ListView& model_;
    Guard guard_;
    std::function<void()> on_double_click_;
    QMenu* context_menu_ = nullptr;
    bool syncing_ = false;
    ListSortProxy* sorted_;
    int room_ = 0;
    // What the user asked to sort by, by position and caption: a new layout that keeps the
    // caption in its place keeps the order.
    int sort_column_ = -1;
    std::string sort_caption_;
    Qt::SortOrder sort_order_ = Qt::AscendingOrder;
    bool applying_widths_ = false;  // widths going from model to view or back: no echo
    // Widths given by caption (set_look), kept for the captions the list does not show now.
    std::map<std::string, int> remembered_widths_;
};

// A menu with the popup menu's items in order; choosing one runs its action guarded.
QMenu* make_popup_menu(const PopupMenu& menu, const Guard& guard, QWidget* parent);
