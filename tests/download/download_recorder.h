#pragma once

// Records what a TUrlDownload reports, for the download engine's tests, and waits on the event
// loop for it.

#include "download/UrlDownload.h"
#include "download/bscb.h"
#include "download/moniker_layer.h"
#include "tests/support/http_fixture_server.h"

#include <functional>
#include <string>
#include <vector>

struct RecordedCompletion {
    std::string url;
    bool has_stream = false;
    std::string body;
    HRESULT result = 0;
    Cardinal response_code = 0;
};

struct RecordedProgress {
    std::string url;
    Cardinal progress = 0;
    Cardinal progress_max = 0;
    Cardinal status = 0;
    std::string text;
    std::string elapsed;
    std::string speed;
    std::string estimated;
};

// Attaches OnProgress, OnData, OnComplete, OnResponse and OnBeginningTransaction.
class DownloadRecorder {
public:
    explicit DownloadRecorder(TUrlDownload& download);

    std::vector<std::string> events;  // "progress 5", "data 12", "response 200", "complete final 0", ...
    std::vector<RecordedCompletion> completions;
    std::vector<RecordedProgress> progress;
    std::vector<std::string> chunks;  // what OnData saw, BufLength bytes each
    std::vector<std::string> request_headers;  // additional headers as OnBeginningTransaction saw them
    std::function<void(TBSCB&, const TMemoryStream*, HRESULT)> after_complete;

    // Completions that carried the stream (the final one of a download).
    std::vector<RecordedCompletion> finals() const;
    const RecordedCompletion* final_of(const std::string& url) const;
    bool finished(const std::string& url) const { return final_of(url) != nullptr; }
    std::vector<Cardinal> statuses() const;
};

// What most tests start from: a layer, a loopback server, a component and its recorder.
struct DownloadBench {
    MonikerLayer layer;  // first made, last gone
    HttpFixtureServer server;
    TUrlDownload download{layer};
    DownloadRecorder rec{download};

    // Downloads server.url(path) and waits for its final report; false when none came.
    bool fetch(const std::string& path, int timeout_ms = 5000);
};

// Runs the event loop until `done` holds or `timeout_ms` passes; returns whether it held.
bool wait_until(const std::function<bool()>& done, int timeout_ms = 5000);
// Runs the event loop for about `ms` milliseconds.
void run_for(int ms);
