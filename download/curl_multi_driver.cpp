#include "download/curl_multi_driver.h"

#include <QtGlobal>

#include <stdexcept>
#include <string>

namespace {

// Left to libcurl, the cache of kept-alive connections proved too small for transfers that
// are each removed as they end: connections were closed and opened anew (some 300 for
// 10,000 pages from one server, against 25 with this). Four per download of the largest
// number that runs at once (25), as libcurl means its own default to be.
constexpr long kept_connections = 4L * 25L;

// What a libcurl callback answers to give up.
constexpr int callback_failed = -1;

}  // namespace

CurlMultiDriver::CurlMultiDriver(std::function<void(CURL*, CURLcode)> on_done, std::function<void(HRESULT)> on_broken)
    : on_done_(std::move(on_done)), on_broken_(std::move(on_broken)), multi_(curl_multi_init()) {
    if (!multi_) throw std::runtime_error("libcurl cannot make a multi handle");
    const auto set = [this](CURLMoption option, auto value) {
        const CURLMcode code = curl_multi_setopt(multi_, option, value);
        if (code == CURLM_OK) return;
        curl_multi_cleanup(multi_);
        throw std::runtime_error(std::string("libcurl cannot set up its multi handle: ") + curl_multi_strerror(code));
    };
    set(CURLMOPT_SOCKETFUNCTION, &CurlMultiDriver::socket_callback);
    set(CURLMOPT_SOCKETDATA, this);
    set(CURLMOPT_TIMERFUNCTION, &CurlMultiDriver::timer_callback);
    set(CURLMOPT_TIMERDATA, this);
    set(CURLMOPT_MAXCONNECTS, kept_connections);
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &context_, [this] { action(CURL_SOCKET_TIMEOUT, 0); });
}

CurlMultiDriver::~CurlMultiDriver() {
    // The owner has removed every transfer; what remains are libcurl's cached connections,
    // whose closing may still call the socket callback.
    if (const CURLMcode code = curl_multi_cleanup(multi_); code != CURLM_OK)
        qWarning("libcurl could not close its multi handle: %s", curl_multi_strerror(code));
    for (auto& [socket, w] : watches_) {
        delete w.read.data();
        delete w.write.data();
    }
}

bool CurlMultiDriver::add(CURL* easy) {
    thread_.check();
    const CURLMcode code = curl_multi_add_handle(multi_, easy);
    if (code == CURLM_OK && failure_ == S_OK) return true;
    if (code == CURLM_OK) curl_multi_remove_handle(multi_, easy);
    // A callback's failure is reported with the other transfers, from the event loop.
    if (failure_ != S_OK) timer_.start(0);
    failed(code, "curl_multi_add_handle");
    return false;
}

void CurlMultiDriver::remove(CURL* easy) {
    thread_.check();
    failed(curl_multi_remove_handle(multi_, easy), "curl_multi_remove_handle");
    if (failure_ != S_OK) timer_.start(0);
}

bool CurlMultiDriver::failed(CURLMcode code, const char* call) {
    if (code == CURLM_OK) return false;
    qWarning("libcurl: %s failed: %s", call, curl_multi_strerror(code));
    return true;
}

int CurlMultiDriver::fail() noexcept {
    failure_ = hresult_of_current_exception();
    return callback_failed;
}

int CurlMultiDriver::socket_callback(CURL*, curl_socket_t socket, int what, void* driver, void*) noexcept {
    auto* self = static_cast<CurlMultiDriver*>(driver);
    try {
        if (what == CURL_POLL_REMOVE)
            self->unwatch(socket);
        else
            self->watch(socket, what);
        return 0;
    } catch (...) {
        return self->fail();
    }
}

int CurlMultiDriver::timer_callback(CURLM*, long timeout_ms, void* driver) noexcept {
    auto* self = static_cast<CurlMultiDriver*>(driver);
    try {
        // 0 means "act as soon as possible", but not inside this callback: the timer does it.
        if (timeout_ms < 0)
            self->timer_.stop();
        else
            self->timer_.start(static_cast<int>(timeout_ms));
        return 0;
    } catch (...) {
        return self->fail();
    }
}

void CurlMultiDriver::watch(curl_socket_t socket, int what) {
    Watch& w = watches_[socket];
    const auto want = [&](QPointer<QSocketNotifier>& notifier, QSocketNotifier::Type type, int event, bool on) {
        if (!on) {
            if (notifier) notifier->setEnabled(false);
            return;
        }
        if (!notifier) {
            notifier = new QSocketNotifier(static_cast<qintptr>(socket), type);
            QObject::connect(notifier, &QSocketNotifier::activated, &context_,
                             [this, socket, event] { action(socket, event); });
        }
        notifier->setEnabled(true);
    };
    want(w.read, QSocketNotifier::Read, CURL_CSELECT_IN, what == CURL_POLL_IN || what == CURL_POLL_INOUT);
    want(w.write, QSocketNotifier::Write, CURL_CSELECT_OUT, what == CURL_POLL_OUT || what == CURL_POLL_INOUT);
}

void CurlMultiDriver::unwatch(curl_socket_t socket) {
    // The notifiers are switched off and kept for the next socket of this number: libcurl stops
    // and starts watching a kept-alive connection for every transfer on it, and making and
    // deleting notifiers each time costs more than the transfer's own work.
    auto found = watches_.find(socket);
    if (found == watches_.end()) return;
    if (found->second.read) found->second.read->setEnabled(false);
    if (found->second.write) found->second.write->setEnabled(false);
}

void CurlMultiDriver::action(curl_socket_t socket, int events) {
    int running = 0;
    const bool broken = failed(curl_multi_socket_action(multi_, socket, events, &running), "curl_multi_socket_action");
    reap();
    if (!broken && failure_ == S_OK) return;
    const HRESULT result = failure_ != S_OK ? failure_ : E_FAIL;
    failure_ = S_OK;
    on_broken_(result);
}

void CurlMultiDriver::reap() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg != CURLMSG_DONE) continue;
        // Copy first: the message is invalid once its handle leaves the multi handle.
        CURL* easy = message->easy_handle;
        const CURLcode code = message->data.result;
        on_done_(easy, code);
    }
}
