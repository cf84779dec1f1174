#include "model/app/Downloaddemo_U.h"
#include "model/app/private_searx.h"
#include "model/app/program_search.h"
#include "model/app/search_settings.h"
#include "runner/research_arguments.h"
#include "runner/research_session.h"
#include "download/moniker_layer.h"

#include <QCoreApplication>
#include <QSettings>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <utility>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int interrupt_pipe[2] = {-1, -1};

// Only writes a byte: the event loop picks it up and stops the research there.
void on_interrupt(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(interrupt_pipe[1], &byte, 1);
}

// Catches an exception where Qt hands an event to its receiver, before it could unwind through
// the event loop, and passes its text on.
class ResearchApplication : public QCoreApplication {
public:
    using QCoreApplication::QCoreApplication;
    ErrorSink on_escaped_error;

    bool notify(QObject* receiver, QEvent* event) override {
        bool handled = false;
        run_guarded(on_escaped_error, [&] { handled = QCoreApplication::notify(receiver, event); });
        return handled;
    }
};

}  // namespace

// A research without the window: the same window model, pipeline and download component under
// a core application, for scripts, schedules and machines without a display.
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedArguments parsed = parse_research_arguments(args);
    if (parsed.arguments.help) {
        std::fputs(research_usage().c_str(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "ravelmoot-research: %s\n", parsed.error.c_str());
        return research_exit::Failed;
    }

    ResearchApplication app(argc, argv);
    MonikerLayer layer;
    // Outlives the research that asks it; stopped on every way out of main.
    PrivateSearx searx;
    FormOptions options = default_form_options();
    options.setting_words = &kRunnerSettingWords;
    TForm1 form(layer, std::move(options));
    // A command line without a search takes the window's remembered one (never a key), or a
    // searx where that would be Google; one that names any part of it gets that and defaults.
    if (!parsed.arguments.forums_file && !names_search(parsed.arguments)) {
        restore_search_settings(form, QSettings(search_settings_file(), QSettings::IniFormat));
        choose_answering_search(form, searx, "ravelmoot-research",
                                [](const std::string& line) { std::fprintf(stderr, "ravelmoot-research: %s\n", line.c_str()); });
    }
    ResearchSession session(form, parsed.arguments);

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, interrupt_pipe) != 0) {
        std::perror("ravelmoot-research: socketpair");
        return research_exit::Failed;
    }
    QSocketNotifier interrupts(interrupt_pipe[0], QSocketNotifier::Read);
    QObject::connect(&interrupts, &QSocketNotifier::activated, &session, [&] {
        char byte;
        [[maybe_unused]] const auto got = ::read(interrupt_pipe[0], &byte, 1);
        session.interrupt();
    });
    struct sigaction action {};
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    int exit_code = 0;
    QObject::connect(&session, &ResearchSession::finished, &app, [&](int code) {
        exit_code = code;
        app.quit();
    });
    // Whatever escapes a handler ends the research with its files written, never an abort.
    app.on_escaped_error = [&](const std::string& message) { session.fail(message); };
    if (!session.start()) return research_exit::Failed;
    try {
        app.exec();
    } catch (const std::exception& error) {
        session.fail(error.what());
    } catch (...) {
        session.fail("Unknown error");
    }
    return exit_code;
}
