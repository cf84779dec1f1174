// The client side of bench_download: one process that downloads through TUrlDownload, so that
// its wall time, CPU time and peak memory can be measured as a whole process.
//
//   bench_download_client pages <url-list-file> <result-file> [in-flight]
//       downloads every URL of the list (one a line) with at most in-flight (25) at once, as
//       the window's scheduler does: each final OnComplete starts the next URL.
//   bench_download_client big <url> <result-file>
//       downloads one URL and notes the resident memory before and at the peak.
// The result file gets one line: "pages=<n> failed=<n> bytes=<n>" or
// "idle_kb=<n> peak_kb=<n> bytes=<n> result=<n>".

#include "download/UrlDownload.h"
#include "download/bscb.h"
#include "download/memory_stream.h"
#include "download/moniker_layer.h"

#include <QCoreApplication>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

long status_kb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
    return -1;
}

void configure(TUrlDownload& download) {
    // As the window sets it up.
    download.TimeOut = 15000;
    download.SetOptions(TBindInfoOptions::default_set());
    download.AdditionalHeader = {"Content-Type: application/x-www-form-urlencoded"};
    download.UserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Win32)";
}

int pages(const std::string& list, const std::string& result_file, std::size_t in_flight) {
    std::vector<std::string> urls;
    std::ifstream in(list);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) urls.push_back(line);

    MonikerLayer layer;
    TUrlDownload download(layer);
    configure(download);
    std::size_t next = 0, done = 0, failed = 0;
    std::uint64_t bytes = 0;
    download.OnData = [&](TBSCB&, std::vector<std::uint8_t>&, Cardinal&) {};
    download.OnComplete = [&](TBSCB&, const TMemoryStream* stream, HRESULT result) {
        if (!stream) return;  // an early report; the final one follows
        ++done;
        if (result != S_OK) ++failed;
        bytes += stream->size();
        if (next < urls.size()) download.Download(urls[next++]);
        if (done == urls.size()) QCoreApplication::quit();
    };
    while (next < urls.size() && next < in_flight) download.Download(urls[next++]);
    if (!urls.empty()) QCoreApplication::exec();
    std::ofstream(result_file) << "pages=" << done << " failed=" << failed << " bytes=" << bytes << "\n";
    return failed == 0 ? 0 : 1;
}

int big(const std::string& url, const std::string& result_file) {
    MonikerLayer layer;
    TUrlDownload download(layer);
    configure(download);
    download.TimeOut = 60000;
    std::uint64_t bytes = 0;
    HRESULT final_result = S_OK;
    download.OnComplete = [&](TBSCB&, const TMemoryStream* stream, HRESULT result) {
        if (!stream) return;
        bytes = stream->size();
        final_result = result;
        QCoreApplication::quit();
    };
    const long idle = status_kb("VmRSS");
    download.Download(url);
    QCoreApplication::exec();
    const long peak = status_kb("VmHWM");
    std::ofstream(result_file) << "idle_kb=" << idle << " peak_kb=" << peak << " bytes=" << bytes
                               << " result=" << final_result << "\n";
    return final_result == S_OK ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 3 && args[0] == "pages")
        return pages(args[1], args[2], args.size() >= 4 ? std::stoul(args[3]) : 25);
    if (args.size() >= 3 && args[0] == "big") return big(args[1], args[2]);
    std::fprintf(stderr, "usage: bench_download_client pages <url-list> <result-file> [in-flight]\n"
                         "       bench_download_client big <url> <result-file>\n");
    return 2;
}
