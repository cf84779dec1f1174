#include "download/bscb.h"

#include "analysis/number_text.h"
#include "download/data_stream.h"
#include "download/moniker_layer.h"
#include "download/progress_statistics.h"
#include "download/utf16_text.h"

#include <QTimer>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

// A 4xx answer: the download ends without its body.
bool is_client_error(Cardinal status) { return status >= 400 && status <= 499; }

}  // namespace

TBSCB::TBSCB(const TInfo& info) : Url(info.Url), info_(info), owner_(info.owner) { start_binding(); }

TBSCB::~TBSCB() {
    // Whatever the layer still holds for this object must never reach it again.
    owner_->layer().RevokeBindStatusCallback(this);
}

bool TBSCB::cancelled() const { return owner_->cancelled(); }

void TBSCB::complete(const TMemoryStream* stream, HRESULT result) {
    if (owner_->OnComplete) owner_->OnComplete(*this, stream, result);
}

void TBSCB::start_binding() {
    binding_.reset();
    moniker_.reset();
    bind_ctx_.reset();
    request_body_.clear();
    request_body_size_ = 0;
    bytes_read_ = 0;
    MonikerLayer& layer = owner_->layer();
    HRESULT hr = layer.CreateURLMoniker(Url, moniker_);
    if (hr != S_OK) {
        complete(nullptr, hr);
        return;
    }
    hr = layer.CreateAsyncBindCtx(static_cast<IBindStatusCallback*>(this), bind_ctx_);
    if (hr != S_OK) {
        complete(nullptr, hr);
        return;
    }
    if (layer.IsValidURL(bind_ctx_.get(), Url) != S_OK) {
        complete(nullptr, MK_E_SYNTAX);
        return;
    }
    // Set first: a synchronous binding runs to its end inside BindToStorage.
    started_ = true;
    hr = layer.BindToStorage(*moniker_, *bind_ctx_, stream_);
    if (hr != S_OK && hr != MK_S_ASYNCHRONOUS) {
        started_ = false;
        complete(nullptr, hr);
    }
}

HRESULT TBSCB::QueryInterface(const TGUID& iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IHttpSecurity)
        *object = static_cast<IHttpSecurity*>(this);
    else if (iid == IID_IAuthenticate)
        *object = static_cast<IAuthenticate*>(this);
    else if (iid == IID_IHttpNegotiate)
        *object = static_cast<IHttpNegotiate*>(this);
    else if (iid == IID_IBindStatusCallback)
        *object = static_cast<IBindStatusCallback*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

std::int32_t TBSCB::AddRef() { return ++owner_->reference_counter(); }

// The component holds the counter's first reference, so it cannot reach 0 while a download
// exists; the objects are destroyed by their owner, never here.
std::int32_t TBSCB::Release() { return --owner_->reference_counter(); }

HRESULT TBSCB::GetWindow(const TGUID& reason, Cardinal& hwnd) {
    if (owner_->OnGetWindow) return owner_->OnGetWindow(*this, reason, hwnd);
    return S_OK;
}

HRESULT TBSCB::OnSecurityProblem(Cardinal problem) {
    if (owner_->OnSecurityProblem) return owner_->OnSecurityProblem(*this, problem);
    return S_OK;
}

HRESULT TBSCB::Authenticate(std::uintptr_t& hwnd, std::u16string& user_name, std::u16string& password) {
    if (owner_->OnAuthenticate) return owner_->OnAuthenticate(*this, hwnd, user_name, password);
    user_name = to_utf16(info_.Username);
    password = to_utf16(info_.Password);
    return S_OK;
}

HRESULT TBSCB::BeginningTransaction(const std::u16string& url, const std::u16string& headers, Cardinal reserved,
                                    std::u16string& additional_headers) {
    ServedUrl = from_utf16(url);
    if (cancelled()) {
        complete(nullptr, E_ABORT);
        return E_ABORT;
    }
    std::string text;
    if (!info_.UserAgent.empty()) text += "User-agent: " + info_.UserAgent + "\r\n";
    if (info_.RangeBegin != 0 || info_.RangeEnd != 0) {
        text += "Range: bytes=" + decimal_text(info_.RangeBegin) + "-";
        if (info_.RangeEnd != 0) text += decimal_text(info_.RangeEnd);
        text += "\r\n";
    }
    // The lines go in as they are: a line without its own CR LF runs into the next one.
    if (!info_.HeaderLines.empty() && !info_.HeaderLines.front().empty())
        for (const auto& line : info_.HeaderLines) text += line;
    additional_headers = to_utf16(text);

    HRESULT result = S_OK;
    if (owner_->OnBeginningTransaction)
        result = owner_->OnBeginningTransaction(*this, url, headers, reserved, additional_headers);
    start_timer();
    return result;
}

HRESULT TBSCB::OnResponse(Cardinal status, const std::u16string& response_headers,
                          const std::u16string& request_headers, std::u16string& additional_request_headers) {
    ResponseCode = status;
    ResponseHeaders = from_utf16(response_headers);
    if (binding_) {
        Cardinal length = 0;
        Cardinal size = sizeof length;
        if (binding_->QueryInfo(HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, size) == S_OK) {
            if (length == 0) {
                complete(nullptr, S_OK);
                return E_ABORT;
            }
            // The announced size (within the largest body the layer accepts) is room made once.
            announced_length_ = std::min<std::size_t>(length, largest_body);
        }
    }
    if (is_client_error(status) || cancelled()) {
        complete(nullptr, E_ABORT);
        return E_ABORT;
    }
    if (owner_->OnResponse)
        return owner_->OnResponse(*this, status, response_headers, request_headers, additional_request_headers);
    return S_OK;
}

HRESULT TBSCB::OnStartBinding(Cardinal, std::shared_ptr<Binding> binding) {
    if (cancelled()) {
        complete(nullptr, E_ABORT);
        return E_FAIL;
    }
    binding_ = std::move(binding);
    return S_OK;
}

HRESULT TBSCB::GetPriority(std::int32_t&) {
    if (cancelled() && binding_) binding_->Abort();
    return S_OK;
}

HRESULT TBSCB::OnLowResource(Cardinal) { return S_OK; }

HRESULT TBSCB::OnProgress(Cardinal progress, Cardinal progress_max, Cardinal status, const std::u16string& status_text) {
    if (cancelled()) {
        if (binding_) binding_->Abort();
        return S_OK;
    }
    ProgressTexts texts;
    if (status == BINDSTATUS_DOWNLOADINGDATA && owner_->OnProgress && start_time_) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - *start_time_);
        texts = progress_statistics(progress, progress_max, elapsed);
    }
    redirect_ = status == BINDSTATUS_REDIRECTING;
    if (owner_->OnProgress) {
        const auto begin = static_cast<Cardinal>(info_.RangeBegin);
        owner_->OnProgress(*this, progress + begin, progress_max + begin, status, status_text, texts.ElapsedTime,
                           texts.Speed, texts.EstimatedTime);
    }
    return S_OK;
}

HRESULT TBSCB::OnStopBinding(HRESULT result, const std::u16string&) {
    if (handler_failed_)
        result = E_FAIL;
    else if (timed_out_)
        result = INET_E_CONNECTION_TIMEOUT;
    // Leaving the active list comes last, even when the handler throws: nothing may touch
    // this object afterwards.
    const auto leave = [this] {
        if (info_.BindFlags & BINDF_ASYNCHRONOUS) owner_->remove_active(this);
    };
    try {
        complete(&memory_stream_, result);
    } catch (...) {
        leave();
        throw;
    }
    leave();
    return S_OK;
}

HRESULT TBSCB::GetBindInfo(Cardinal& bind_flags, BINDINFO& info) {
    bind_flags = info_.BindFlags;
    info.cbSize = bind_info_size;
    info.dwBindVerb = redirect_ ? BINDVERB_GET : info_.VerbCode;
    info.grfBindInfoF = info_.BindInfoFlags;
    info.dwCodePage = info_.CodePage;
    info.securityAttributes = {security_attributes_size, info_.SecurityDescriptor, info_.InheritHandle};
    info.szExtraInfo = to_utf16(info_.ExtraInfo);

    request_body_.clear();
    request_body_size_ = 0;
    bool has_body = false;
    if (info_.VerbCode == BINDVERB_PUT) {
        std::ifstream file(info_.PutFileName, std::ios::binary);
        if (file) {
            request_body_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
            request_body_size_ = static_cast<Cardinal>(request_body_.size());
            has_body = true;
        }
    } else if (info_.VerbCode == BINDVERB_POST) {
        request_body_.assign(info_.PostData.begin(), info_.PostData.end());
        request_body_.push_back(0);
        request_body_size_ = static_cast<Cardinal>(request_body_.size());
        has_body = true;
    }
    info.szCustomVerb = !info_.CustomVerb.empty() && info.dwBindVerb == BINDVERB_CUSTOM ? to_utf16(info_.CustomVerb)
                                                                                       : std::u16string();
    info.stgmedData = {};
    info.stgmedData.tymed = info.dwBindVerb == BINDVERB_GET ? TYMED_NULL : TYMED_HGLOBAL;
    info.stgmedData.hGlobal = has_body ? &request_body_ : nullptr;
    info.stgmedData.pUnkForRelease = static_cast<IBindStatusCallback*>(this);
    AddRef();
    info.cbstgmedData = request_body_size_;
    return S_OK;
}

HRESULT TBSCB::OnDataAvailable(Cardinal flags, Cardinal size, const FORMATETC&, STGMEDIUM& medium) {
    if (!start_time_) start_time_ = std::chrono::steady_clock::now();
    if (cancelled()) {
        if (binding_) binding_->Abort();
        return S_OK;
    }
    if (timer_ && timer_->isActive()) timer_->start();
    if ((flags & BSCF_FIRSTDATANOTIFICATION) && !stream_ && medium.tymed == TYMED_ISTREAM) stream_ = medium.pstm;
    if (size <= bytes_read_ || !stream_) return S_OK;
    const Cardinal n = size - bytes_read_;
    Cardinal got = 0;
    do {
        // Never more than can be read now, and one run of received bytes at a time, so that a
        // large n costs no memory that stays empty; the block's storage is kept from one read
        // to the next.
        const Cardinal can_read = static_cast<Cardinal>(std::min<std::size_t>(n, stream_->waiting()));
        stream_->ReadBlock(block_, can_read, got);
        Cardinal length = got;
        try {
            if (owner_->OnData) owner_->OnData(*this, block_, length);
        } catch (...) {
            // The handler lost this block: its page can no longer be whole, so the download fails.
            handler_failed_ = true;
        }
        memory_stream_.write_block(block_, length, announced_length_);
        bytes_read_ += got;
        if (handler_failed_) {
            if (binding_) binding_->Abort();
            return S_OK;
        }
    } while (got != 0);
    return S_OK;
}

HRESULT TBSCB::OnObjectAvailable(const TGUID&, IUnknown*) { return S_OK; }

void TBSCB::start_timer() {
    if (!timer_) {
        timer_ = std::make_unique<QTimer>();
        // A coarse timer may fire up to 5 % early; no download may end before its time-out.
        timer_->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] { on_timer(); });
    }
    timed_out_ = false;
    if (info_.TimeOut > 0)
        timer_->start(info_.TimeOut);
    else
        timer_->stop();  // a time-out of 0 never fires
}

void TBSCB::on_timer() {
    timed_out_ = true;
    if (binding_) binding_->Abort();
}
