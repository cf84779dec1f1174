#pragma once

#include <cstdio>
#include <functional>

// Runs a program's body and returns its exit code. An exception that escapes the body, at start
// or out of the event loop, is printed as "<program>: <reason>" on err and gives exit code 1,
// so that neither the user nor a script takes a failed start for a clean run.
int run_reporting_failure(const char* program, const std::function<int()>& body, std::FILE* err = stderr) noexcept;
