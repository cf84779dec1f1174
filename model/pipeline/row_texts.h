#pragma once

#include "model/app/controls/list_view.h"

#include <string>
#include <string_view>

// The row values as the lists present them, and the one place where a list file's cell texts
// become values. Event-loop thread, like the lists.

// "Download", "Redownload", "Finished"; empty for none.
const char* row_state_text(RowState state);
// "Good", "Bad Download", "Fatal"; empty for none.
const char* verdict_text(Verdict verdict);

// The values behind a queue row's cells, as a list file gives them: an empty, non-decimal or
// negative "Attemps" is no start yet; a "Result" text that names no state is a row to download again.
void read_queue_row(ListItem& item, const std::vector<ListColumn>& columns);
// The values behind a results row's cells: its verdict, and where the list has the forum
// stage's columns, the posts average, maximum and newest post.
void read_result_row(ListItem& item, const std::vector<ListColumn>& columns);

// A new queue row: its cells (description, empty status, attempts, state) present its values.
ListItem queue_item(std::string url, std::string description, QueueRow values);

// Change one value of a queue row together with the cell that presents it.
void set_row_state(ListView& queue, int row, RowState state);
void set_row_attempts(ListView& queue, int row, int attempts);
