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

// searx lists the engines that failed it as [name, reason] pairs; with none answering (no
// connection to the internet, say) an empty page is no news about the keyword.
std::string unanswered_engines_note(const nlohmann::json& json, const char* service) {
    const auto engines = json.find("unresponsive_engines");
    if (engines == json.end() || !engines->is_array() || engines->empty()) return "";
    std::string named;
    for (const auto& engine : *engines) {
        if (!engine.is_array() || engine.size() < 2 || !engine[0].is_string() || !engine[1].is_string()) continue;
        named += (named.empty() ? "" : ", ") + engine[0].get<std::string>() + " (" + engine[1].get<std::string>() + ")";
    }
    if (named.empty()) return "";
    return std::string(service) + " found nothing: its engines did not answer it: " + named +
           ". Is the machine connected to the internet?";
}

// The links of the array at `path` whose elements carry "url" and "title" strings.
SearchAnswer read_json_results(const PageLines& page, const char* service, std::initializer_list<const char*> path) {
    SearchAnswer answer;
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
