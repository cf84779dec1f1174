#pragma once

#include <functional>
#include <stdexcept>
#include <string>

// An error that a handler raises with the program's own message text; the guard shows it.
class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Receives the text of an error that reached the guard: a message box in the window,
// standard error in a tool without a window.
using ErrorSink = std::function<void(const std::string& message)>;

// Runs action and hands any exception's text to sink. Used at every entry from the event loop
// into the program (user action, timer tick, download notification) so that no exception
// crosses a Qt or libcurl frame. Never throws.
void run_guarded(const ErrorSink& sink, const std::function<void()>& action) noexcept;
