#include "download/UrlDownload.h"

#include "download/bscb.h"
#include "download/moniker_layer.h"

#include <QObject>

#include <algorithm>

TUrlDownload::TUrlDownload(MonikerLayer& layer) : layer_(layer), retire_context_(std::make_unique<QObject>()) {
    SetOptions(options_);
    SetMethod(method_);
    SetCodepage(codepage_);
}

TUrlDownload::~TUrlDownload() {
    // No handler hears from a component that is going: its owner may be half torn down.
    OnProgress = nullptr;
    OnData = nullptr;
    OnComplete = nullptr;
    OnBeginningTransaction = nullptr;
    OnResponse = nullptr;
    OnAuthenticate = nullptr;
    OnGetWindow = nullptr;
    OnSecurityProblem = nullptr;
    // Each TBSCB revokes its callback on destruction, so the layer delivers nothing to it later.
    active_.clear();
    retired_.clear();
}

void TUrlDownload::SetCodepage(TCodePageOption value) {
    codepage_ = value;
    code_page_number_ = ::code_page_number(value);
}

void TUrlDownload::SetMethod(TBindVerbOption value) {
    method_ = value;
    verb_code_ = static_cast<std::uint32_t>(value);
}

void TUrlDownload::SetOptions(TBindInfoOptions value) {
    options_ = value;
    bind_flags_ = value.bits();
}

TInfo TUrlDownload::make_info(const std::string& Url) {
    TInfo info;
    info.owner = this;
    info.Url = Url;
    info.TimeOut = TimeOut;
    info.PostData = PostData;
    info.PutFileName = PutFileName;
    info.HeaderLines = AdditionalHeader;
    info.Password = Password;
    info.Username = Username;
    info.CustomVerb = CustomVerb;
    info.ExtraInfo = ExtraInfo;
    info.SecurityDescriptor = Security.Descriptor;
    info.UserAgent = UserAgent;
    info.RangeBegin = Range.RangeBegin;
    info.RangeEnd = Range.RangeEnd;
    info.InheritHandle = Security.InheritHandle;
    info.VerbCode = verb_code_;
    info.BindFlags = bind_flags_;
    info.BindInfoFlags = 0;
    info.CodePage = code_page_number_;
    return info;
}

void TUrlDownload::Download(const std::string& Url) {
    thread_.check();
    cancelled_ = false;
    const TInfo info = make_info(Url);
    auto download = std::make_unique<TBSCB>(info);
    // A download whose start failed has reported its end already and takes no further part;
    // a synchronous one has run to its end inside the constructor. Both go now.
    if ((info.BindFlags & BINDF_ASYNCHRONOUS) != 0 && download->binding_started()) active_.push_back(std::move(download));
}

void TUrlDownload::Cancel() {
    thread_.check();
    cancelled_ = true;
}

bool TUrlDownload::is_active(const TBSCB* download) const {
    return std::any_of(active_.begin(), active_.end(), [&](const auto& d) { return d.get() == download; });
}

void TUrlDownload::remove_active(TBSCB* download) {
    thread_.check();
    const auto found = std::find_if(active_.begin(), active_.end(), [&](const auto& d) { return d.get() == download; });
    if (found == active_.end()) return;
    retired_.push_back(std::move(*found));
    active_.erase(found);
    if (retire_posted_) return;
    retire_posted_ = true;
    QMetaObject::invokeMethod(
        retire_context_.get(),
        [this] {
            retire_posted_ = false;
            auto finished = std::move(retired_);
            retired_.clear();
        },
        Qt::QueuedConnection);
}
