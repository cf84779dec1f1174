#include "model/app/Downloaddemo_U.h"
#include "model/app/command_line.h"
#include "model/app/private_searx.h"
#include "model/app/program_failure.h"
#include "model/app/program_search.h"
#include "model/app/search_settings.h"
#include "model/app/window_arguments.h"
#include "download/moniker_layer.h"
#include "gui/main_window.h"
#include "gui/window_state.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>

#include <cstdio>

int main(int argc, char** argv) {
    // Before the window system: --help and a wrong option need no display.
    WindowArguments arguments = parse_window_arguments({argv + 1, argv + argc});
    if (arguments.options.help) {
        std::fputs(window_usage().c_str(), stdout);
        return 0;
    }
    const auto refuse = [](const WindowArguments& refused) {
        std::fprintf(stderr, "ravelmoot: %s\n", refused.error.c_str());
        return kBadArgumentsExit;
    };
    if (!arguments.error.empty() && !arguments.maybe_qt_option) return refuse(arguments);
    QApplication app(argc, argv);
    if (!arguments.error.empty()) {
        arguments = parse_window_arguments({argv + 1, argv + argc});
        if (!arguments.error.empty()) return refuse(arguments);
    }
    // Lets the desktop match the window to its entry (ravelmoot.desktop) and the entry's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("ravelmoot"));
    return run_reporting_failure("ravelmoot", [&] {
        QSettings settings(search_settings_file(), QSettings::IniFormat);
        // The download layer first (library start), then the window model, then its view.
        MonikerLayer layer;
        TForm1 form(layer);
        // The remembered search, then this start's options over it; only later changes are written.
        restore_search_settings(form, settings);
        // Stopped when the window closes (and by the system when it is killed).
        PrivateSearx searx;
        if (!names_search(arguments.options))
            choose_answering_search(form, searx, "ravelmoot",
                                    [](const std::string& line) { std::fprintf(stderr, "ravelmoot: %s\n", line.c_str()); });
        apply_search_options(form, arguments.options);
        remember_search_settings(form, settings);
        MainWindow window(form);
        QList<QRect> screens;
        for (const QScreen* screen : QGuiApplication::screens()) screens.append(screen->availableGeometry());
        restore_window_state(window, settings, screens);
        window.show();
        const int status = app.exec();
        save_window_state(window, settings);
        return status;
    });
}
