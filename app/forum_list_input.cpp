#include "app/forum_list_input.h"

#include "app/Downloaddemo_U.h"
#include "app/list_layouts.h"
#include "console/list_file.h"
#include "console/url_list.h"

namespace {

constexpr const char* kStandardInput = "-";

bool read_all(std::FILE* in, std::string& bytes) {
    char block[65536];
    while (const std::size_t got = std::fread(block, 1, sizeof block, in)) bytes.append(block, got);
    return std::ferror(in) == 0;
}

}  // namespace

std::string load_forum_list(const std::string& source, std::FILE* in, ListView& queue,
                            const std::function<void(const std::string&)>& note) {
    const bool from_input = source == kStandardInput;
    const std::string name = from_input ? "standard input" : source;
    std::string bytes;
    try {
        if (from_input && !read_all(in, bytes)) return "cannot read standard input";
        if (!from_input) bytes = read_list_file(source);
        if (!is_url_list(bytes)) {
            load_list_text(bytes, queue);
            return "";
        }
    } catch (const std::exception& error) {
        return "cannot read " + name + ": " + error.what();
    }
    const UrlList list = read_url_list(bytes);
    for (const auto& line : list.refused)
        note(name + " line " + std::to_string(line.number) + ": '" + line.text + "' is not an http or https URL; skipped");
    if (list.urls.empty()) return "no http or https URL in " + name;
    // The rows "Use list" makes, with an empty description.
    apply_list_layout(queue, list_layout::queue);
    queue.clear_items();
    for (const auto& url : list.urls) queue.add_item(ListItem{url, {"", "", "0", row_state::Download}});
    return "";
}
