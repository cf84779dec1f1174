#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <string>
#include <vector>

class ListView;

// The geometry of the forum map, apart from any widget: which rows of the results list are
// rated forums, and where and how large each is drawn. Across, the day of the newest post
// (newest on the right), with the forums that show no date in a strip of their own at the left
// edge; up, the posts average on a logarithmic axis (of 1 + average, so that 0 has its place);
// the point's area grows with the logarithm of the posts maximum.

// A rated forum: a results row whose posts average and maximum are whole numbers.
struct MapForum {
    int row = -1;  // in the results list's own order
    double average = 0;
    double max = 0;
    std::optional<int> day;  // the newest post, in days since 1970-01-01
};

// The rated forums of the list (rows whose figures hold counts), in its order. A loaded list
// whose columns are not the forum stage's (the search stage's, a queue file loaded as results)
// has none; a list saved before the newest post column has only undated ones.
std::vector<MapForum> rated_forums(const ListView& results);

// Where the map draws within a widget of some size, and the ranges its axes show.
struct MapFrame {
    QRectF plot;     // the dated points and the axes' ticks
    QRectF undated;  // the strip left of the plot
    int first_day = 0;
    int last_day = 1;
    double top = 1;          // log10(1 + the largest average on the axis), at least 1
    double largest_max = 0;  // the largest posts maximum, which gets the largest point
};

MapFrame map_frame(const std::vector<MapForum>& forums, QSizeF size);

struct MapPoint {
    QPointF center;
    double radius = 0;
    int row = -1;
};

// One point per forum, in the forums' order: later points are drawn over earlier ones. Undated
// points spread across their strip by row, so that they do not all hide behind one.
std::vector<MapPoint> place_forums(const MapFrame& frame, const std::vector<MapForum>& forums);

// The point under a position: of the points whose disc (at least a few pixels wide, so a small
// point can be hit) holds it, the one whose centre is nearest, the topmost among equals; -1 for none.
int point_at(const std::vector<MapPoint>& points, QPointF at);

// The values the average axis labels: 0, then the powers of ten up to the axis' top.
std::vector<double> average_ticks(const MapFrame& frame);
double average_y(const MapFrame& frame, double average);

// Days the date axis labels: the first and last day and evenly spread days between, at most count.
std::vector<int> day_ticks(const MapFrame& frame, int count);
double day_x(const MapFrame& frame, int day);
std::string day_text(int day);
