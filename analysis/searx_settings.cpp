#include "analysis/searx_settings.h"

#include <functional>

namespace {

// Calls `edit` on each line without its '\n' and joins what it returns.
std::string each_line(std::string_view text, const std::function<std::string(std::string_view)>& edit) {
    std::string out;
    while (!text.empty()) {
        const auto end = text.find('\n');
        out += edit(text.substr(0, end));
        if (end == std::string_view::npos) break;
        out += '\n';
        text.remove_prefix(end + 1);
    }
    return out;
}

// "  key : old # note" -> "  key : value" for a line whose key (after indentation) is `key`.
bool set_value(std::string_view line, std::string_view key, std::string_view value, std::string& out) {
    const auto start = line.find_first_not_of(' ');
    if (start == std::string_view::npos || line.substr(start, key.size()) != key) return false;
    const auto colon = line.find_first_not_of(' ', start + key.size());
    if (colon == std::string_view::npos || line[colon] != ':') return false;
    out = std::string(line.substr(0, colon + 1)) + " " + std::string(value);
    return true;
}

}  // namespace

std::string private_searx_settings(std::string_view example, std::string_view secret) {
    const std::string quoted_secret = "\"" + std::string(secret) + "\"";
    return each_line(example, [&](std::string_view line) {
        std::string edited;
        if (set_value(line, "secret_key", quoted_secret, edited) || set_value(line, "bind_address", "\"127.0.0.1\"", edited))
            return edited;
        // The programs read searx's JSON answers, which the example leaves off.
        if (line == "search:") return std::string(line) + "\n    formats: [html, json]";
        return std::string(line);
    });
}

std::string searx_settings_with_port(std::string_view settings, int port) {
    bool in_server = false;
    return each_line(settings, [&](std::string_view line) {
        // A top-level key starts a section; other sections may have a port of their own.
        if (!line.empty() && line[0] >= 'a' && line[0] <= 'z') in_server = line.starts_with("server:");
        std::string edited;
        if (in_server && set_value(line, "port", std::to_string(port), edited)) return edited;
        return std::string(line);
    });
}
