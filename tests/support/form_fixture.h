#pragma once

#include "model/app/Downloaddemo_U.h"
#include "download/moniker_layer.h"
#include "model/pipeline/row_texts.h"

#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

// A download component that only records its starts (URL and the time-out in force), for
// tests of the pipeline's rules without a network.
class RecordingDownload : public TUrlDownload {
public:
    using TUrlDownload::TUrlDownload;
    struct Start {
        std::string url;
        int timeout;
    };
    std::vector<Start> starts;
    void Download(const std::string& Url) override { starts.push_back({Url, TimeOut}); }
};

// A window model on a temporary download folder, with a recording component (default) or the real one.
struct FormFixture {
    explicit FormFixture(bool real_component = false, int timer_interval_ms = 1000);

    QTemporaryDir dir;
    MonikerLayer layer;
    RecordingDownload* recorder = nullptr;  // null with the real component
    std::unique_ptr<TForm1> form;
    std::vector<std::string> errors;  // what reached the error sink

    std::string folder() const { return dir.path().toStdString() + "/"; }
    // Appends a queue row: URL, Description, Status, Attemps, Result.
    void add_queue_row(const std::string& url, const std::string& attempts = "0",
                       const std::string& result = "Download", const std::string& description = "d");
    std::vector<std::string> download_lines() const { return form->download_list.lines(); }
    // Runs the event loop until the window model says a research is over (its research_over
    // signal, one per wait), for at most limit_ms; false when it did not say so in time.
    bool wait_for_research_over(int limit_ms);

private:
    int researches_over_ = 0;
};
