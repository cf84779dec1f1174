#pragma once

// One HTTP request of a binding as one libcurl easy handle. Its libcurl callbacks only record:
// into the sink, and into what the transfer decided about the response head. The binding
// follows redirects and answers credential challenges itself, one transfer per request.
// The callbacks are noexcept: an exception inside one (an allocation that fails, a sink that
// throws) is caught there and recorded as failure(), and the callback answers libcurl so that
// it ends this transfer; the owner reports the failure once libcurl has returned.
// Event-loop thread only.

#include "download/hresult.h"

#include <curl/curl.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What one transfer sends: the request a binding describes, with its headers and credentials.
struct TransferRequest {
    std::string url;
    std::string method = "GET";  // GET, POST, PUT or a custom verb
    bool has_body = false;
    std::string body;
    std::vector<std::string> header_lines;
    std::string user_name;  // Basic credentials; empty: none
    std::string password;
};

// Receives what a transfer's libcurl callbacks record. Runs inside libcurl: record, nothing else.
class TransferSink {
public:
    virtual void on_connecting() = 0;
    virtual void on_sending() = 0;
    virtual void on_final_head(int status, std::string head) = 0;
    // false refuses the bytes and ends the transfer.
    virtual bool on_body(const char* data, std::size_t length) = 0;

protected:
    ~TransferSink() = default;
};

// Easy handles kept for the next transfer, reset: making one allocates libcurl's state for it
// and, at its first transfer, its receive buffer, and both were freed again at every page's end.
// Event-loop thread only.
class EasyHandles {
public:
    EasyHandles() = default;
    ~EasyHandles();
    EasyHandles(const EasyHandles&) = delete;
    EasyHandles& operator=(const EasyHandles&) = delete;

    // A handle with libcurl's initial settings; nullptr when libcurl cannot make one.
    CURL* take();
    // Takes the handle back (it must be out of the multi handle); keeps a few, frees the rest.
    void give_back(CURL* easy);

private:
    std::vector<CURL*> spare_;
};

class Transfer {
public:
    enum class Outcome {
        Response,          // a final response: its head went to the sink, its body follows
        Redirect,          // a redirect to follow; its body is dropped
        Challenge,         // a 401 asking for Basic credentials; its body is dropped
        TooManyRedirects,  // one redirect more than allowed; the transfer stops
    };

    // redirects_left: how many more redirects may be followed; may_challenge: whether a 401
    // with a Basic challenge should stop for credentials.
    // The handle comes from handles and goes back there; handles must outlive the transfer.
    Transfer(const TransferRequest& request, TransferSink& sink, int redirects_left, bool may_challenge,
             EasyHandles& handles);
    ~Transfer();  // the handle must be out of the multi handle
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    CURL* easy() const { return easy_; }
    bool ready() const { return ready_; }
    Outcome outcome() const { return outcome_; }
    // The head of a redirect or challenge response.
    const std::string& held_head() const { return head_; }
    // Where a redirect leads, resolved against the request URL; empty when libcurl has none.
    // Not to be called from inside a libcurl callback.
    std::string redirect_url() const;
    // S_OK, or what an exception inside one of its libcurl callbacks meant: E_OUTOFMEMORY for
    // an allocation that failed, E_FAIL for anything else. The transfer has ended then.
    HRESULT failure() const { return failure_; }

private:
    static std::size_t header_callback(char* data, std::size_t size, std::size_t count, void* self) noexcept;
    static std::size_t write_callback(char* data, std::size_t size, std::size_t count, void* self) noexcept;
    static int sockopt_callback(void* self, curl_socket_t socket, curlsocktype purpose) noexcept;
    static int prereq_callback(void* self, char* ip, char* local_ip, int remote_port, int local_port) noexcept;
    std::size_t take_header(std::string_view line);
    bool head_complete();
    // Runs a callback's work; an exception from it is recorded as failure_, and the callback
    // answers libcurl stop instead.
    template <class Answer, class Work>
    Answer guarded(Answer stop, Work&& work) noexcept;

    TransferSink& sink_;
    EasyHandles& handles_;
    CURL* easy_ = nullptr;
    curl_slist* headers_ = nullptr;
    bool ready_ = false;
    int redirects_left_;
    bool may_challenge_;
    int status_ = 0;
    std::string head_;
    bool head_done_ = false;
    Outcome outcome_ = Outcome::Response;
    HRESULT failure_ = S_OK;
};
