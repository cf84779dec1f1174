#pragma once

#include "analysis/forum_figures.h"
#include "analysis/no_figures_reason.h"

#include <optional>
#include <string>
#include <vector>

// A queue row's state, as its "Result" cell names it: none yet (an empty cell), to download, to
// download again after a bad page, or finished. Any other text a list file holds is a row to
// download again: the scheduler has always treated it so.
enum class RowState { None, Download, Redownload, Finished };

// A results row's verdict ("Result" of the results table); none for a text no verdict has.
enum class Verdict { None, Good, BadDownload, Fatal };

// Where a queue row came from: the search (its answer pages and the links they gave), a list the
// user gave, or the board index of another row's page.
enum class RowOrigin { List, Search, BoardIndex };

// A queue row (google_list) as the research knows it.
struct QueueRow {
    RowState state = RowState::None;
    // Downloads started; a list file's empty or non-decimal "Attemps" is none yet.
    int attempts = 0;
    // The address that served the row's last page (after redirects), and the base its links are
    // resolved against (the page's <base href>, else that address); empty until a page arrived.
    std::string served_url = {};
    std::string link_base = {};
    RowOrigin origin = RowOrigin::List;
    // For a board index: the row whose page led to it. Steps from a row the search or the user
    // gave: 0 for those, 1 for a board index.
    int origin_row = -1;
    int depth = 0;
};

// A results row (result_list) as the research knows it.
struct ResultRow {
    Verdict verdict = Verdict::None;
    // The forum page as its reader returned it: counts, engine, newest post. A results file gives
    // the counts' average and maximum only: its rated rows count as one number.
    ForumFigures figures = {};
};

// What a research knows of a list row beyond the text of its columns: kept with the row, so that
// sorting, the window and the runner all see the same values. A list presents one kind of row;
// the other kind's part keeps its initial values. List files keep the columns only; a loaded
// row's values are taken from its texts once, as it is loaded.
struct RowFacts {
    QueueRow queue = {};
    ResultRow result = {};
    // Why a forum row has no figures; none when it has them or is not judged yet.
    std::optional<NoFiguresReason> reason = {};

    // The reason's text, or an empty one.
    const std::string& reason_text() const {
        static const std::string none;
        return reason ? reason->text : none;
    }
};
