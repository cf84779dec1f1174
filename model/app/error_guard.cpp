#include "model/app/error_guard.h"

#include <cstdio>
#include <new>

namespace {

void report(const ErrorSink& sink, const std::string& message) noexcept {
    try {
        if (sink) {
            sink(message);
            return;
        }
    } catch (...) {
        // A failing sink must not take the loop down; fall back to standard error.
    }
    std::fprintf(stderr, "%s\n", message.c_str());
}

}  // namespace

void run_guarded(const ErrorSink& sink, const std::function<void()>& action) noexcept {
    try {
        action();
    } catch (const std::bad_alloc&) {
        report(sink, "Out of memory");
    } catch (const std::exception& error) {
        report(sink, error.what());
    } catch (...) {
        report(sink, "Unknown error");
    }
}
