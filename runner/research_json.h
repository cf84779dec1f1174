#pragma once

#include <optional>
#include <string>

class ListRows;
struct ListItem;

// One forum of a research as a program reads it: its row of the results table, if it has one,
// and its row of the forum queue.
struct ForumRow {
    const ListRows& results;
    int result_row;  // -1: the forum never answered with a page
    const ListRows& queue;
    int queue_row;   // -1: the forum is not in the queue

    std::string url() const;
    std::string description() const;
    // Sub-item k of the forum's results row or queue row; nothing when it has no such row.
    std::optional<std::string> result_sub_item(int k) const;
    std::optional<std::string> queue_sub_item(int k) const;
    // The forum's results row, or nullptr.
    const ListItem* result() const;
    // Why the forum gave no figures: its results row's reason, or its queue row's when it never
    // answered with a page; nothing when it has none.
    std::optional<std::string> reason() const;
};

// The forum as one JSON object on one line (no line end). Keys, in order: url, description,
// verdict, posts_average, posts_max, attempts, read_as, newest_post, engine, reason; figures are
// numbers or null; read_as is the engine's name, "row2" for the classic cells, or null when the
// page gave no figures; newest_post is "YYYY-MM-DD" or null; engine is the stable id of the forum
// engine that recognised the page ("mybb"), with figures or without, or null; reason is why the
// forum gave no figures, or null.
std::string forum_json(const ForumRow& forum);

// Every forum of a research, one JSON object per line: the results table's rows in its order,
// then the queue's forums that never reached it, in the queue's order.
std::string forums_json_lines(const ListRows& results, const ListRows& queue);
