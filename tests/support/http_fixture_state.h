#pragma once

// State the fixture server shares between its caller and the thread it serves on.

#include "tests/support/http_fixture_message.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

struct FixtureState {
    using Handler = std::function<HttpResponse(const HttpRequest&)>;

    mutable std::mutex mutex;
    std::map<std::string, Handler, std::less<>> routes;
    Handler fallback;
    std::vector<HttpRequest> log;
    bool logging = true;
    std::size_t connections = 0;

    // Logs the request and finds its answer; a handler that throws answers 500.
    HttpResponse answer(const HttpRequest& request);
};
