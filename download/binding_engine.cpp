#include "download/binding_engine.h"

#include "analysis/web_url.h"
#include "download/curl_result_codes.h"
#include "download/http_head.h"
#include "download/url_syntax.h"
#include "download/utf16_text.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <limits>

BindingRecord::BindingRecord(BindingEngine& engine_, std::uint64_t id_, IBindStatusCallback* callback_)
    : engine(engine_), id(id_), callback(callback_) {}

void BindingRecord::push(Notice notice) {
    if (stopping()) return;
    queue.push_back(std::move(notice));
    engine.mark_ready(*this);
}

void BindingRecord::set_url(std::string next) {
    std::string next_host(web_host(next));
    set_url(std::move(next), std::move(next_host));
}

void BindingRecord::set_url(std::string next, std::string next_host) {
    url = std::move(next);
    url_utf16 = std::make_shared<const std::u16string>(to_utf16(url));
    host = std::move(next_host);
}

void BindingRecord::on_connecting() { push({Notice::Kind::Progress, BINDSTATUS_CONNECTING, host}); }

void BindingRecord::on_sending() { push({Notice::Kind::Progress, BINDSTATUS_SENDINGREQUEST, {}}); }

void BindingRecord::on_final_head(int status, std::string final_head) {
    if (const auto length = content_length_of(final_head)) stream->expect(*length);
    push({Notice::Kind::Head, static_cast<Cardinal>(status), std::move(final_head)});
}

bool BindingRecord::on_body(const char* data, std::size_t length) {
    if (stream->received() + length > largest_body) {
        over_cap = true;
        stream->discard();
        return false;
    }
    stream->append(data, length);
    // One waiting data notice covers every byte that arrives before it is delivered.
    if (queue.empty() || queue.back().kind != Notice::Kind::Data) push({Notice::Kind::Data});
    return true;
}

BindingEngine::BindingEngine()
    : driver_([this](CURL* easy, CURLcode code) { on_transfer_done(easy, code); },
              [this](HRESULT result) { end_all_transfers(result); }) {}

BindingEngine::~BindingEngine() {
    for (auto& [id, record] : records_) drop_transfer(*record);
    records_.clear();
}

const std::optional<HttpUrl>& BindingEngine::normalized(const std::string& url) {
    thread_.check();
    if (!last_url_known_ || url != last_url_) {
        last_normalized_ = parsed_http_url(url);
        last_url_ = url;
        last_url_known_ = true;
    }
    return last_normalized_;
}

HRESULT BindingEngine::bind(const std::string& url, IBindStatusCallback* callback) {
    thread_.check();
    const auto normalized = this->normalized(url);
    if (!normalized) return MK_E_SYNTAX;
    Cardinal bind_flags = 0;
    BINDINFO info;
    HRESULT hr = E_FAIL;
    try {
        hr = callback->GetBindInfo(bind_flags, info);
    } catch (...) {
        hr = E_FAIL;
    }
    if (hr < 0) return hr;

    const std::uint64_t id = next_id_++;
    auto owned = std::make_unique<BindingRecord>(*this, id, callback);
    BindingRecord& record = *owned;
    record.set_url(normalized->url, normalized->host);
    record.asynchronous = (bind_flags & BINDF_ASYNCHRONOUS) != 0;
    record.request = request_of(info, record.url);
    callback->AddRef();  // released after OnStopBinding
    records_.emplace(id, std::move(owned));
    record.push({Notice::Kind::Start});
    if (record.asynchronous) return MK_S_ASYNCHRONOUS;

    // Synchronous: this binding alone is delivered to until it has stopped.
    focus_.push_back(id);
    while (find(id)) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    focus_.erase(std::find(focus_.begin(), focus_.end(), id));
    schedule_flush();  // whatever was held back meanwhile
    return S_OK;
}

HRESULT BindingEngine::abort(std::uint64_t id) {
    thread_.check();
    BindingRecord* record = find(id);
    if (!record || record->stopping()) return S_OK;
    drop_transfer(*record);
    queue_stop(*record, E_ABORT);
    return S_OK;
}

HRESULT BindingEngine::query_info(std::uint64_t id, Cardinal option, void* buffer, Cardinal& length) {
    thread_.check();
    if (option != (HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER) || !buffer || length < sizeof(Cardinal))
        return E_INVALIDARG;
    const BindingRecord* record = find(id);
    if (!record || !record->content_length || *record->content_length > std::numeric_limits<Cardinal>::max()) return E_FAIL;
    const Cardinal value = static_cast<Cardinal>(*record->content_length);
    std::memcpy(buffer, &value, sizeof value);
    length = sizeof value;
    return S_OK;
}

void BindingEngine::revoke(IBindStatusCallback* callback) {
    thread_.check();
    std::vector<std::uint64_t> gone;
    for (auto& [id, record] : records_)
        if (record->callback == callback) gone.push_back(id);
    for (const auto id : gone) {
        drop_transfer(*records_.at(id));
        records_.erase(id);
    }
}

void BindingEngine::mark_ready(BindingRecord& record) {
    if (!record.in_ready) {
        record.in_ready = true;
        ready_.push_back(record.id);
    }
    schedule_flush();
}

BindingRecord* BindingEngine::find(std::uint64_t id) {
    const auto found = records_.find(id);
    return found == records_.end() ? nullptr : found->second.get();
}

BindingRecord* BindingEngine::find_live(std::uint64_t id) {
    BindingRecord* record = find(id);
    return record && !record->stopping() ? record : nullptr;
}

bool BindingEngine::deliverable(const BindingRecord& record) const {
    return !record.delivering && (focus_.empty() || focus_.back() == record.id);
}

void BindingEngine::schedule_flush() {
    if (flush_posted_) return;
    flush_posted_ = true;
    QMetaObject::invokeMethod(&context_, [this] { flush(); }, Qt::QueuedConnection);
}

void BindingEngine::flush() {
    flush_posted_ = false;
    // One pass over the bindings that were ready when it began; what becomes ready meanwhile
    // waits for the next pass, so that sockets and timers get their turn in between.
    for (std::size_t pass = ready_.size(); pass > 0 && !ready_.empty(); --pass) {
        const std::uint64_t id = ready_.front();
        ready_.pop_front();
        BindingRecord* record = find(id);
        if (!record) continue;
        record->in_ready = false;
        if (record->queue.empty()) continue;
        if (!deliverable(*record)) {
            // Busy or held back by a synchronous wait; it is marked ready again when that ends.
            record->in_ready = true;
            ready_.push_back(id);
            continue;
        }
        deliver_all(id);
    }
    for (const auto id : ready_) {
        const BindingRecord* record = find(id);
        if (record && !record->queue.empty() && deliverable(*record)) {
            schedule_flush();
            break;
        }
    }
}

void BindingEngine::deliver_all(std::uint64_t id) {
    for (;;) {
        BindingRecord* record = find(id);
        if (!record) return;
        if (record->queue.empty() || !deliverable(*record)) {
            if (!record->queue.empty()) mark_ready(*record);
            return;
        }
        Notice notice = std::move(record->queue.front());
        record->queue.pop_front();
        record->delivering = true;
        deliver(id, notice);
        record = find(id);
        if (!record) return;
        record->delivering = false;
        if (record->phase == BindingRecord::Phase::Finished) {
            records_.erase(id);
            return;
        }
    }
}

void BindingEngine::queue_stop(BindingRecord& record, HRESULT result) {
    record.phase = BindingRecord::Phase::Stopping;
    record.queue.clear();
    record.queue.push_back({Notice::Kind::Stop, 0, {}, result});
    mark_ready(record);
}

bool BindingEngine::launch(BindingRecord& record) {
    auto transfer = std::make_unique<Transfer>(record.request, record, max_redirects - record.redirects, !record.challenged,
                                               easy_handles_);
    if (!transfer->ready() || !driver_.add(transfer->easy())) return false;
    transfers_[transfer->easy()] = record.id;
    record.transfer = std::move(transfer);
    return true;
}

void BindingEngine::drop_transfer(BindingRecord& record) {
    if (!record.transfer) return;
    driver_.remove(record.transfer->easy());
    transfers_.erase(record.transfer->easy());
    record.transfer.reset();
}

void BindingEngine::on_transfer_done(CURL* easy, CURLcode code) {
    const auto found = transfers_.find(easy);
    if (found == transfers_.end()) return;
    BindingRecord* record = find(found->second);
    if (!record || !record->transfer) return;
    const HRESULT failure = record->transfer->failure();
    const Transfer::Outcome outcome = record->transfer->outcome();
    const std::string redirect = outcome == Transfer::Outcome::Redirect ? record->transfer->redirect_url() : "";
    const std::string held_head = record->transfer->held_head();
    long request_bytes = 0;
    curl_off_t body_bytes = 0;
    curl_easy_getinfo(easy, CURLINFO_REQUEST_SIZE, &request_bytes);
    curl_easy_getinfo(easy, CURLINFO_SIZE_DOWNLOAD_T, &body_bytes);
    drop_transfer(*record);
    if (record->stopping()) return;
    if (failure != S_OK) {
        // One of its libcurl callbacks failed; libcurl has let go of it.
        record->push({Notice::Kind::End, 0, {}, failure});
        return;
    }

    switch (outcome) {
        case Transfer::Outcome::Redirect:
            if (const auto next = normalized_http_url(redirect))
                record->push({Notice::Kind::Redirect, 0, *next});
            else
                record->push({Notice::Kind::End, 0, {}, redirect.empty() ? INET_E_REDIRECT_FAILED : INET_E_UNKNOWN_PROTOCOL});
            return;
        case Transfer::Outcome::Challenge: record->push({Notice::Kind::Challenge, http_unauthorized, held_head}); return;
        case Transfer::Outcome::TooManyRedirects: record->push({Notice::Kind::End, 0, {}, INET_E_REDIRECT_FAILED}); return;
        case Transfer::Outcome::Response: break;
    }
    if (record->over_cap) {
        record->push({Notice::Kind::End, 0, {}, INET_E_CANNOT_LOAD_DATA});
        return;
    }
    if (is_certificate_problem(code)) record->push({Notice::Kind::SecurityProblem});
    record->push({Notice::Kind::End, 0, {}, hresult_of_curl(code, request_bytes > 0 && body_bytes == 0)});
}

void BindingEngine::end_all_transfers(HRESULT result) {
    qWarning("The downloads in progress stopped: libcurl could not go on with them.");
    std::vector<std::uint64_t> ended;
    for (const auto& [easy, id] : transfers_) ended.push_back(id);
    for (const auto id : ended) {
        BindingRecord* record = find(id);
        if (!record) continue;
        drop_transfer(*record);
        if (!record->stopping()) record->push({Notice::Kind::End, 0, {}, result});
    }
}
