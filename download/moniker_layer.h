#pragma once

// The URL moniker layer: HTTP and HTTPS transfers over libcurl's multi-socket interface, driven
// by the QtCore event loop of the thread that creates it, reporting to each download's binding
// callback (binding_interfaces.h).
//
// The program makes exactly one MonikerLayer after its QCoreApplication and before anything
// that downloads, and destroys it last: construction starts libcurl (curl_global_init),
// destruction ends it. Bindings, data streams and callbacks must not outlive it in use.
//
// Every notification reaches a callback from the event loop as a queued call, one at a time,
// never from inside a libcurl callback, and never while another notification of the same
// binding is still running (a handler that processes events re-entrantly gets the rest of
// its own binding's notifications after it returns). OnStopBinding comes exactly once per
// started binding, and last. The binding starts before its first request: OnStartBinding and
// GetPriority come first, then BeginningTransaction for each request (a followed redirect's too).

#include "download/binding_interfaces.h"

#include <cstdint>
#include <memory>
#include <string>

class BindingEngine;

// A URL to bind; made by CreateURLMoniker.
class UrlMoniker {
public:
    explicit UrlMoniker(std::string url) : url_(std::move(url)) {}
    const std::string& url() const { return url_; }

private:
    std::string url_;
};

// Names the callback that receives a binding's notifications; made by CreateAsyncBindCtx.
class BindCtx {
public:
    explicit BindCtx(IBindStatusCallback* callback) : callback_(callback) {}
    IBindStatusCallback* callback() const { return callback_; }

private:
    IBindStatusCallback* callback_;  // not owned
};

// A running binding, handed to the callback by OnStartBinding.
class Binding {
public:
    Binding(std::weak_ptr<BindingEngine> engine, std::uint64_t id) : engine_(std::move(engine)), id_(id) {}
    // Stops the transfer now; OnStopBinding follows with E_ABORT unless the binding has
    // already reported its end. Harmless when repeated.
    HRESULT Abort();
    // HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER into a 4-byte buffer: the final
    // response's Content-Length. Fails when the response has none or it does not fit.
    HRESULT QueryInfo(Cardinal option, void* buffer, Cardinal& length);

private:
    std::weak_ptr<BindingEngine> engine_;
    std::uint64_t id_;
};

class MonikerLayer {
public:
    MonikerLayer();
    ~MonikerLayer();
    MonikerLayer(const MonikerLayer&) = delete;
    MonikerLayer& operator=(const MonikerLayer&) = delete;

    HRESULT CreateURLMoniker(const std::string& url, std::shared_ptr<UrlMoniker>& moniker);
    HRESULT CreateAsyncBindCtx(IBindStatusCallback* callback, std::shared_ptr<BindCtx>& context);
    // S_OK for an absolute http or https URL that libcurl can parse; MK_E_SYNTAX otherwise.
    HRESULT IsValidURL(const BindCtx* context, const std::string& url);
    // Asks the callback for its bind information at once, then starts the transfer.
    // Asynchronous bind flag: returns MK_S_ASYNCHRONOUS and the notifications follow on the
    // event loop. Without it: runs the binding to its end in a nested wait that delivers only
    // this binding's notifications, OnStopBinding included, and returns S_OK; the binding's
    // result travels in OnStopBinding.
    HRESULT BindToStorage(const UrlMoniker& moniker, const BindCtx& context, std::shared_ptr<DataStream>& stream);
    // The callback is going away: stop its bindings and deliver nothing more to it.
    void RevokeBindStatusCallback(IBindStatusCallback* callback);

    // Bindings started and not yet stopped; for tests and diagnostics.
    std::size_t binding_count() const;

private:
    std::shared_ptr<BindingEngine> engine_;
};
