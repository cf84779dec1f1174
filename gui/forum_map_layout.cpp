#include "gui/forum_map_layout.h"

#include "analysis/calendar_day.h"
#include "model/app/controls/list_view.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Room for the axes' labels, and the strip of the forums without a date.
constexpr double kLeftLabels = 44;
constexpr double kUndatedWidth = 52;
constexpr double kGap = 8;
constexpr double kTopMargin = 10;
constexpr double kRightMargin = 16;
constexpr double kBottomLabels = 22;
constexpr double kSmallestRadius = 2.5;
constexpr double kLargestRadius = 11;
constexpr double kHitRadius = 4;

double log_position(double value) { return std::log10(1 + value); }

}  // namespace

std::vector<MapForum> rated_forums(const ListView& results) {
    std::vector<MapForum> forums;
    forums.reserve(static_cast<std::size_t>(results.item_count()));
    for (int row = 0; row < results.item_count(); ++row) {
        const ForumFigures& figures = results.item(row).facts.result.figures;
        if (figures.numbers == 0) continue;
        MapForum forum{row, static_cast<double>(figures.average), static_cast<double>(figures.max), std::nullopt};
        if (figures.newest_post) forum.day = static_cast<int>(figures.newest_post->time_since_epoch().count());
        forums.push_back(forum);
    }
    return forums;
}

MapFrame map_frame(const std::vector<MapForum>& forums, QSizeF size) {
    MapFrame frame;
    const double left = kLeftLabels + kUndatedWidth + kGap;
    frame.plot = QRectF(left, kTopMargin, std::max(1.0, size.width() - left - kRightMargin),
                        std::max(1.0, size.height() - kTopMargin - kBottomLabels));
    frame.undated = QRectF(kLeftLabels, kTopMargin, kUndatedWidth, frame.plot.height());
    int first = std::numeric_limits<int>::max();
    int last = std::numeric_limits<int>::min();
    double largest_average = 0;
    for (const MapForum& forum : forums) {
        largest_average = std::max(largest_average, forum.average);
        frame.largest_max = std::max(frame.largest_max, forum.max);
        if (!forum.day) continue;
        first = std::min(first, *forum.day);
        last = std::max(last, *forum.day);
    }
    if (first > last) first = last = 0;
    // A single day still spans an axis: a day either side.
    if (first == last) {
        --first;
        ++last;
    }
    frame.first_day = first;
    frame.last_day = last;
    frame.top = std::max(1.0, std::ceil(log_position(largest_average)));
    return frame;
}

double average_y(const MapFrame& frame, double average) {
    // Points stay within the plot by their largest radius.
    const double usable = std::max(0.0, frame.plot.height() - 2 * kLargestRadius);
    return frame.plot.bottom() - kLargestRadius - usable * log_position(average) / frame.top;
}

double day_x(const MapFrame& frame, int day) {
    const double usable = std::max(0.0, frame.plot.width() - 2 * kLargestRadius);
    return frame.plot.left() + kLargestRadius + usable * (day - frame.first_day) / (frame.last_day - frame.first_day);
}

std::vector<MapPoint> place_forums(const MapFrame& frame, const std::vector<MapForum>& forums) {
    std::vector<MapPoint> points;
    points.reserve(forums.size());
    const double size_scale = frame.largest_max > 0 ? 1 / log_position(frame.largest_max) : 0;
    const double strip = std::max(0.0, frame.undated.width() - 2 * kSmallestRadius);
    for (const MapForum& forum : forums) {
        MapPoint point;
        point.row = forum.row;
        point.radius = kSmallestRadius + (kLargestRadius - kSmallestRadius) * std::sqrt(log_position(forum.max) * size_scale);
        // Undated rows in turn across the strip, a fixed step apart by row (7 of 16 steps: coprime,
        // so neighbouring rows land far apart).
        const double x = forum.day ? day_x(frame, *forum.day)
                                   : frame.undated.left() + kSmallestRadius + strip * ((forum.row * 7) % 16) / 15.0;
        point.center = QPointF(x, average_y(frame, forum.average));
        points.push_back(point);
    }
    return points;
}

int point_at(const std::vector<MapPoint>& points, QPointF at) {
    int best = -1;
    double best_distance = std::numeric_limits<double>::max();
    for (int i = static_cast<int>(points.size()) - 1; i >= 0; --i) {
        const MapPoint& point = points[static_cast<std::size_t>(i)];
        const double dx = point.center.x() - at.x();
        const double dy = point.center.y() - at.y();
        const double distance = std::sqrt(dx * dx + dy * dy);
        if (distance <= std::max(point.radius, kHitRadius) && distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    return best;
}

std::vector<double> average_ticks(const MapFrame& frame) {
    std::vector<double> ticks{0};
    // 10^top itself sits a hair above the top (log10(1 + 10^top)) and still gets its label.
    for (double value = 1; log_position(value) <= frame.top + 0.01; value *= 10) ticks.push_back(value);
    return ticks;
}

std::vector<int> day_ticks(const MapFrame& frame, int count) {
    const int span = frame.last_day - frame.first_day;
    count = std::clamp(count, 2, span + 1);
    std::vector<int> ticks;
    for (int i = 0; i < count; ++i) {
        const int day = frame.first_day + static_cast<int>(std::lround(static_cast<double>(span) * i / (count - 1)));
        if (ticks.empty() || ticks.back() != day) ticks.push_back(day);
    }
    return ticks;
}

std::string day_text(int day) { return calendar_day_text(CalendarDay(std::chrono::days(day))); }
