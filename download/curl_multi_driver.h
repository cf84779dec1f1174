#pragma once

// libcurl's multi-socket interface on the QtCore event loop: one QSocketNotifier per socket
// and direction that libcurl asks to watch (switched off, not deleted, when it stops watching), one single-shot QTimer for libcurl's timer. After
// every curl_multi_socket_action it reaps finished transfers with curl_multi_info_read.
// Event-loop thread only. The two handlers run from the event loop, never inside a libcurl
// callback, so they may add and remove transfers.
//
// The socket and timer callbacks are noexcept: an exception inside one (an allocation that
// fails) is caught and recorded, and the callback answers -1, with which libcurl gives up every
// transfer of the multi handle. on_broken then reports it from the event loop.

#include "download/hresult.h"
#include "download/owner_thread.h"

#include <curl/curl.h>

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <unordered_map>

class CurlMultiDriver {
public:
    // on_done: a transfer ended (its handle is still in the multi handle; remove it there).
    // on_broken: libcurl cannot go on with the transfers in progress (a callback failed or the
    // multi handle reported an error); the owner ends each of them with the result given.
    // Throws std::runtime_error when libcurl cannot make or set up the multi handle.
    CurlMultiDriver(std::function<void(CURL*, CURLcode)> on_done, std::function<void(HRESULT)> on_broken);
    ~CurlMultiDriver();
    CurlMultiDriver(const CurlMultiDriver&) = delete;
    CurlMultiDriver& operator=(const CurlMultiDriver&) = delete;

    // false when libcurl refuses the transfer; it is not in the multi handle then.
    bool add(CURL* easy);
    void remove(CURL* easy);

private:
    struct Watch {
        QPointer<QSocketNotifier> read;
        QPointer<QSocketNotifier> write;
    };

    static int socket_callback(CURL* easy, curl_socket_t socket, int what, void* driver, void* socket_data) noexcept;
    static int timer_callback(CURLM* multi, long timeout_ms, void* driver) noexcept;
    int fail() noexcept;
    bool failed(CURLMcode code, const char* call);
    void watch(curl_socket_t socket, int what);
    void unwatch(curl_socket_t socket);
    void action(curl_socket_t socket, int events);
    void reap();

    OwnerThread thread_;
    std::function<void(CURL*, CURLcode)> on_done_;
    std::function<void(HRESULT)> on_broken_;
    HRESULT failure_ = S_OK;  // of a callback, until it is reported
    CURLM* multi_ = nullptr;
    QObject context_;
    QTimer timer_;
    std::unordered_map<curl_socket_t, Watch> watches_;
};
