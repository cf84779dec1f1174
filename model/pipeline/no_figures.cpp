#include "model/pipeline/no_figures.h"

#include "model/app/Downloaddemo_U.h"

#include "analysis/bot_check.h"
#include "analysis/no_figures_reason.h"
#include "download/http_head.h"
#include "download/status_texts.h"

#include <array>
#include <utility>

namespace {

// What each failure of the download layer means for a forum; the rest are shown by their text.
constexpr auto kFailureKinds = std::to_array<std::pair<HRESULT, ReasonKind>>({
    {INET_E_CONNECTION_TIMEOUT, ReasonKind::TimedOut},
    {INET_E_CANNOT_CONNECT, ReasonKind::CannotConnect},
    {INET_E_RESOURCE_NOT_FOUND, ReasonKind::HostNotFound},
    {INET_E_SECURITY_PROBLEM, ReasonKind::Tls},
    {INET_E_REDIRECT_FAILED, ReasonKind::TooManyRedirects},
    {INET_E_CANNOT_LOAD_DATA, ReasonKind::TooLarge},
    {INET_E_DOWNLOAD_FAILURE, ReasonKind::ConnectionBroken},
});

}  // namespace

std::string status_with_text(int status) {
    std::string text = ResponseCodeToStr(status);
    // The status texts of the download layer predate the answer sites now give to a fast client.
    if (status == 429) text = "Too Many Requests";
    return std::to_string(status) + " " + text;
}

NoFiguresReason failed_download_reason(HRESULT result, int status, std::string_view head) {
    // A refused answer (4xx) ends the download as cancelled: its status says why.
    if (status >= 400) {
        const HeaderLookup header = [head](std::string_view name) { return header_value(head, name); };
        if (const std::string service = bot_check_service({}, status, header); !service.empty())
            return bot_check_reason(service);
        return no_figures_reason(ReasonKind::HttpStatus, status_with_text(status));
    }
    for (const auto& [code, kind] : kFailureKinds)
        if (code == result) return no_figures_reason(kind);
    return no_figures_reason(ReasonKind::DownloadFailed, "(" + HResultToStr(result) + ")");
}

void TForm1::note_no_figures(ListView& list, int row, NoFiguresReason reason) {
    memo1.add_line("No figures from " + list.item(row).caption + ": " + reason.text);
    list.set_reason(row, std::move(reason));
}

NoFiguresReason TForm1::unrated_forum_reason(const ForumFigures& figures) const {
    const std::string_view head = pipeline.completed_head;
    const HeaderLookup header = [head](std::string_view name) { return header_value(head, name); };
    const std::string& page = pipeline.page_text.bytes();
    return unrated_page_reason({.page = page,
                                .status = pipeline.completed_response,
                                .status_and_text = status_with_text(pipeline.completed_response),
                                .bot_check = bot_check_service(page, pipeline.completed_response, header),
                                .engine = figures.engine,
                                // A topic page's counts are not unreadable: it has none to give.
                                .engine_recognised = !figures.engine_id.empty() && figures.numbers == 0 &&
                                                     figures.page_kind != PageKind::TopicPage &&
                                                     figures.page_kind != PageKind::ForumPage});
}
