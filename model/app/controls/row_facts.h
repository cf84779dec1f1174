#pragma once

#include "analysis/forum_figures.h"
#include "analysis/no_figures_reason.h"

#include <optional>

#include <string>

// What a research knows of a list row beyond the text of its columns: kept with the row, so that
// sorting, the window and the runner all see the same values. List files keep the columns only.
struct RowFacts {
    // The forum page as its reader returned it: counts, engine, newest post.
    ForumFigures figures = {};
    // Why a forum row has no figures; none when it has them or is not judged yet.
    std::optional<NoFiguresReason> reason = {};

    // The reason's text, or an empty one.
    const std::string& reason_text() const {
        static const std::string none;
        return reason ? reason->text : none;
    }
};
