#include "app/window_arguments.h"

#include "app/command_line.h"

WindowArguments parse_window_arguments(const std::vector<std::string>& args) {
    ParsedCommandLine parsed = parse_command_line(Program::Window, args);
    WindowArguments window{.options = std::move(parsed.values), .error = std::move(parsed.error)};
    if (window.error.empty() && !parsed.positional.empty())
        window.error = "unexpected argument '" + parsed.positional.front() + "' (see --help)";
    for (const auto& arg : args)
        window.maybe_qt_option = window.maybe_qt_option || (arg.size() > 1 && arg[0] == '-' && arg[1] != '-');
    window.maybe_qt_option = window.maybe_qt_option && !window.error.empty();
    return window;
}

std::string window_usage() {
    return "Usage: ravelmoot [OPTION]...\n"
           "Opens the Ravelmoot window, which finds forums on a keyword through a web search and rates\n"
           "how busy each one is. The window remembers the search service, its host and the search\n"
           "phrase between starts; an option here chooses for this start only.\n"
           "\n" +
           options_usage(Program::Window);
}
