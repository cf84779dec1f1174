#pragma once

// TBSCB carries one download from start to end: it starts the binding with the moniker layer,
// answers the layer's notifications and questions through the four callback interfaces, pulls
// the received bytes into its own memory stream, watches the inactivity time-out, and reports
// everything through the owning TUrlDownload's events with itself as Sender.
//
// Owned by its TUrlDownload: an asynchronous download lives in the component's active list
// until its OnStopBinding has reported the final OnComplete; a synchronous one lives during
// Download only. Event-loop thread only. Event handlers read only Url, ServedUrl, ResponseCode
// and ResponseHeaders.

#include "download/UrlDownload.h"
#include "download/binding_interfaces.h"
#include "download/memory_stream.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTimer;
class BindCtx;
class UrlMoniker;

class TBSCB final : public IHttpSecurity, public IAuthenticate, public IHttpNegotiate, public IBindStatusCallback {
public:
    // Copies the settings and starts the binding at once. A start that fails has reported
    // OnComplete with a null Stream before this returns.
    explicit TBSCB(const TInfo& info);
    ~TBSCB();
    TBSCB(const TBSCB&) = delete;
    TBSCB& operator=(const TBSCB&) = delete;

    // The download's URL, exactly as given to Download.
    std::string Url;
    // The address of the latest request: after redirects, the one that served the page.
    std::string ServedUrl;
    // HTTP status of the final response; 0 until one arrives.
    Cardinal ResponseCode = 0;
    // The final response's head as it arrived (status line and header lines), also for an answer
    // that is refused (4xx): what it says of the refusal (Retry-After, a bot check's headers).
    std::string ResponseHeaders;

    // Whether the layer took the binding (and so will report its end through OnStopBinding).
    bool binding_started() const { return started_; }

    // IUnknown, shared by all four interfaces; counts on the owner's shared counter.
    HRESULT QueryInterface(const TGUID& iid, void** object) override;
    std::int32_t AddRef() override;
    std::int32_t Release() override;

    // IWindowForBindingUI / IHttpSecurity
    HRESULT GetWindow(const TGUID& reason, Cardinal& hwnd) override;
    HRESULT OnSecurityProblem(Cardinal problem) override;
    // IAuthenticate
    HRESULT Authenticate(std::uintptr_t& hwnd, std::u16string& user_name, std::u16string& password) override;
    // IHttpNegotiate
    HRESULT BeginningTransaction(const std::u16string& url, const std::u16string& headers, Cardinal reserved,
                                 std::u16string& additional_headers) override;
    HRESULT OnResponse(Cardinal status, const std::u16string& response_headers, const std::u16string& request_headers,
                       std::u16string& additional_request_headers) override;
    // IBindStatusCallback
    HRESULT OnStartBinding(Cardinal reserved, std::shared_ptr<Binding> binding) override;
    HRESULT GetPriority(std::int32_t& priority) override;
    HRESULT OnLowResource(Cardinal reserved) override;
    HRESULT OnProgress(Cardinal progress, Cardinal progress_max, Cardinal status,
                       const std::u16string& status_text) override;
    HRESULT OnStopBinding(HRESULT result, const std::u16string& error) override;
    HRESULT GetBindInfo(Cardinal& bind_flags, BINDINFO& info) override;
    HRESULT OnDataAvailable(Cardinal flags, Cardinal size, const FORMATETC& format, STGMEDIUM& medium) override;
    HRESULT OnObjectAvailable(const TGUID& iid, IUnknown* object) override;

private:
    void start_binding();
    bool cancelled() const;
    void complete(const TMemoryStream* stream, HRESULT result);
    void start_timer();
    void on_timer();

    TInfo info_;
    std::unique_ptr<QTimer> timer_;  // absent until the request is sent
    std::optional<std::chrono::steady_clock::time_point> start_time_;
    bool timed_out_ = false;
    bool handler_failed_ = false;  // an OnData handler threw: the download ends as a failure
    std::shared_ptr<BindCtx> bind_ctx_;
    std::shared_ptr<DataStream> stream_;
    std::shared_ptr<UrlMoniker> moniker_;
    TUrlDownload* owner_;
    bool redirect_ = false;
    std::vector<std::uint8_t> request_body_;
    Cardinal request_body_size_ = 0;
    Cardinal bytes_read_ = 0;
    TMemoryStream memory_stream_;
    std::vector<std::uint8_t> block_;  // the block handed to OnData
    std::size_t announced_length_ = 0;  // the final response's Content-Length, 0 when none
    std::shared_ptr<Binding> binding_;
    bool started_ = false;
};
