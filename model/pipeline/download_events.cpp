#include "model/app/Downloaddemo_U.h"

#include "analysis/number_text.h"
#include "analysis/calendar_day.h"
#include "download/bscb.h"
#include "download/http_head.h"
#include "download/utf16_text.h"
#include "model/pipeline/no_figures.h"
#include "model/pipeline/page_copy.h"
#include "model/pipeline/progress_line.h"
#include "model/pipeline/row_texts.h"

#include <QCoreApplication>

#include <algorithm>
#include <ctime>
#include <functional>

void TForm1::wire_download_events() {
    // Each notification is an entry from the event loop: the guard keeps errors out of the layer.
    UrlDownload1.OnProgress = [this](TBSCB& sender, Cardinal progress, Cardinal progress_max, Cardinal status,
                                     const std::u16string&, const std::string&, const std::string&,
                                     const std::string&) {
        guarded([&] { UrlDownload1Progress(sender, progress, progress_max, status); });
    };
    UrlDownload1.OnData = [this](TBSCB& sender, std::vector<std::uint8_t>& buffer, Cardinal& length) {
        guarded([&] { UrlDownload1Data(sender, buffer, length); });
    };
    UrlDownload1.OnComplete = [this](TBSCB& sender, const TMemoryStream* stream, HRESULT result) {
        guarded([&] { UrlDownload1Complete(sender, stream, result); });
    };
    using namespace std::placeholders;
    UrlDownload1.OnSecurityProblem = std::bind(&TForm1::UrlDownload1SecurityProblem, this, _1, _2);
    UrlDownload1.OnResponse = std::bind(&TForm1::UrlDownload1Response, this, _1, _2, _3, _4, _5);
    UrlDownload1.OnGetWindow = std::bind(&TForm1::UrlDownload1GetWindow, this, _1, _2, _3);
    UrlDownload1.OnBeginningTransaction = std::bind(&TForm1::UrlDownload1BeginningTransaction, this, _1, _2, _3, _4, _5);
    UrlDownload1.OnAuthenticate = std::bind(&TForm1::UrlDownload1Authenticate, this, _1, _2, _3, _4);
}

void TForm1::UrlDownload1Progress(TBSCB& Sender, Cardinal ulProgress, Cardinal ulProgressMax, Cardinal ulStatusCode) {
    memo1.add_line(progress_log_line(ulStatusCode, ulProgress, ulProgressMax));
    // The page's announced size, known before its first block: its buffer is made that big once.
    if (ulStatusCode == BINDSTATUS_BEGINDOWNLOADDATA && ulProgressMax > 0)
        slot_buffers.reserve(download_list.index_of_ignoring_case(Sender.Url), ulProgressMax);
}

void TForm1::UrlDownload1Data(TBSCB& Sender, const std::vector<std::uint8_t>& Buffer, Cardinal BufLength) {
    // The block is kept whole, zero bytes included: the page is the page as the server sent it.
    const auto length = std::min<std::size_t>(BufLength, Buffer.size());
    download_data(Sender.Url, std::string_view(reinterpret_cast<const char*>(Buffer.data()), length));
}

void TForm1::download_data(const std::string& url, std::string_view block) {
    // The read loop ends with an empty block: nothing to keep.
    if (block.empty()) return;
    const int slot = download_list.index_of_ignoring_case(url);
    // A download whose line went (its stage ended or a new stage started) has no buffer any more.
    if (slot < 0) return;
    slot_buffers.append(slot, block);
}

void TForm1::UrlDownload1Complete(TBSCB& Sender, const TMemoryStream* Stream, HRESULT Result) {
    // A download refused on the way reports twice: early, without a stream, and when its binding
    // stops. The early report settles its line; by the final one the scheduler may have started
    // the same URL again, and that newer download's line must not be taken for this one's.
    bool line_released = false;
    if (!Stream) {
        if (UrlDownload1.is_active(&Sender)) reported_early_.insert(&Sender);
    } else {
        line_released = reported_early_.erase(&Sender) > 0;
    }
    std::optional<std::int64_t> served_at;
    if (const auto served = served_at_.find(&Sender); served != served_at_.end()) {
        served_at = served->second;
        // The download is over whatever its report: its binding may be reused by the next one.
        if (Stream) served_at_.erase(served);
    }
    download_completed(Sender.Url, Sender.ResponseCode, Result, line_released, served_at, Sender.ResponseHeaders,
                       Sender.ServedUrl);
}

void TForm1::download_completed(const std::string& url, Cardinal response_code, HRESULT result,
                                bool line_released, std::optional<std::int64_t> served_at,
                                std::string_view response_head, std::string_view served_url) {
    if (result != S_OK) {
        const std::string err = HResultToStr(result);
        const std::string resp = ResponseCodeToStr(static_cast<std::int32_t>(response_code));
        memo1.add_line(err + " " + resp);
        if (!line_released) remove_download_line(download_list.index_of_ignoring_case(url));
        const SearchInUse& search = pipeline.search;
        if (!line_released && search.service->refused_hint &&
            static_cast<int>(response_code) == search.service->refused_status &&
            std::find(search.page_urls.begin(), search.page_urls.end(), url) != search.page_urls.end())
            memo1.add_line(search.service->refused_hint);
        const int row = google_list.find_caption(url);
        // The final report of a download reported early has nothing new to say.
        if (!line_released) {
            const int status = static_cast<int>(response_code);
            const auto given_up = take_retry_after(url, status, response_head);
            if (row >= 0 && given_up) set_row_state(google_list, row, RowState::Finished);
            if (row >= 0 && pipeline.research_stage == stage::Forum)
                note_no_figures(google_list, row, given_up.value_or(failed_download_reason(result, status, response_head)));
        }
        if (row < 0) return;
        google_list.set_sub_item(row, queue_column::Status, err + "  " + resp);
        emit download_failed(url, google_list.sub_item(row, queue_column::Status));
        return;
    }

    const int slot = line_released ? -1 : download_list.index_of_ignoring_case(url);
    if (slot < 0) {
        memo1.add_line("Download no longer expected, page not used: " + url);
        return;
    }
    pipeline.completed_url = url;
    pipeline.completed_served_url = std::string(served_url);
    pipeline.completed_slot = slot;
    pipeline.completed_response = static_cast<int>(response_code);
    pipeline.completed_served_at = served_at.value_or(std::time(nullptr));
    pipeline.completed_head = std::string(response_head);
    set_page_text(slot_buffers.take_joined(slot));

    // A copy that cannot be written is reported and the research goes on without it.
    const std::string copy_error = save_page_copy(options_.download_folder, url, pipeline.page_text);
    if (!copy_error.empty()) memo1.add_line(copy_error);

    pipeline.analysis_busy = true;
    further_act.click();  // clears analysis_busy on every way out
    // The pipeline's one point of re-entry: pending window events run once, so a timer tick or
    // another download's events may run nested here. Nothing below uses values from before it.
    QCoreApplication::processEvents();
    memo1.add_line("Download complete...");
}

void TForm1::set_page_text(std::string bytes) {
    pipeline.page_text = PageLines(std::move(bytes));
    // The memo shares the page rather than copying its lines.
    result_memo.set_page(pipeline.page_text);
}

HRESULT TForm1::UrlDownload1SecurityProblem(TBSCB&, Cardinal) { return S_OK; }

HRESULT TForm1::UrlDownload1Response(TBSCB& Sender, Cardinal, const std::u16string& szResponseHeaders,
                                     const std::u16string&, std::u16string&) {
    // The server's clock tells what "Today" on the page means; a page without a readable Date
    // header goes by the local clock when it is handed on.
    const auto date = header_value(from_utf16(szResponseHeaders), "Date");
    const auto served_at = date ? parse_http_date(*date) : std::nullopt;
    if (served_at) served_at_[&Sender] = *served_at;
    else served_at_.erase(&Sender);
    return S_OK;
}

HRESULT TForm1::UrlDownload1GetWindow(TBSCB&, const TGUID&, Cardinal&) { return S_OK; }

HRESULT TForm1::UrlDownload1BeginningTransaction(TBSCB& Sender, const std::u16string& szURL, const std::u16string&,
                                                 Cardinal, std::u16string& szAdditionalHeaders) {
    // Asked for every request, a followed redirect's included: the search service's key and
    // headers go only with the downloads of the search's answer pages, and only to the service's
    // own scheme, host and port. The stage is no guide: a page's last start can be sent after
    // its stage has ended.
    const SearchInUse& search = pipeline.search;
    const auto& pages = search.page_urls;
    if (std::find(pages.begin(), pages.end(), Sender.Url) == pages.end()) return S_OK;
    const std::string headers = search_request_headers(*search.service, search.base, search.key, from_utf16(szURL));
    if (headers.empty()) return S_OK;
    // The component's last header line may lack its line end.
    if (!szAdditionalHeaders.empty() && szAdditionalHeaders.back() != u'\n') szAdditionalHeaders += u"\r\n";
    szAdditionalHeaders += to_utf16(headers);
    return S_OK;
}

HRESULT TForm1::UrlDownload1Authenticate(TBSCB&, std::uintptr_t&, std::u16string&, std::u16string&) { return S_OK; }
