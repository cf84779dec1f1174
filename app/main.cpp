#include "app/Downloaddemo_U.h"
#include "app/program_failure.h"
#include "download/moniker_layer.h"
#include "gui/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to its entry (ravelmoot.desktop) and the entry's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("ravelmoot"));
    return run_reporting_failure("ravelmoot", [&] {
        // The download layer first (library start), then the window model, then its view.
        MonikerLayer layer;
        TForm1 form(layer);
        MainWindow window(form);
        window.show();
        return app.exec();
    });
}
