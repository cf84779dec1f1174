#include "download/UrlDownload.h"

#include "download/bscb.h"
#include "download/moniker_layer.h"

TUrlDownload::TUrlDownload(MonikerLayer& layer) : layer_(layer) { SetOptions(options_); SetMethod(method_); SetCodepage(codepage_); }
TUrlDownload::~TUrlDownload() = default;
void TUrlDownload::SetCodepage(TCodePageOption value) { codepage_ = value; code_page_number_ = ::code_page_number(value); }
void TUrlDownload::SetMethod(TBindVerbOption value) { method_ = value; verb_code_ = static_cast<std::uint32_t>(value); }
void TUrlDownload::SetOptions(TBindInfoOptions value) { options_ = value; bind_flags_ = value.bits(); }
void TUrlDownload::Download(const std::string&) { cancelled_ = false; }
void TUrlDownload::Cancel() { cancelled_ = true; }
void TUrlDownload::remove_active(TBSCB*) {}
