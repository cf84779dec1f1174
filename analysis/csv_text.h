#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated text as spreadsheets read it: fields separated by commas, records ended by
// CR LF, a field quoted when it holds a comma, a quote, CR or LF (its quotes doubled). Bytes
// pass through as they are, so UTF-8 text stays UTF-8.

// One field. Text from the web that starts with =, +, - or @ (or a TAB or CR, which some
// spreadsheets skip before looking) would be run as a formula: it gets a leading apostrophe,
// which spreadsheets take as "this is text", and is then written as any other field.
std::string csv_field(std::string_view text);

// The fields as one record, CR LF included.
std::string csv_record(const std::vector<std::string>& fields);
