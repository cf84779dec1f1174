#include "analysis/search_readers.h"

#include "analysis/plain_text.h"

#include <nlohmann/json.hpp>

#include <initializer_list>
#include <string_view>

namespace {

// At most `limit` bytes of text for the log, control bytes as blanks: what a service sent must
// not steer the terminal the runner prints the log on.
std::string printable(std::string_view text, std::size_t limit) {
    return blank_control_bytes(text.substr(0, limit));
}

// What an answer that is not JSON looks like, for the log: its kind and its first printable bytes.
std::string what_came_back(const std::string& bytes) {
    const auto first = bytes.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "an empty answer";
    constexpr std::size_t kShownBytes = 60;
    const std::string kind = bytes[first] == '<' ? "an HTML page" : "text that is not JSON";
    return kind + " (it begins: " + printable(std::string_view(bytes).substr(first), kShownBytes) + ")";
}

// searx lists the engines that failed it as [name, reason] pairs; with none answering (no
// connection to the internet, say) an empty page is no news about the keyword.
std::string unanswered_engines_note(const nlohmann::json& json, const char* service) {
    const auto engines = json.find("unresponsive_engines");
    if (engines == json.end() || !engines->is_array() || engines->empty()) return "";
    constexpr std::size_t kShownEngines = 12;
    constexpr std::size_t kShownBytes = 40;
    std::string named;
    std::size_t shown = 0;
    for (const auto& engine : *engines) {
        if (!engine.is_array() || engine.size() < 2 || !engine[0].is_string() || !engine[1].is_string()) continue;
        if (++shown > kShownEngines) {
            named += ", ...";
            break;
        }
        named += (named.empty() ? "" : ", ") + printable(engine[0].get_ref<const std::string&>(), kShownBytes) + " (" +
                 printable(engine[1].get_ref<const std::string&>(), kShownBytes) + ")";
    }
    if (named.empty()) return "";
    return std::string(service) + " found nothing: its engines did not answer it: " + named +
           ". Is the machine connected to the internet?";
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
    // A well-formed list without results is the service's last word on the keyword.
    answer.no_results = node->empty();
    for (const auto& result : *node) {
        if (!result.is_object()) continue;
        const auto url = result.find("url");
        if (url == result.end() || !url->is_string()) continue;
        const auto title = result.find("title");
        const std::string text = title != result.end() && title->is_string() ? title->get<std::string>() : "";
        if (auto link = link_from_result(url->get_ref<const std::string&>(), text))
            answer.links.push_back(std::move(*link));
    }
    if (answer.links.empty()) answer.note = unanswered_engines_note(json, service);
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
