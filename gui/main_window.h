#pragma once

#include "model/app/controls/file_dialog.h"
#include "gui/error_box.h"
#include "gui/guard.h"

#include <QMainWindow>

class ForumMap;
class ListViewWidget;
class QAction;
class QGridLayout;
class QGroupBox;
class QSplitter;
class QTabWidget;
class QWidget;
class TForm1;

// The view of the window model: draws TForm1's visible controls, keeps every widget in step
// with its model both ways, and forwards what the user does to the form under its guard. It
// installs the form's error sink, URL opener and file dialog runners and takes them back when
// it goes; the form must outlive the window. Event-loop thread only.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(TForm1& form, QWidget* parent = nullptr);
    ~MainWindow() override;

    ErrorBox& error_box() { return error_box_; }

    // Where the forum map is: not shown (the window as it always was), in a tab beside the
    // results list, or in a pane to its right. View > "Forum map" chooses.
    enum class MapPlace { Hidden, Tab, Pane };
    MapPlace map_place() const { return map_place_; }
    void set_map_place(MapPlace place);

    ListViewWidget* results_list() const { return results_; }
    ListViewWidget* queue_list() const { return queue_; }
    ForumMap* forum_map() const { return map_; }
    // The list's and the map's pane, once the map has been put beside the list; else null.
    QSplitter* results_splitter() const { return results_splitter_; }
    // File > "Export results as CSV..." asks this dialog for the file name.
    FileDialog& export_dialog() { return export_dialog_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* build_research_page();
    QWidget* build_options_page();
    QWidget* build_about_page();
    QWidget* build_lower_area(QWidget* parent);
    QWidget* build_results_area(QWidget* parent);
    void build_menus();
    // File > "Open list..." and "Save list...": for the list that has (or last had) the keyboard.
    void add_list_commands(QMenu& file);
    // The height the menu bar takes above the client area.
    int menu_height() const;

    TForm1& form_;
    Guard guard_;
    ErrorBox error_box_;

    // What takes the room when the window grows beyond its design size.
    ListViewWidget* results_ = nullptr;
    ListViewWidget* queue_ = nullptr;
    // The list that had the keyboard last: the File menu's list commands act on it.
    ListViewWidget* keyboard_list_ = nullptr;
    // Ended first on closing: the application reports focus changes while the widgets go away.
    QMetaObject::Connection follow_focus_;
    QGroupBox* queue_group_ = nullptr;
    QWidget* log_strip_ = nullptr;
    QGroupBox* downloading_now_group_ = nullptr;
    QGridLayout* research_grid_ = nullptr;

    ForumMap* map_ = nullptr;
    QWidget* results_area_ = nullptr;
    QTabWidget* results_tabs_ = nullptr;
    QSplitter* results_splitter_ = nullptr;
    MapPlace map_place_ = MapPlace::Hidden;
    QAction* map_actions_[3] = {};
    FileDialog export_dialog_;
};
