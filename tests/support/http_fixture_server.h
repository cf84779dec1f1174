#pragma once

// A loopback HTTP/1.1 server for tests and benchmarks. Listens on 127.0.0.1 (or another loopback
// address, so that several servers are several sites to a client) at a port the system picks,
// answers every request from a per-path table or a fallback handler, keeps a log of the
// requests, and serves many connections at once (keep-alive, pipelined requests, chunked or
// Content-Length request bodies, "Expect: 100-continue").
//
//   HttpFixtureServer server;                                  // listening once constructed
//   server.route("/page", HttpResponse::html("<p>hi</p>"));    // fixed answer
//   server.route("/echo", [](const HttpRequest& r) { return HttpResponse::text(r.body); });
//   server.fallback([](const HttpRequest& r) { ... });         // everything else; default 404
//   std::string url = server.url("/page");                     // "http://127.0.0.1:<port>/page"
//   std::vector<HttpRequest> seen = server.requests();          // the log, in arrival order
//
// What an answer can do (status, headers, chunked pieces with delays, streamed large bodies,
// stalls, a cut connection, redirects, raw bytes) is in http_fixture_message.h.
//
// Threads: with CallerThread (the default) the server lives on the constructing thread and works
// while that thread runs its Qt event loop (a QEventLoop, or QCoreApplication::processEvents);
// handlers run there and may touch the test's objects. With OwnThread it runs its own event loop
// on a thread of its own, for callers that block (whole-process benchmarks); handlers then run
// on that thread. route(), fallback() and the log may be used from any thread.
// A route is looked up by the full target (path and query) first, then by the path alone.

#include "tests/support/http_fixture_message.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QThread;
class FixtureListener;
struct FixtureState;

class HttpFixtureServer {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;
    enum class Threading { CallerThread, OwnThread };

    explicit HttpFixtureServer(Threading threading = Threading::CallerThread, std::string address = "127.0.0.1");
    ~HttpFixtureServer();
    HttpFixtureServer(const HttpFixtureServer&) = delete;
    HttpFixtureServer& operator=(const HttpFixtureServer&) = delete;

    std::uint16_t port() const { return port_; }
    std::string base_url() const;                // "http://<address>:<port>"
    std::string url(std::string_view path) const;  // base_url() + path

    void route(std::string path, HttpResponse response);
    void route(std::string path, Handler handler);
    void fallback(Handler handler);

    std::vector<HttpRequest> requests() const;
    std::size_t request_count() const;
    std::size_t connection_count() const;  // connections accepted so far
    void clear_log();
    // Benchmarks serving thousands of pages may switch the log off.
    void set_logging(bool on);

private:
    std::shared_ptr<FixtureState> state_;
    std::unique_ptr<QThread> thread_;
    FixtureListener* listener_ = nullptr;  // lives on the server's thread
    std::string address_;
    std::uint16_t port_ = 0;
};
