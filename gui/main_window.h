#pragma once

#include <QMainWindow>

class TForm1;

// The view of the window model: draws TForm1 and forwards what the user does.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(TForm1& form, QWidget* parent = nullptr);

private:
    TForm1& form_;
};
