#include "download/transfer.h"

#include "analysis/text_case.h"
#include "download/http_head.h"

namespace {

// libcurl's own receive buffer: large enough that a page arrives in a few blocks.
constexpr long receive_buffer_bytes = 64L * 1024L;
// Spare easy handles: as many as the downloads that run at once at most (25), and a few more.
constexpr std::size_t kept_easy_handles = 32;
// Check that the certificate names the host (libcurl's only strict setting).
constexpr long verify_host_name = 2L;

bool is_redirect_status(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool offers_basic(const std::string& head) {
    const auto challenge = header_value(head, "WWW-Authenticate");
    return challenge && challenge->size() >= 5 && equals_ignoring_case(challenge->substr(0, 5), "basic");
}

}  // namespace

EasyHandles::~EasyHandles() {
    for (CURL* easy : spare_) curl_easy_cleanup(easy);
}

CURL* EasyHandles::take() {
    if (spare_.empty()) return curl_easy_init();
    CURL* easy = spare_.back();
    spare_.pop_back();
    return easy;
}

void EasyHandles::give_back(CURL* easy) {
    if (!easy) return;
    if (spare_.size() >= kept_easy_handles) {
        curl_easy_cleanup(easy);
        return;
    }
    // Every option back to its initial value; kept are only caches (TLS sessions) and the buffer.
    curl_easy_reset(easy);
    spare_.push_back(easy);
}

Transfer::Transfer(const TransferRequest& request, TransferSink& sink, int redirects_left, bool may_challenge,
                   EasyHandles& handles)
    : sink_(sink), handles_(handles), easy_(handles.take()), redirects_left_(redirects_left), may_challenge_(may_challenge) {
    if (!easy_) return;
    bool ok = true;
    const auto set = [&](CURLoption option, auto value) { ok = ok && curl_easy_setopt(easy_, option, value) == CURLE_OK; };

    set(CURLOPT_URL, request.url.c_str());
    // Only http and https, for the first request and for every redirect; redirects are
    // followed by the binding, not by libcurl.
    set(CURLOPT_PROTOCOLS_STR, "http,https");
    set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    set(CURLOPT_FOLLOWLOCATION, 0L);
    set(CURLOPT_SSL_VERIFYPEER, 1L);
    set(CURLOPT_SSL_VERIFYHOST, verify_host_name);
    set(CURLOPT_ACCEPT_ENCODING, "");  // every encoding libcurl can decode, decoded on arrival
    set(CURLOPT_NOSIGNAL, 1L);
    // A proxy's answer to CONNECT is not the server's response head.
    set(CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    set(CURLOPT_BUFFERSIZE, receive_buffer_bytes);

    for (const auto& line : request.header_lines) {
        curl_slist* grown = curl_slist_append(headers_, line.c_str());
        if (!grown) ok = false;
        else headers_ = grown;
    }
    // No waiting for "100 Continue" before a body: servers that never send it would stall us.
    if (curl_slist* grown = curl_slist_append(headers_, "Expect:")) headers_ = grown;
    else ok = false;
    set(CURLOPT_HTTPHEADER, headers_);

    if (request.method == "GET") {
        set(CURLOPT_HTTPGET, 1L);
    } else {
        if (request.method != "POST") set(CURLOPT_CUSTOMREQUEST, request.method.c_str());
        if (request.has_body) {
            set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
            set(CURLOPT_COPYPOSTFIELDS, request.body.data());
        } else if (request.method == "POST" || request.method == "PUT") {
            set(CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t{0});
            set(CURLOPT_COPYPOSTFIELDS, "");
        }
    }
    if (!request.user_name.empty()) {
        set(CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
        set(CURLOPT_USERNAME, request.user_name.c_str());
        set(CURLOPT_PASSWORD, request.password.c_str());
    }

    set(CURLOPT_HEADERFUNCTION, &Transfer::header_callback);
    set(CURLOPT_HEADERDATA, this);
    set(CURLOPT_WRITEFUNCTION, &Transfer::write_callback);
    set(CURLOPT_WRITEDATA, this);
    set(CURLOPT_SOCKOPTFUNCTION, &Transfer::sockopt_callback);
    set(CURLOPT_SOCKOPTDATA, this);
    set(CURLOPT_PREREQFUNCTION, &Transfer::prereq_callback);
    set(CURLOPT_PREREQDATA, this);
    ready_ = ok;
}

Transfer::~Transfer() {
    handles_.give_back(easy_);
    curl_slist_free_all(headers_);
}

std::string Transfer::redirect_url() const {
    char* url = nullptr;
    if (curl_easy_getinfo(easy_, CURLINFO_REDIRECT_URL, &url) != CURLE_OK || !url) return {};
    return url;
}

template <class Answer, class Work>
Answer Transfer::guarded(Answer stop, Work&& work) noexcept {
    try {
        return work();
    } catch (...) {
        failure_ = hresult_of_current_exception();
        return stop;
    }
}

std::size_t Transfer::header_callback(char* data, std::size_t size, std::size_t count, void* self) noexcept {
    auto* transfer = static_cast<Transfer*>(self);
    return transfer->guarded<std::size_t>(0, [&] { return transfer->take_header(std::string_view(data, size * count)); });
}

std::size_t Transfer::take_header(std::string_view line) {
    if (const int status = status_of_line(line)) {
        status_ = status;
        head_.clear();
        head_done_ = false;
    }
    if (head_done_) return line.size();  // trailers of a chunked body
    head_.append(line);
    if (line == "\r\n" || line == "\n") {
        head_done_ = true;
        if (!head_complete()) return 0;
    }
    return line.size();
}

// A head is complete. Informational heads (1xx) are skipped; the rest decide what this
// transfer is. false stops the transfer.
bool Transfer::head_complete() {
    if (status_ >= 100 && status_ < 200) {
        head_.clear();
        return true;
    }
    if (is_redirect_status(status_) && header_value(head_, "Location")) {
        outcome_ = redirects_left_ > 0 ? Outcome::Redirect : Outcome::TooManyRedirects;
        return outcome_ == Outcome::Redirect;
    }
    if (status_ == http_unauthorized && may_challenge_ && offers_basic(head_)) {
        outcome_ = Outcome::Challenge;
        return true;
    }
    outcome_ = Outcome::Response;
    sink_.on_final_head(status_, head_);
    return true;
}

std::size_t Transfer::write_callback(char* data, std::size_t size, std::size_t count, void* self) noexcept {
    auto* transfer = static_cast<Transfer*>(self);
    const std::size_t length = size * count;
    if (transfer->outcome_ != Outcome::Response) return length;
    return transfer->guarded<std::size_t>(0, [&] { return transfer->sink_.on_body(data, length) ? length : 0; });
}

int Transfer::sockopt_callback(void* self, curl_socket_t, curlsocktype) noexcept {
    auto* transfer = static_cast<Transfer*>(self);
    return transfer->guarded<int>(CURL_SOCKOPT_ERROR, [&] {
        transfer->sink_.on_connecting();
        return CURL_SOCKOPT_OK;
    });
}

int Transfer::prereq_callback(void* self, char*, char*, int, int) noexcept {
    auto* transfer = static_cast<Transfer*>(self);
    return transfer->guarded<int>(CURL_PREREQFUNC_ABORT, [&] {
        transfer->sink_.on_sending();
        return CURL_PREREQFUNC_OK;
    });
}
