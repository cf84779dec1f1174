#include "model/app/program_failure.h"

#include "model/app/error_guard.h"

#include <string>

int run_reporting_failure(const char* program, const std::function<int()>& body, std::FILE* err) noexcept {
    int exit_code = 1;
    run_guarded([&](const std::string& reason) { std::fprintf(err, "%s: %s\n", program, reason.c_str()); },
                [&] { exit_code = body(); });
    return exit_code;
}
