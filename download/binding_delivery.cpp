// Delivery of each kind of recorded notice to a binding's callback, in the order the binding
// callback relies on. Every step looks its record up again after a call into the callback.

#include "analysis/text_case.h"
#include "analysis/web_url.h"
#include "download/binding_engine.h"
#include "download/http_head.h"
#include "download/moniker_layer.h"
#include "download/utf16_text.h"

#include <QtGlobal>

#include <algorithm>
#include <exception>
#include <limits>

namespace {

Cardinal saturated(std::uint64_t value) { return static_cast<Cardinal>(std::min<std::uint64_t>(value, std::numeric_limits<Cardinal>::max())); }

// A borrowed pointer to another interface of the callback; the binding's own reference keeps
// the object alive.
template <class Interface>
Interface* interface_of(IBindStatusCallback* callback, const TGUID& iid) {
    void* object = nullptr;
    if (callback->QueryInterface(iid, &object) != S_OK || !object) return nullptr;
    auto* found = static_cast<Interface*>(object);
    found->Release();
    return found;
}

std::vector<std::string> header_lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(std::move(line));
        begin = end + 1;
    }
    return lines;
}

std::string joined_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace

TransferRequest request_of(BINDINFO& info, const std::string& url) {
    TransferRequest request;
    request.url = url;
    switch (info.dwBindVerb) {
        case BINDVERB_POST: request.method = "POST"; break;
        case BINDVERB_PUT: request.method = "PUT"; break;
        case BINDVERB_CUSTOM:
            request.method = info.szCustomVerb.empty() ? "GET" : from_utf16(info.szCustomVerb);
            break;
        default: request.method = "GET"; break;
    }
    const STGMEDIUM& medium = info.stgmedData;
    if (request.method != "GET" && medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        const std::size_t size = std::min<std::size_t>(info.cbstgmedData, medium.hGlobal->size());
        request.body.assign(reinterpret_cast<const char*>(medium.hGlobal->data()), size);
        request.has_body = true;
    }
    // The body is copied; the block stays its owner's.
    if (medium.pUnkForRelease) medium.pUnkForRelease->Release();
    info.stgmedData.pUnkForRelease = nullptr;
    return request;
}

template <class Call>
HRESULT BindingEngine::call_callback(std::uint64_t id, Call&& call) {
    BindingRecord* record = find(id);
    if (!record) return E_ABORT;
    try {
        return call(record->callback);
    } catch (const std::exception& e) {
        qWarning("A download notification failed: %s", e.what());
    } catch (...) {
        qWarning("A download notification failed.");
    }
    return E_FAIL;
}

template <class Call>
BindingEngine::CallOutcome BindingEngine::call_then_find(std::uint64_t id, Call&& call) {
    const HRESULT result = call_callback(id, std::forward<Call>(call));
    return {result, find_live(id)};
}

void BindingEngine::deliver(std::uint64_t id, Notice& notice) {
    switch (notice.kind) {
        case Notice::Kind::Start: start_binding(id); break;
        case Notice::Kind::Progress: deliver_progress(id, notice.code, notice.text); break;
        case Notice::Kind::Head: deliver_head(id, notice); break;
        case Notice::Kind::Data: deliver_data(id); break;
        case Notice::Kind::Redirect: deliver_redirect(id, notice.text); break;
        case Notice::Kind::Challenge: deliver_challenge(id, notice.text); break;
        case Notice::Kind::SecurityProblem: deliver_security_problem(id); break;
        case Notice::Kind::End: deliver_end(id, notice.result); break;
        case Notice::Kind::Stop: deliver_stop(id, notice.result); break;
    }
}

// OnStartBinding and GetPriority, then the first request. The binding starts before its request,
// so a cancel from inside that request's BeginningTransaction is seen by the next notification.
void BindingEngine::start_binding(std::uint64_t id) {
    if (!find_live(id)) return;
    auto binding = std::make_shared<Binding>(self_, id);
    const auto started =
        call_then_find(id, [&](IBindStatusCallback* callback) { return callback->OnStartBinding(0, binding); });
    if (!started.live) return;
    if (started.result < 0) {
        abort(id);
        return;
    }
    std::int32_t priority = 0;
    const auto prioritised =
        call_then_find(id, [&](IBindStatusCallback* callback) { return callback->GetPriority(priority); });
    if (!prioritised.live) return;
    start_request(id, true);
}

// GetBindInfo (again, after a redirect), BeginningTransaction, then the transfer handed to libcurl.
void BindingEngine::start_request(std::uint64_t id, bool first) {
    BindingRecord* record = find_live(id);
    if (!record) return;
    if (!first) {
        Cardinal bind_flags = 0;
        BINDINFO info;
        const auto asked =
            call_then_find(id, [&](IBindStatusCallback* callback) { return callback->GetBindInfo(bind_flags, info); });
        if (!asked.live) return;
        TransferRequest request = request_of(info, asked.live->url);
        if (!(record = find_live(id))) return;
        if (asked.result < 0) {
            queue_stop(*record, asked.result);
            return;
        }
        record->request = std::move(request);
    }

    std::u16string additional;
    if (auto* negotiate = interface_of<IHttpNegotiate>(record->callback, IID_IHttpNegotiate)) {
        const auto url = record->url_utf16;
        const auto answered = call_then_find(
            id, [&](IBindStatusCallback*) { return negotiate->BeginningTransaction(*url, u"", 0, additional); });
        if (!(record = answered.live)) return;
        if (answered.result < 0) {
            queue_stop(*record, E_ABORT);
            return;
        }
    }
    record->request.header_lines = header_lines_of(from_utf16(additional));
    record->head.clear();
    record->content_length.reset();
    record->encoded = false;
    if (!launch(*record)) {
        queue_stop(*record, E_OUTOFMEMORY);
        return;
    }
    record->push({Notice::Kind::Progress, BINDSTATUS_FINDINGRESOURCE, record->host});
}

void BindingEngine::deliver_progress(std::uint64_t id, Cardinal status, const std::string& text) {
    report_progress(id, 0, 0, status, to_utf16(text));
}

// OnResponse for the final response (refusing it aborts), then the MIME type.
void BindingEngine::deliver_head(std::uint64_t id, Notice& notice) {
    BindingRecord* record = find_live(id);
    if (!record) return;
    record->head = std::move(notice.text);
    record->content_length = content_length_of(record->head);
    const auto encoding = header_value(record->head, "Content-Encoding");
    record->encoded = encoding && !encoding->empty() && !equals_ignoring_case(*encoding, "identity");

    if (auto* negotiate = interface_of<IHttpNegotiate>(record->callback, IID_IHttpNegotiate)) {
        const std::u16string response_headers = to_utf16(record->head);
        const std::u16string request_headers = to_utf16(joined_lines(record->request.header_lines));
        std::u16string additional;
        const auto answered = call_then_find(id, [&](IBindStatusCallback*) {
            return negotiate->OnResponse(notice.code, response_headers, request_headers, additional);
        });
        if (!(record = answered.live)) return;
        if (answered.result < 0) {
            abort(id);
            return;
        }
    }
    const auto type = header_value(record->head, "Content-Type");
    if (type && !type->empty()) deliver_progress(id, BINDSTATUS_MIMETYPEAVAILABLE, *type);
}

// Progress 4 before the first block, 5 for every block, then the data notification.
void BindingEngine::deliver_data(std::uint64_t id) {
    const BindingRecord* record = find_live(id);
    if (!record) return;
    const Cardinal total = saturated(record->stream->received());
    const Cardinal max = progress_max(*record);
    const auto url = record->url_utf16;
    if (record->phase == BindingRecord::Phase::Requesting &&
        !report_progress(id, total, max, BINDSTATUS_BEGINDOWNLOADDATA, *url))
        return;
    if (!report_progress(id, total, max, BINDSTATUS_DOWNLOADINGDATA, *url)) return;
    hand_over_data(id, total, false);
}

bool BindingEngine::report_progress(std::uint64_t id, Cardinal progress, Cardinal max, Cardinal status,
                                    const std::u16string& text) {
    return call_then_find(id, [&](IBindStatusCallback* callback) {
               return callback->OnProgress(progress, max, status, text);
           }).live != nullptr;
}

// OnDataAvailable; the first one carries the data stream.
bool BindingEngine::hand_over_data(std::uint64_t id, Cardinal total, bool last) {
    BindingRecord* record = find_live(id);
    if (!record) return false;
    const bool first = record->phase == BindingRecord::Phase::Requesting;
    record->phase = BindingRecord::Phase::Receiving;
    STGMEDIUM medium;
    if (first) {
        medium.tymed = TYMED_ISTREAM;
        medium.pstm = record->stream;
    }
    const FORMATETC format;
    Cardinal flags = last ? BSCF_LASTDATANOTIFICATION : BSCF_INTERMEDIATEDATANOTIFICATION;
    if (first) flags = last ? flags | BSCF_FIRSTDATANOTIFICATION : BSCF_FIRSTDATANOTIFICATION;
    return call_then_find(id, [&](IBindStatusCallback* callback) {
               return callback->OnDataAvailable(flags, total, format, medium);
           }).live != nullptr;
}

void BindingEngine::deliver_redirect(std::uint64_t id, const std::string& url) {
    BindingRecord* record = find_live(id);
    if (!record) return;
    ++record->redirects;
    record->set_url(url);
    deliver_progress(id, BINDSTATUS_REDIRECTING, url);
    start_request(id, false);
}

// A 401 with a Basic challenge: ask once for credentials and repeat the request with them;
// without them the 401 is the final response.
void BindingEngine::deliver_challenge(std::uint64_t id, const std::string& head) {
    BindingRecord* record = find_live(id);
    if (!record) return;
    record->challenged = true;
    std::uintptr_t hwnd = 0;
    std::u16string user_name, password;
    HRESULT hr = E_NOINTERFACE;
    if (auto* authenticate = interface_of<IAuthenticate>(record->callback, IID_IAuthenticate)) {
        const auto answered = call_then_find(
            id, [&](IBindStatusCallback*) { return authenticate->Authenticate(hwnd, user_name, password); });
        if (!(record = answered.live)) return;
        hr = answered.result;
    }
    if (hr == S_OK && !user_name.empty()) {
        record->request.user_name = from_utf16(user_name);
        record->request.password = from_utf16(password);
        if (!launch(*record)) {
            queue_stop(*record, E_OUTOFMEMORY);
            return;
        }
        record->push({Notice::Kind::Progress, BINDSTATUS_FINDINGRESOURCE, record->host});
        return;
    }
    record->push({Notice::Kind::Head, http_unauthorized, head});
    record->push({Notice::Kind::End, 0, {}, S_OK});
}

// Informs the callback; its answer cannot switch certificate checks off.
void BindingEngine::deliver_security_problem(std::uint64_t id) {
    const BindingRecord* record = find_live(id);
    if (!record) return;
    auto* security = interface_of<IHttpSecurity>(record->callback, IID_IHttpSecurity);
    if (!security) return;
    Cardinal hwnd = 0;
    if (!call_then_find(id, [&](IBindStatusCallback*) { return security->GetWindow(IID_IHttpSecurity, hwnd); }).live)
        return;
    call_callback(id, [&](IBindStatusCallback*) { return security->OnSecurityProblem(SECURITY_PROBLEM_INVALID_CA); });
}

// A transfer that ended normally reports the end of its data; every end then stops the binding.
void BindingEngine::deliver_end(std::uint64_t id, HRESULT result) {
    const BindingRecord* record = find_live(id);
    if (!record) return;
    if (result == S_OK) {
        const Cardinal total = saturated(record->stream->received());
        const auto url = record->url_utf16;
        if (!report_progress(id, total, progress_max(*record), BINDSTATUS_ENDDOWNLOADDATA, *url)) return;
        if (!hand_over_data(id, total, true)) return;
    }
    deliver_stop(id, result);
}

void BindingEngine::deliver_stop(std::uint64_t id, HRESULT result) {
    BindingRecord* record = find(id);
    if (!record || record->phase == BindingRecord::Phase::Finished) return;
    record->phase = BindingRecord::Phase::Stopping;
    record->queue.clear();
    drop_transfer(*record);
    call_callback(id, [&](IBindStatusCallback* callback) { return callback->OnStopBinding(result, u""); });
    record = find(id);
    if (!record) return;  // revoked meanwhile: its owner is gone
    record->phase = BindingRecord::Phase::Finished;
    record->callback->Release();
}

Cardinal BindingEngine::progress_max(const BindingRecord& record) const {
    // A compressed body's Content-Length counts other bytes than those delivered.
    return record.content_length && !record.encoded ? saturated(*record.content_length) : 0;
}
