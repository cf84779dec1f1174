#include "gui/window_growth.h"

#include <algorithm>

WindowGrowth window_growth(const WindowDesign& design, QSize client) {
    const int wider = std::max(0, client.width() - design.client.width());
    const int taller = std::max(0, client.height() - design.client.height());
    WindowGrowth growth;
    growth.extra_width = wider;
    growth.queue_group_height = design.queue_group_height + taller / 2;
    growth.log_strip_height = design.log_strip_height + taller / 4;
    growth.downloading_now_width = design.downloading_now_width + wider / 2;
    return growth;
}
