#pragma once

#include "app/program_options.h"

#include <string>
#include <vector>

// The window's command line: the search options only, so that scripts and desktop entries can
// choose the service. The API key is never taken from a command line.
struct WindowArguments {
    OptionValues options;
    std::string error;  // one line for standard error; empty when the arguments are usable
    // The error may be an option of Qt's own (-style, -session, ...), which the application
    // takes out of the arguments when it starts: ask again then.
    bool maybe_qt_option = false;
};

WindowArguments parse_window_arguments(const std::vector<std::string>& args);

std::string window_usage();
