#pragma once

#include <QSize>

// How the room beyond the window's design size is shared: the results and the queue group take
// half of the new height each, and within the queue group the queue list and the log strip half
// of that each; the lists take the new width, and in the log strip the log and "Downloading now"
// half of it each. A window at or below its design size keeps the design's sizes.
struct WindowGrowth {
    int extra_width = 0;
    int queue_group_height = 0;
    int log_strip_height = 0;
    int downloading_now_width = 0;
};

struct WindowDesign {
    QSize client;
    int queue_group_height;
    int log_strip_height;
    int downloading_now_width;
};

WindowGrowth window_growth(const WindowDesign& design, QSize client);
