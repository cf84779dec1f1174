#include "app/Downloaddemo_U.h"
#include "download/moniker_layer.h"
#include "gui/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to its entry (ravelmoot.desktop) and the entry's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("ravelmoot"));
    try {
        // The download layer first (library start), then the window model, then its view.
        MonikerLayer layer;
        TForm1 form(layer);
        MainWindow window(form);
        window.show();
        app.exec();
    } catch (...) {
        // An error that escaped the loop ends the program quietly.
    }
    return 0;
}
