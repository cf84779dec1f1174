#include "download/progress_statistics.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr long long seconds_per_minute = 60;
constexpr long long seconds_per_hour = 60 * seconds_per_minute;
constexpr long long seconds_per_day = 24 * seconds_per_hour;
constexpr double milliseconds_per_second = 1000.0;
constexpr double bytes_per_kilobyte = 1000.0;  // as the speed text has always counted

}  // namespace

std::string long_time_text(double seconds) {
    const auto whole = static_cast<long long>(std::floor(seconds));
    const long long of_day = ((whole % seconds_per_day) + seconds_per_day) % seconds_per_day;
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", of_day / seconds_per_hour,
                  of_day / seconds_per_minute % seconds_per_minute, of_day % seconds_per_minute);
    return text;
}

std::string speed_text(double kilobytes_per_second) {
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.15g", kilobytes_per_second);
    std::string text = digits;
    const std::size_t point = text.find('.');
    if (point != std::string::npos && text.size() > point + 3) text.resize(point + 3);
    return text + " kb/sec";
}

ProgressTexts progress_statistics(Cardinal progress, Cardinal progress_max, std::chrono::milliseconds elapsed) {
    ProgressTexts texts;
    const double seconds = static_cast<double>(elapsed.count()) / milliseconds_per_second;
    texts.ElapsedTime = long_time_text(seconds);
    if (seconds <= 0) return texts;
    const double rate = static_cast<double>(progress) / seconds;  // bytes per second
    texts.Speed = speed_text(rate / bytes_per_kilobyte);
    if (progress_max != 0 && rate > 0) {
        const Cardinal remaining = progress_max - progress;  // wraps as unsigned 32-bit
        texts.EstimatedTime = long_time_text(static_cast<double>(remaining) / rate);
    }
    return texts;
}
