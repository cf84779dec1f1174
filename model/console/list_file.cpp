#include "model/console/list_file.h"

#include "analysis/number_text.h"
#include "analysis/page_text.h"
#include "analysis/text_scan.h"
#include "model/app/error_guard.h"
#include "model/console/file_bytes.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kTab = "\t";
constexpr std::string_view kLineEnd = "\r\n";

void append_field(std::string& text, std::string_view field) {
    text += field;
    text += kTab;
}

// Fields from the left: a trailing TAB adds none, two TABs give an empty one, an empty line none.
// The view moves past each field rather than copying the rest, so a long line stays linear.
std::vector<std::string> split_fields(std::string_view line) {
    std::vector<std::string> fields;
    while (!line.empty()) {
        fields.push_back(before_marker(line, kTab));
        line.remove_prefix(std::min(fields.back().size() + kTab.size(), line.size()));
    }
    return fields;
}

// A message quotes at most the start of a field: a huge one would only make the box unusable.
std::string quoted_field(const std::string& field) {
    constexpr std::size_t kShown = 100;
    return field.size() <= kShown ? field : field.substr(0, kShown) + "...";
}

void set_widths(const std::vector<std::string>& fields, ListView& list) {
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const int index = static_cast<int>(k);
        // The surplus field stops the load whatever it holds.
        if (index >= list.column_count()) throw AppError("List index out of bounds (" + decimal_text(index) + ")");
        const auto width = parse_int_strict(fields[k]);
        if (!width) throw AppError("'" + quoted_field(fields[k]) + "' is not a valid integer value");
        list.set_column_width(index, *width);
    }
}

}  // namespace

std::string list_file_text(const ListView& list) {
    std::string text;
    for (const auto& column : list.columns()) append_field(text, column.caption);
    text += kLineEnd;
    for (const auto& column : list.columns()) append_field(text, decimal_text(column.width));
    text += kLineEnd;
    const int columns = list.column_count();
    for (int row = 0; row < list.item_count(); ++row) {
        for (int k = 0; k < columns; ++k) append_field(text, k == 0 ? list.item(row).caption : list.sub_item(row, k - 1));
        text += kLineEnd;
    }
    return text;
}

void save_list_file(const std::string& file_name, const ListView& list) {
    write_list_bytes(file_name, list_file_text(list));
}

namespace {

void raise_write_failure(const std::string& file_name, WriteOutcome outcome) {
    switch (outcome) {
    case WriteOutcome::ok: return;
    case WriteOutcome::not_a_file: throw AppError(file_name + " is not a regular file; it was left as it is");
    case WriteOutcome::missing_folder: throw AppError("Path not found");
    case WriteOutcome::cannot_create: throw AppError("File access denied");
    case WriteOutcome::write_failed: break;
    }
    throw AppError("Disk write error");
}

}  // namespace

void write_list_bytes(const std::string& file_name, const std::string& bytes) {
    raise_write_failure(file_name, write_file_atomically(file_name, bytes));
}

void check_list_file_writable(const std::string& file_name) { raise_write_failure(file_name, check_writable(file_name)); }

std::string read_list_file(const std::string& file_name) {
    std::string bytes;
    switch (read_file_bytes(file_name, bytes)) {
    case ReadOutcome::ok: return bytes;
    case ReadOutcome::missing_file: throw AppError("File not found");
    case ReadOutcome::missing_folder: throw AppError("Path not found");
    case ReadOutcome::not_readable: throw AppError("File access denied");
    case ReadOutcome::read_failed: break;
    }
    throw AppError("Disk read error");
}

int load_list_file(const std::string& file_name, ListView& list) { return load_list_text(read_list_file(file_name), list); }

int load_list_text(std::string_view bytes, ListView& list) {
    const auto lines = split_page_lines(bytes);
    list.clear_items();
    list.clear_columns();
    if (lines.empty()) return 0;
    for (auto& caption : split_fields(lines[0])) list.add_column(std::move(caption));
    if (lines.size() < 2) return 0;
    set_widths(split_fields(lines[1]), list);
    const auto columns = static_cast<std::size_t>(list.column_count());
    int overlong = 0;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        auto fields = split_fields(lines[i]);
        // A TAB that got into a field: its pieces stay together in the last column, which a save
        // writes back, rather than as surplus fields that no column shows and no save keeps.
        if (columns > 0 && fields.size() > columns) {
            ++overlong;
            for (std::size_t k = columns; k < fields.size(); ++k) fields[columns - 1] += " " + fields[k];
            fields.resize(columns);
        }
        ListItem item;
        if (!fields.empty()) {
            item.caption = std::move(fields.front());
            item.sub_items.assign(std::make_move_iterator(fields.begin() + 1), std::make_move_iterator(fields.end()));
        }
        list.add_item(std::move(item));
    }
    return overlong;
}

std::string overlong_rows_note(int rows, const std::string& file_name) {
    if (rows == 0) return "";
    return std::to_string(rows) + (rows == 1 ? " row of " : " rows of ") + file_name +
           (rows == 1 ? " holds" : " hold") +
           " more fields than its header has columns; the extra fields were joined into the last column";
}
