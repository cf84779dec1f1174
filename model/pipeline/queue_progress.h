#pragma once

#include <string>

class ListRows;

// How far the queue is: rows done (Result "Finished", or Attemps at the limit the window shows)
// of all rows.
struct QueueProgress {
    int done = 0;
    int rows = 0;
};

QueueProgress queue_progress(const ListRows& queue, int attempts_shown);
// The progress line under the queue: "..." for an empty queue, else e.g. "3 / 4  (75 % downloaded)".
std::string queue_progress_caption(const QueueProgress& progress);
