#pragma once

// The binding engine, the working part of the moniker layer: the bindings, their queues of recorded notifications,
// and the delivery of those notifications from the event loop. Event-loop thread only.
//
// libcurl's callbacks (through Transfer and the binding's TransferSink) only append to a
// binding's queue. Delivery runs from a queued call, binding by binding; a binding is never
// delivered to while one of its notifications is still running, and while a synchronous
// binding waits only that binding is delivered to. No pointer to a binding record is kept
// across a call into a callback: the callback may abort, revoke or start bindings meanwhile,
// so every step looks its record up again by id.

#include "download/binding_interfaces.h"
#include "download/curl_multi_driver.h"
#include "download/data_stream.h"
#include "download/owner_thread.h"
#include "download/transfer.h"
#include "download/url_syntax.h"

#include <QObject>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class BindingEngine;

// The request a bind information describes; releases the medium's release object.
TransferRequest request_of(BINDINFO& info, const std::string& url);

struct Notice {
    enum class Kind { Start, Progress, Head, Data, Redirect, Challenge, SecurityProblem, End, Stop };
    Notice(Kind kind_, Cardinal code_ = 0, std::string text_ = {}, HRESULT result_ = S_OK)
        : kind(kind_), code(code_), text(std::move(text_)), result(result_) {}
    Kind kind;
    Cardinal code = 0;       // Progress: status code; Head: HTTP status
    std::string text;        // Progress: status text; Head and Challenge: the head; Redirect: the URL
    HRESULT result = S_OK;   // End and Stop
};

struct BindingRecord final : TransferSink {
    BindingRecord(BindingEngine& engine, std::uint64_t id, IBindStatusCallback* callback);

    BindingEngine& engine;
    const std::uint64_t id;
    IBindStatusCallback* const callback;
    std::shared_ptr<DataStream> stream = std::make_shared<DataStream>();
    std::string url;   // of the current request
    // The same, as the callback's texts carry it; shared, so that a notification in flight keeps
    // its text even when the record goes meanwhile.
    std::shared_ptr<const std::u16string> url_utf16;
    std::string host;
    bool asynchronous = true;
    TransferRequest request;
    std::unique_ptr<Transfer> transfer;  // while libcurl runs it
    std::deque<Notice> queue;
    int redirects = 0;
    bool challenged = false;
    bool over_cap = false;
    std::string head;  // of the final response
    std::optional<std::uint64_t> content_length;
    bool encoded = false;
    // Where the binding is in its life; the phases only go forward.
    enum class Phase {
        Requesting,  // started, its requests under way, no data handed over yet
        Receiving,   // its first data notification has been delivered
        Stopping,    // its OnStopBinding is queued or running: nothing else follows
        Finished,    // OnStopBinding has returned
    };
    Phase phase = Phase::Requesting;
    bool delivering = false;  // one of its notifications is running
    bool in_ready = false;

    bool stopping() const { return phase >= Phase::Stopping; }

    void push(Notice notice);
    void set_url(std::string next);
    void set_url(std::string next, std::string next_host);
    // TransferSink: inside libcurl, so record only.
    void on_connecting() override;
    void on_sending() override;
    void on_final_head(int status, std::string head) override;
    bool on_body(const char* data, std::size_t length) override;
};

class BindingEngine {
public:
    // Redirects followed for one binding; one more ends it with INET_E_REDIRECT_FAILED.
    static constexpr int max_redirects = 10;

    BindingEngine();
    ~BindingEngine();
    BindingEngine(const BindingEngine&) = delete;
    BindingEngine& operator=(const BindingEngine&) = delete;

    // The owner's handle on this engine, for the Binding objects handed out.
    void set_self(std::weak_ptr<BindingEngine> self) { self_ = std::move(self); }

    // Binding's and MonikerLayer's operations; see moniker_layer.h.
    HRESULT bind(const std::string& url, IBindStatusCallback* callback);
    HRESULT abort(std::uint64_t id);
    HRESULT query_info(std::uint64_t id, Cardinal option, void* buffer, Cardinal& length);
    void revoke(IBindStatusCallback* callback);
    std::size_t binding_count() const { return records_.size(); }
    // normalized_http_url, remembered for the last URL asked: a download's URL is checked when
    // it starts and again when it is bound, and parsing it is a good part of a small page's cost.
    const std::optional<HttpUrl>& normalized(const std::string& url);

    void mark_ready(BindingRecord& record);

private:
    BindingRecord* find(std::uint64_t id);
    bool deliverable(const BindingRecord& record) const;
    void schedule_flush();
    void flush();
    void deliver_all(std::uint64_t id);
    void deliver(std::uint64_t id, Notice& notice);
    void queue_stop(BindingRecord& record, HRESULT result);
    void on_transfer_done(CURL* easy, CURLcode code);
    // libcurl gave up every transfer in progress: each of their bindings ends with result.
    void end_all_transfers(HRESULT result);
    void drop_transfer(BindingRecord& record);
    bool launch(BindingRecord& record);

    // Delivery of each kind of notice (binding_delivery.cpp).
    void start_binding(std::uint64_t id);
    void start_request(std::uint64_t id, bool first);
    void deliver_progress(std::uint64_t id, Cardinal status, const std::string& text);
    void deliver_head(std::uint64_t id, Notice& notice);
    void deliver_data(std::uint64_t id);
    // OnProgress; false when the binding is gone or stopping afterwards.
    bool report_progress(std::uint64_t id, Cardinal progress, Cardinal max, Cardinal status, const std::u16string& text);
    // OnDataAvailable; false when the binding is gone or stopping afterwards.
    bool hand_over_data(std::uint64_t id, Cardinal total, bool last);
    void deliver_redirect(std::uint64_t id, const std::string& url);
    void deliver_challenge(std::uint64_t id, const std::string& head);
    void deliver_security_problem(std::uint64_t id);
    void deliver_end(std::uint64_t id, HRESULT result);
    void deliver_stop(std::uint64_t id, HRESULT result);
    // Calls into the callback; an exception from it becomes E_FAIL (and is reported on stderr),
    // so that the layer's bookkeeping always completes.
    template <class Call>
    HRESULT call_callback(std::uint64_t id, Call&& call);
    // The record of a binding that may still be delivered to: present and not stopping; or null.
    BindingRecord* find_live(std::uint64_t id);
    // What a call into the callback left: its result, and the binding's record looked up again
    // (the callback may have aborted, revoked or started bindings), null when it is gone or stopping.
    struct CallOutcome {
        HRESULT result;
        BindingRecord* live;
    };
    template <class Call>
    CallOutcome call_then_find(std::uint64_t id, Call&& call);
    Cardinal progress_max(const BindingRecord& record) const;

    OwnerThread thread_;
    std::weak_ptr<BindingEngine> self_;
    QObject context_;
    CurlMultiDriver driver_;
    // Before the records: their transfers give their handles back here when they go.
    EasyHandles easy_handles_;
    std::unordered_map<std::uint64_t, std::unique_ptr<BindingRecord>> records_;
    std::unordered_map<CURL*, std::uint64_t> transfers_;
    std::deque<std::uint64_t> ready_;
    std::vector<std::uint64_t> focus_;  // synchronous bindings waiting, innermost last
    std::uint64_t next_id_ = 1;
    bool flush_posted_ = false;
    std::string last_url_;
    std::optional<HttpUrl> last_normalized_;
    bool last_url_known_ = false;
};
