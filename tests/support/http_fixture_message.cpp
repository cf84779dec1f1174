#include "tests/support/http_fixture_message.h"

#include "analysis/text_case.h"

std::string HttpRequest::header(std::string_view name) const {
    for (const auto& [key, value] : headers)
        if (equals_ignoring_case(key, name)) return value;
    return {};
}

bool HttpRequest::has_header(std::string_view name) const {
    for (const auto& header : headers)
        if (equals_ignoring_case(header.first, name)) return true;
    return false;
}

HttpResponse HttpResponse::html(std::string body, int status) {
    HttpResponse r;
    r.status = status;
    r.headers = {{"Content-Type", "text/html"}};
    r.body = std::move(body);
    return r;
}

HttpResponse HttpResponse::text(std::string body, std::string content_type) {
    HttpResponse r;
    r.headers = {{"Content-Type", std::move(content_type)}};
    r.body = std::move(body);
    return r;
}

HttpResponse HttpResponse::redirect(std::string location, int status) {
    HttpResponse r = html("<a href=\"" + location + "\">moved</a>", status);
    r.headers.emplace_back("Location", std::move(location));
    return r;
}

HttpResponse HttpResponse::not_found() { return html("<h1>Not Found</h1>", 404); }

std::uint64_t HttpResponse::body_length() const {
    if (generated_size != 0) return generated_size;
    if (pieces.empty()) return body.size();
    std::uint64_t total = 0;
    for (const auto& piece : pieces) total += piece.size();
    return total;
}

char generated_body_byte(std::uint64_t offset) {
    static constexpr std::string_view pattern = "0123456789abcdefghijklmnopqrstuvwxyz\n";
    return pattern[offset % pattern.size()];
}

std::string reason_phrase(int status) {
    switch (status) {
        case 100: return "Continue";
        case 200: return "OK";
        case 201: return "Created";
        case 204: return "No Content";
        case 206: return "Partial Content";
        case 301: return "Moved Permanently";
        case 302: return "Found";
        case 303: return "See Other";
        case 304: return "Not Modified";
        case 307: return "Temporary Redirect";
        case 308: return "Permanent Redirect";
        case 400: return "Bad Request";
        case 401: return "Unauthorized";
        case 403: return "Forbidden";
        case 404: return "Not Found";
        case 500: return "Internal Server Error";
        case 503: return "Service Unavailable";
        default: return "Status";
    }
}
