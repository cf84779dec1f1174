#pragma once

// What the loopback fixture server receives and what it is told to answer.
// Plain values; see http_fixture_server.h for the server itself.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using HttpHeaders = std::vector<std::pair<std::string, std::string>>;

// One request as it arrived.
struct HttpRequest {
    std::string method;
    std::string target;  // as on the request line: path and query
    std::string path;    // target up to '?'
    std::string query;   // after '?', without it; empty when there is none
    std::string head;    // request line and header lines exactly as received, blank line included
    HttpHeaders headers;  // in order, names as sent
    std::string body;    // decoded from Content-Length or chunked framing

    // First value of the header, name compared ignoring case; empty when absent.
    std::string header(std::string_view name) const;
    bool has_header(std::string_view name) const;
};

// One answer. The defaults give "200 OK" with body and a Content-Length.
struct HttpResponse {
    enum class Framing {
        ContentLength,  // Content-Length header (unless `headers` already has one)
        Chunked,        // Transfer-Encoding: chunked; each piece is one chunk
        UntilClose      // neither: the body ends when the server closes the connection
    };
    enum class Stall {
        Never,
        BeforeHeaders,  // accept the request and never answer
        AfterBody       // send what is given (headers, body or pieces), then nothing more; keep the connection
    };

    int status = 200;
    std::string reason;  // empty: the usual phrase for the status
    HttpHeaders headers;  // sent after the status line, in order
    std::string body;
    std::vector<std::string> pieces;     // when not empty: the body, written piece by piece
    std::uint64_t generated_size = 0;    // when not 0: a body of this many pattern bytes, streamed, never held
    Framing framing = Framing::ContentLength;
    int header_delay_ms = 0;             // wait before the status line
    int piece_delay_ms = 0;              // wait before every piece after the first
    Stall stall = Stall::Never;
    std::optional<std::uint64_t> cut_after;  // close the connection abruptly after this many body bytes
    bool close = false;                  // "Connection: close" and close after the answer
    std::string raw;                     // when not empty: these bytes instead of everything above

    static HttpResponse html(std::string body, int status = 200);
    static HttpResponse text(std::string body, std::string content_type = "text/plain");
    static HttpResponse redirect(std::string location, int status = 302);
    static HttpResponse not_found();

    // Declared body length when framing is ContentLength.
    std::uint64_t body_length() const;
};

// The byte at `offset` of a generated body: a repeating printable pattern, so a test can check
// what arrived without holding a copy.
char generated_body_byte(std::uint64_t offset);

// The usual reason phrase of a status ("OK", "Not Found", ...); "Status" for unknown ones.
std::string reason_phrase(int status);
