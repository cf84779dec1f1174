#include "tests/download/download_recorder.h"

#include "download/memory_stream.h"
#include "download/utf16_text.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

DownloadRecorder::DownloadRecorder(TUrlDownload& download) {
    download.OnProgress = [this](TBSCB& sender, Cardinal p, Cardinal max, Cardinal status, const std::u16string& text,
                                 const std::string& elapsed, const std::string& speed, const std::string& estimated) {
        progress.push_back({sender.Url, p, max, status, from_utf16(text), elapsed, speed, estimated});
        events.push_back("progress " + std::to_string(status));
    };
    download.OnData = [this](TBSCB&, std::vector<std::uint8_t>& buffer, Cardinal& length) {
        chunks.emplace_back(reinterpret_cast<const char*>(buffer.data()), length);
        events.push_back("data " + std::to_string(length));
    };
    download.OnComplete = [this](TBSCB& sender, const TMemoryStream* stream, HRESULT result) {
        RecordedCompletion c{sender.Url, stream != nullptr, stream ? std::string(stream->view()) : std::string(), result,
                             sender.ResponseCode};
        completions.push_back(c);
        events.push_back(std::string("complete ") + (stream ? "final " : "early ") + std::to_string(result));
        if (after_complete) after_complete(sender, stream, result);
    };
    download.OnResponse = [this](TBSCB&, Cardinal status, const std::u16string&, const std::u16string&,
                                 std::u16string&) {
        events.push_back("response " + std::to_string(status));
        return S_OK;
    };
    download.OnBeginningTransaction = [this](TBSCB&, const std::u16string&, const std::u16string&, Cardinal,
                                             std::u16string& additional) {
        request_headers.push_back(from_utf16(additional));
        events.push_back("beginning");
        return S_OK;
    };
}

std::vector<RecordedCompletion> DownloadRecorder::finals() const {
    std::vector<RecordedCompletion> out;
    for (const auto& c : completions)
        if (c.has_stream) out.push_back(c);
    return out;
}

const RecordedCompletion* DownloadRecorder::final_of(const std::string& url) const {
    for (const auto& c : completions)
        if (c.has_stream && c.url == url) return &c;
    return nullptr;
}

std::vector<Cardinal> DownloadRecorder::statuses() const {
    std::vector<Cardinal> out;
    for (const auto& p : progress) out.push_back(p.status);
    return out;
}

bool DownloadBench::fetch(const std::string& path, int timeout_ms) {
    download.Download(server.url(path));
    return wait_until([&] { return rec.finished(server.url(path)); }, timeout_ms);
}

bool wait_until(const std::function<bool()>& done, int timeout_ms) {
    QElapsedTimer clock;
    clock.start();
    QTimer tick;  // wakes the wait now and then, so that the deadline is seen
    tick.start(10);
    while (!done()) {
        if (clock.elapsed() > timeout_ms) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void run_for(int ms) {
    QElapsedTimer clock;
    clock.start();
    wait_until([&] { return clock.elapsed() >= ms; }, ms + 1000);
}
