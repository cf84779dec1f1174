#include "gui/main_window.h"

#include "app/Downloaddemo_U.h"

MainWindow::MainWindow(TForm1& form, QWidget* parent) : QMainWindow(parent), form_(form) {
    setWindowTitle(QString::fromUtf8(TForm1::kCaption));
}
