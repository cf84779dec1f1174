#include "download/moniker_layer.h"

#include "download/binding_engine.h"
#include "download/url_syntax.h"

#include <curl/curl.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <stdexcept>

namespace {

#if defined(__GLIBC__)
constexpr int kept_free_heap_bytes = 8 * 1024 * 1024;
#endif

}  // namespace

HRESULT Binding::Abort() {
    const auto engine = engine_.lock();
    return engine ? engine->abort(id_) : S_OK;
}

HRESULT Binding::QueryInfo(Cardinal option, void* buffer, Cardinal& length) {
    const auto engine = engine_.lock();
    return engine ? engine->query_info(id_, option, buffer, length) : E_FAIL;
}

MonikerLayer::MonikerLayer() {
#if defined(__GLIBC__)
    // Every transfer allocates and frees buffers of tens of kilobytes (libcurl's receive buffer,
    // the page). By default the heap gives its top back to the system whenever 128 KB of it are
    // free, so the next transfer's buffers are faulted in afresh, page by page: more system time
    // than the transfer itself. A few megabytes kept instead cost little.
    mallopt(M_TRIM_THRESHOLD, kept_free_heap_bytes);
#endif
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) throw std::runtime_error("libcurl cannot start");
    try {
        engine_ = std::make_shared<BindingEngine>();
    } catch (...) {
        curl_global_cleanup();
        throw;
    }
    engine_->set_self(engine_);
}

MonikerLayer::~MonikerLayer() {
    engine_.reset();
    curl_global_cleanup();
}

HRESULT MonikerLayer::CreateURLMoniker(const std::string& url, std::shared_ptr<UrlMoniker>& moniker) {
    moniker = std::make_shared<UrlMoniker>(url);
    return S_OK;
}

HRESULT MonikerLayer::CreateAsyncBindCtx(IBindStatusCallback* callback, std::shared_ptr<BindCtx>& context) {
    if (!callback) return E_INVALIDARG;
    context = std::make_shared<BindCtx>(callback);
    return S_OK;
}

HRESULT MonikerLayer::IsValidURL(const BindCtx*, const std::string& url) {
    return engine_->normalized(url) ? S_OK : MK_E_SYNTAX;
}

HRESULT MonikerLayer::BindToStorage(const UrlMoniker& moniker, const BindCtx& context, std::shared_ptr<DataStream>& stream) {
    stream.reset();  // the stream comes with the first data notification
    return engine_->bind(moniker.url(), context.callback());
}

void MonikerLayer::RevokeBindStatusCallback(IBindStatusCallback* callback) { engine_->revoke(callback); }

std::size_t MonikerLayer::binding_count() const { return engine_->binding_count(); }
