#pragma once

#include "model/app/controls/list_view.h"

#include <string>
#include <string_view>

// List files: a list view's columns (captions, widths) and rows as tab-separated text, every
// field followed by TAB and every line ended by CR LF. Event-loop thread; failures are raised
// as AppError with the text the user sees.

// The list as the text of a list file.
std::string list_file_text(const ListView& list);

// Writes the list to the file, replacing it only once everything was written. A row line
// always holds one field per column: missing sub-items are written empty, surplus ones not.
void save_list_file(const std::string& file_name, const ListView& list);
// Writes bytes as save_list_file does, with its messages: for the other files made from lists.
void write_list_bytes(const std::string& file_name, const std::string& bytes);
// Raises what write_list_bytes would raise before writing anything, and writes nothing.
void check_list_file_writable(const std::string& file_name);

// Replaces the list's columns and rows with the file's. A file that cannot be read changes
// nothing; a bad widths line stops the load with the columns read so far and no rows. A row
// with more fields than the header has captions keeps them, joined by blanks into its last
// column. Returns how many rows were joined so.
int load_list_file(const std::string& file_name, ListView& list);

// The file's bytes, or AppError with the message of the runtime ("File not found", ...).
std::string read_list_file(const std::string& file_name);
// load_list_file on bytes already read.
int load_list_text(std::string_view bytes, ListView& list);
// The log line for rows load_list_file joined; empty for none.
std::string overlong_rows_note(int rows, const std::string& file_name);
