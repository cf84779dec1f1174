#pragma once

#include <string>

class ListView;

// The results list for spreadsheets (see analysis/csv_text.h): a header row with the list's
// column captions, then "Engine" (the engine that recognised the page), "Newest post" when the
// list has no column of that name (a file saved before it) and "Reason" (why a row has no
// figures); one record per row in the list's own order, each with one field per column.
// Values a row does not know are empty. Contents only: column widths are a window's matter.
std::string results_csv(const ListView& results);

// Writes results_csv to the file, replacing it only once everything was written; failures are
// raised as AppError with the text the user sees, as for list files.
void save_results_csv(const std::string& file_name, const ListView& results);
