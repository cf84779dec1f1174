#include "analysis/html_markup.h"

#include "analysis/text_scan.h"

#include <string>

namespace {

bool ends_tag_name(char c) { return c == ' ' || c == '>' || c == '/' || c == '\t' || c == '\r' || c == '\n'; }

bool start_tag_at(std::string_view page, std::size_t pos, std::string_view name) {
    const std::size_t after = pos + 1 + name.size();
    return after < page.size() && page[pos] == '<' && page.substr(pos + 1, name.size()) == name &&
           ends_tag_name(page[after]);
}

bool end_tag_at(std::string_view page, std::size_t pos, std::string_view name) {
    const std::size_t after = pos + 2 + name.size();
    return after < page.size() && page.substr(pos, 2) == "</" && page.substr(pos + 2, name.size()) == name &&
           (page[after] == '>' || page[after] == ' ');
}

}  // namespace

std::size_t find_start_tag(std::string_view page, std::string_view name, std::size_t from) {
    for (std::size_t pos = page.find('<', from); pos != std::string_view::npos; pos = page.find('<', pos + 1))
        if (start_tag_at(page, pos, name)) return pos;
    return std::string_view::npos;
}

std::string_view tag_at(std::string_view page, std::size_t pos) {
    const std::string_view rest = page.substr(pos, kElementReadLimit);
    const std::size_t close = rest.find('>');
    return close == std::string_view::npos ? rest : rest.substr(0, close + 1);
}

std::string_view attribute(std::string_view tag, std::string_view name) {
    for (std::size_t pos = tag.find(name); pos != std::string_view::npos; pos = tag.find(name, pos + 1)) {
        // The name must stand alone: "class" is not the end of "subclass" nor "data-class".
        if (pos == 0 || !(tag[pos - 1] == ' ' || tag[pos - 1] == '\t' || tag[pos - 1] == '\n' || tag[pos - 1] == '\r'))
            continue;
        std::size_t p = pos + name.size();
        if (p + 1 >= tag.size() || tag[p] != '=') continue;
        const char quote = tag[p + 1];
        if (quote != '"' && quote != '\'') continue;
        const std::size_t end = tag.find(quote, p + 2);
        if (end == std::string_view::npos) return {};
        return tag.substr(p + 2, end - (p + 2));
    }
    return {};
}

bool has_class(std::string_view tag, std::string_view name) {
    const std::string_view classes = attribute(tag, "class");
    std::size_t pos = 0;
    while (pos < classes.size()) {
        const std::size_t start = classes.find_first_not_of(" \t\r\n", pos);
        if (start == std::string_view::npos) break;
        std::size_t end = classes.find_first_of(" \t\r\n", start);
        if (end == std::string_view::npos) end = classes.size();
        if (classes.substr(start, end - start) == name) return true;
        pos = end;
    }
    return false;
}

std::string_view element_content(std::string_view page, std::size_t pos, std::string_view name) {
    const std::string_view tag = tag_at(page, pos);
    if (!tag.ends_with('>')) return {};
    const std::string_view rest = page.substr(pos + tag.size(), kElementReadLimit);
    // Left open, the element ends where the next one of its name begins, as a new <td> ends an
    // open one: so the open elements of a hostile page share no bytes, and reading each one's
    // content stays one pass over the page. One quick search for the end tag tells them apart.
    if (find_marker(rest, std::string("</").append(name), 0) == std::string_view::npos)
        return rest.substr(0, find_start_tag(rest, name, 0));
    int depth = 1;
    std::size_t first_nested = std::string_view::npos;
    for (std::size_t lt = rest.find('<'); lt != std::string_view::npos; lt = rest.find('<', lt + 1)) {
        if (end_tag_at(rest, lt, name)) {
            if (--depth == 0) return rest.substr(0, lt);
        } else if (start_tag_at(rest, lt, name)) {
            ++depth;
            if (first_nested == std::string_view::npos) first_nested = lt;
        }
    }
    return rest.substr(0, first_nested);
}

std::string_view leading_text(std::string_view content) { return content.substr(0, content.find('<')); }

std::string_view next_text_run(std::string_view content, std::size_t& pos) {
    while (pos < content.size()) {
        const std::size_t open = content.find('<', pos);
        const std::string_view run = content.substr(pos, open == std::string_view::npos ? open : open - pos);
        const std::size_t close = open == std::string_view::npos ? open : content.find('>', open);
        pos = close == std::string_view::npos ? content.size() : close + 1;
        if (run.find_first_not_of(" \t\r\n") != std::string_view::npos) return run;
    }
    return {};
}

std::string_view first_text(std::string_view content) {
    std::size_t pos = 0;
    return next_text_run(content, pos);
}
