#include "analysis/search_readers.h"

#include <nlohmann/json.hpp>

#include <initializer_list>

namespace {

// What an answer that is not JSON looks like, for the log: its kind and its first printable bytes.
std::string what_came_back(const std::string& bytes) {
    const auto first = bytes.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "an empty answer";
    constexpr std::size_t kShownBytes = 60;
    std::string start;
    for (std::size_t i = first; i < bytes.size() && start.size() < kShownBytes; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        start += byte < 0x20 || byte == 0x7F ? ' ' : bytes[i];
    }
    const std::string kind = bytes[first] == '<' ? "an HTML page" : "text that is not JSON";
    return kind + " (it begins: " + start + ")";
}

// No answer nests deeper; a page that does is refused before parsing, as the tree built for
// "[[[[..." would take many times the page's size in memory.
constexpr int kMaxJsonDepth = 256;

// Whether brackets outside strings nest deeper than limit anywhere in bytes; one pass.
bool nested_deeper_than(const std::string& bytes, int limit) {
    int depth = 0;
    bool in_string = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (in_string) {
            if (c == '\\') ++i;
            else if (c == '"') in_string = false;
        } else if (c == '"') {
            in_string = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

// The links of the array at `path` whose elements carry "url" and "title" strings.
SearchAnswer read_json_results(const PageLines& page, const char* service, std::initializer_list<const char*> path) {
    SearchAnswer answer;
    if (nested_deeper_than(page.bytes(), kMaxJsonDepth)) {
        answer.note = std::string(service) + " sent JSON nested deeper than " + std::to_string(kMaxJsonDepth) +
                      " levels: no links taken from this page.";
        return answer;
    }
    // No exceptions: a parse failure gives a discarded value.
    const auto json = nlohmann::json::parse(page.bytes(), nullptr, false);
    if (json.is_discarded()) {
        answer.note = std::string(service) + " sent " + what_came_back(page.bytes()) +
                      " where JSON was asked for: no links taken from this page.";
        return answer;
    }
    const nlohmann::json* node = &json;
    std::string where;
    for (const char* key : path) {
        where += where.empty() ? key : std::string(".") + key;
        if (!node->is_object() || !node->contains(key)) {
            node = nullptr;
            break;
        }
        node = &(*node)[key];
    }
    if (!node || !node->is_array()) {
        answer.note = std::string(service) + " sent JSON without the result list \"" + where +
                      "\": no links taken from this page.";
        return answer;
    }
    for (const auto& result : *node) {
        if (!result.is_object()) continue;
        const auto url = result.find("url");
        if (url == result.end() || !url->is_string()) continue;
        const auto title = result.find("title");
        const std::string text = title != result.end() && title->is_string() ? title->get<std::string>() : "";
        if (auto link = link_from_result(url->get_ref<const std::string&>(), text))
            answer.links.push_back(std::move(*link));
    }
    return answer;
}

}  // namespace

SearchAnswer read_searx_json(const PageLines& page) { return read_json_results(page, "searx / SearXNG", {"results"}); }

SearchAnswer read_brave_json(const PageLines& page) {
    return read_json_results(page, "Brave Search API", {"web", "results"});
}

SearchAnswer read_marginalia_json(const PageLines& page) {
    return read_json_results(page, "Marginalia Search", {"results"});
}
