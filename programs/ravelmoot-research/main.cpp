#include "model/app/Downloaddemo_U.h"
#include "model/app/command_line.h"
#include "model/app/private_searx.h"
#include "model/app/program_search.h"
#include "model/app/search_settings.h"
#include "runner/research_arguments.h"
#include "runner/research_outputs.h"
#include "runner/research_session.h"
#include "runner/search_hint_words.h"
#include "download/moniker_layer.h"

#include <QCoreApplication>
#include <QSettings>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <optional>
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

void say(const std::string& line) { std::fprintf(stderr, "ravelmoot-research: %s\n", line.c_str()); }

// The exit status when the command line alone ends the program: help, or arguments it cannot
// use, or an output it could not write; checked before a searx starts or anything is downloaded.
std::optional<int> exit_before_research(const ParsedArguments& parsed) {
    if (parsed.arguments.help) {
        std::fputs(research_usage().c_str(), stdout);
        return 0;
    }
    std::string refusal = parsed.error;
    if (refusal.empty()) refusal = output_refusal(parsed.arguments);
    if (refusal.empty()) return std::nullopt;
    say(refusal);
    return research_exit::Failed;
}

// A command line without a search takes the window's remembered one (never a key), or a searx
// where that would be Google; one that names any part of it gets that and defaults.
void choose_search(TForm1& form, const ResearchArguments& arguments, PrivateSearx& searx, SearchHintWords& hints) {
    if (arguments.forums_file) return;
    if (names_search(arguments)) {
        apply_search_options(form, arguments);
        hints.name_options(form, arguments.search_host.has_value());
        return;
    }
    restore_search_settings(form, QSettings(search_settings_file(), QSettings::IniFormat));
    hints.name_choice(form, choose_answering_search(form, searx, "ravelmoot-research", say));
}

// Ctrl+C and SIGTERM stop the research through the event loop; false when that cannot be set up.
bool route_interrupts(ResearchSession& session, std::optional<QSocketNotifier>& notifier) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, interrupt_pipe) != 0) {
        std::perror("ravelmoot-research: socketpair");
        return false;
    }
    notifier.emplace(interrupt_pipe[0], QSocketNotifier::Read);
    QObject::connect(&*notifier, &QSocketNotifier::activated, &session, [&session] {
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
    return true;
}

// Runs the started research to its end; whatever escapes a handler ends it with its files
// written, never an abort.
int run_to_end(ResearchApplication& app, ResearchSession& session) {
    int exit_code = 0;
    QObject::connect(&session, &ResearchSession::finished, &app, [&](int code) {
        exit_code = code;
        app.quit();
    });
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

}  // namespace

// A research without the window: the same window model, pipeline and download component under
// a core application, for scripts, schedules and machines without a display.
int main(int argc, char** argv) {
    const ParsedArguments parsed = parse_research_arguments(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto code = exit_before_research(parsed)) return *code;

    ResearchApplication app(argc, argv);
    MonikerLayer layer;
    // Outlives the research that asks it; stopped on every way out of main.
    PrivateSearx searx;
    SearchHintWords hints;
    FormOptions options = default_form_options();
    options.setting_words = hints.words();
    TForm1 form(layer, std::move(options));
    choose_search(form, parsed.arguments, searx, hints);
    ResearchSession session(form, parsed.arguments);
    std::optional<QSocketNotifier> interrupts;
    if (!route_interrupts(session, interrupts)) return research_exit::Failed;
    return run_to_end(app, session);
}
