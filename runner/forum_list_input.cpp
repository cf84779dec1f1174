#include "runner/forum_list_input.h"

#include "model/app/Downloaddemo_U.h"
#include "model/app/list_layouts.h"
#include "model/console/list_file.h"
#include "model/console/url_list.h"

#include <QFileInfo>

namespace {

constexpr const char* kStandardInput = "-";

bool read_all(std::FILE* in, std::string& bytes) {
    char block[65536];
    while (const std::size_t got = std::fread(block, 1, sizeof block, in)) bytes.append(block, got);
    return std::ferror(in) == 0;
}

// The column of that caption, or -1.
int column_captioned(const ListView& list, std::string_view caption) {
    for (int k = 0; k < list.column_count(); ++k)
        if (list.column(k).caption == caption) return k;
    return -1;
}

// A cell of a loaded row: the caption is column 0.
std::string cell(const ListView& list, int row, int column) {
    if (column < 0) return "";
    return column == 0 ? list.item(row).caption : list.sub_item(row, column - 1);
}

}  // namespace

std::vector<ListedForum> forums_of_list_file(std::string_view bytes, const std::function<void(const std::string&)>& note,
                                             const std::string& name) {
    ListView loaded;
    if (const int overlong = load_list_text(bytes, loaded); overlong > 0) note(overlong_rows_note(overlong, name));
    // A queue, a results table and a search-results table all caption their URL and description
    // so; a file of other captions holds its URL where every list file does, in the first column.
    int url_column = column_captioned(loaded, list_layout::queue[0].caption);
    if (url_column < 0) url_column = 0;
    const int description_column = column_captioned(loaded, list_layout::queue[1].caption);
    std::vector<ListedForum> forums;
    for (int r = 0; r < loaded.item_count(); ++r) {
        ListedForum forum{cell(loaded, r, url_column), cell(loaded, r, description_column)};
        if (!forum.url.empty()) forums.push_back(std::move(forum));
    }
    return forums;
}

std::string load_forum_list(const std::string& source, std::FILE* in, ListView& queue,
                            const std::function<void(const std::string&)>& note) {
    const bool from_input = source == kStandardInput;
    const std::string name = from_input ? "standard input" : source;
    if (!from_input && QFileInfo(QString::fromStdString(source)).isDir())
        return "cannot read " + name + ": it is a folder; give a list file or a file of URLs";
    std::string bytes;
    std::vector<ListedForum> forums;
    try {
        if (from_input && !read_all(in, bytes)) return "cannot read standard input";
        if (!from_input) bytes = read_list_file(source);
        if (!is_url_list(bytes)) forums = forums_of_list_file(bytes, note, name);
    } catch (const std::exception& error) {
        return "cannot read " + name + ": " + error.what();
    }
    if (is_url_list(bytes)) {
        const UrlList list = read_url_list(bytes);
        for (const auto& line : list.refused)
            note(name + " line " + std::to_string(line.number) + ": '" + line.text + "' is not an http or https URL; skipped");
        for (const auto& url : list.urls) forums.push_back({url, ""});
        if (forums.empty()) return "no http or https URL in " + name;
    }
    if (forums.empty()) return "no forum listed in " + name;
    // Every forum starts anew as the rows "Use list" makes: a saved queue's states and attempts,
    // or a results table's figures, would otherwise be read as the queue's own columns.
    apply_list_layout(queue, list_layout::queue);
    queue.clear_items();
    for (auto& forum : forums) queue.add_item(ListItem{std::move(forum.url), {std::move(forum.description), "", "0", row_state::Download}});
    return "";
}
