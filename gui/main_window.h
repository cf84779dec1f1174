#pragma once

#include "gui/error_box.h"
#include "gui/guard.h"

#include <QMainWindow>

class ListViewWidget;
class QGridLayout;
class QGroupBox;
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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* build_research_page();
    QWidget* build_options_page();
    QWidget* build_about_page();
    QWidget* build_lower_area(QWidget* parent);

    TForm1& form_;
    Guard guard_;
    ErrorBox error_box_;

    // What takes the room when the window grows beyond its design size.
    ListViewWidget* results_ = nullptr;
    ListViewWidget* queue_ = nullptr;
    QGroupBox* queue_group_ = nullptr;
    QWidget* log_strip_ = nullptr;
    QGroupBox* downloading_now_group_ = nullptr;
    QGridLayout* research_grid_ = nullptr;
};
