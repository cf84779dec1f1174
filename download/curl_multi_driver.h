#pragma once

// libcurl's multi-socket interface on the QtCore event loop: one QSocketNotifier per socket
// and direction that libcurl asks to watch (switched off, not deleted, when it stops watching), one single-shot QTimer for libcurl's timer. After
// every curl_multi_socket_action it reaps finished transfers with curl_multi_info_read.
// Event-loop thread only. The two handlers run from the event loop, never inside a libcurl
// callback, so they may add and remove transfers.

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
    explicit CurlMultiDriver(std::function<void(CURL*, CURLcode)> on_done);
    ~CurlMultiDriver();
    CurlMultiDriver(const CurlMultiDriver&) = delete;
    CurlMultiDriver& operator=(const CurlMultiDriver&) = delete;

    bool add(CURL* easy);
    void remove(CURL* easy);

private:
    struct Watch {
        QPointer<QSocketNotifier> read;
        QPointer<QSocketNotifier> write;
    };

    static int socket_callback(CURL* easy, curl_socket_t socket, int what, void* driver, void* socket_data);
    static int timer_callback(CURLM* multi, long timeout_ms, void* driver);
    void watch(curl_socket_t socket, int what);
    void unwatch(curl_socket_t socket);
    void action(curl_socket_t socket, int events);
    void reap();

    std::function<void(CURL*, CURLcode)> on_done_;
    CURLM* multi_ = nullptr;
    QObject context_;
    QTimer timer_;
    std::unordered_map<curl_socket_t, Watch> watches_;
};
