#pragma once

// The statistics texts of a "downloading data" progress report.

#include "download/hresult.h"

#include <chrono>
#include <string>

struct ProgressTexts {
    std::string ElapsedTime;
    std::string Speed;
    std::string EstimatedTime;
};

// progress bytes after `elapsed`, of progress_max (0: unknown).
ProgressTexts progress_statistics(Cardinal progress, Cardinal progress_max, std::chrono::milliseconds elapsed);

// A duration as a time of day, "hh:mm:ss" (whole days dropped, fractions of a second cut).
std::string long_time_text(double seconds);
// Kilobytes per second as general floating-point text cut two characters behind the decimal
// point, followed by " kb/sec".
std::string speed_text(double kilobytes_per_second);
