#include "analysis/forum_figures.h"

#include "analysis/number_text.h"

std::string average_text(const ForumFigures& figures) {
    return figures.numbers > 0 ? decimal_text(figures.average) : std::string();
}

std::string max_text(const ForumFigures& figures) {
    return figures.numbers > 0 ? decimal_text(figures.max) : std::string();
}

std::string newest_post_text(const ForumFigures& figures) {
    return figures.newest_post ? calendar_day_text(*figures.newest_post) : std::string();
}
