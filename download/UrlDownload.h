#pragma once

// The download component: starts any number of downloads at once and reports each one's
// progress, data and end through events, with the download's TBSCB as Sender.
// Everything here runs on the thread of the QtCore event loop that created the component.

#include "download/bind_options.h"
#include "download/hresult.h"
#include "download/owner_thread.h"
#include "download/status_texts.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBSCB;
class TMemoryStream;
class MonikerLayer;
class QObject;

struct TSecurity {
    bool InheritHandle = false;
    std::string Descriptor;
};

struct TRange {
    std::int32_t RangeBegin = 0;
    std::int32_t RangeEnd = 0;
};

// Events. Each receives the download's TBSCB as Sender; handlers read only its public Url and
// ResponseCode, and must not keep it beyond the call. Every argument is the download's and is
// valid during the call only. All events run on the component's thread, from its event loop
// (or inside Download for a synchronous download and for a download that cannot start),
// never from inside libcurl.
//
// A handler may re-enter: call Download and Cancel, and process events (the same download's
// next event waits until this one returns). It must not destroy the component.
//
// A handler may throw; what follows depends on the event:
// - OnData: the block still goes to the page as the handler left it, and the download ends
//   with E_FAIL.
// - OnComplete: the download is over all the same and leaves the component; the layer catches
//   the exception and writes a warning. The early OnComplete of a download that cannot start
//   runs inside Download, and its exception leaves Download.
// - OnBeginningTransaction, OnResponse: taken as E_FAIL, which refuses the request; the
//   download ends with E_ABORT.
// - OnAuthenticate: taken as E_FAIL: no credentials, the 401 is the final response.
// - OnProgress, OnGetWindow, OnSecurityProblem: the exception is caught and written as a
//   warning; the download goes on.
using TOnProgressEvent = std::function<void(TBSCB& Sender, Cardinal ulProgress, Cardinal ulProgressMax,
                                            Cardinal ulStatusCode, const std::u16string& szStatusText,
                                            const std::string& ElapsedTime, const std::string& Speed,
                                            const std::string& EstimatedTime)>;
// Buffer holds BufLength bytes followed by at least one zero byte. A handler may lower BufLength
// or swap in another buffer of at least BufLength bytes; that one is then written instead.
using TOnDataEvent = std::function<void(TBSCB& Sender, std::vector<std::uint8_t>& Buffer, Cardinal& BufLength)>;
// Stream is null for an early report (refused or not started); otherwise it holds every byte
// received, positioned at its end.
using TOnCompleteEvent = std::function<void(TBSCB& Sender, const TMemoryStream* Stream, HRESULT Result)>;
using TBeginningTransactionEvent = std::function<HRESULT(TBSCB& Sender, const std::u16string& szURL,
                                                         const std::u16string& szHeaders, Cardinal dwReserved,
                                                         std::u16string& szAdditionalHeaders)>;
using TOnResponseEvent = std::function<HRESULT(TBSCB& Sender, Cardinal dwResponseCode,
                                               const std::u16string& szResponseHeaders,
                                               const std::u16string& szRequestHeaders,
                                               std::u16string& szAdditionalRequestHeaders)>;
using TAuthenticateEvent = std::function<HRESULT(TBSCB& Sender, std::uintptr_t& hwnd, std::u16string& szUserName,
                                                 std::u16string& szPassWord)>;
using TGetWindowEvent = std::function<HRESULT(TBSCB& Sender, const TGUID& guidReason, Cardinal& hwnd)>;
using TOnSecurityProblemEvent = std::function<HRESULT(TBSCB& Sender, Cardinal dwProblem)>;

// Per-download copy of the settings, taken when the download starts.
struct TInfo {
    class TUrlDownload* owner = nullptr;
    std::string Url;
    std::int32_t TimeOut = 0;
    std::string PostData;
    std::string PutFileName;
    std::vector<std::string> HeaderLines;
    std::string Password;
    std::string Username;
    std::string CustomVerb;
    std::string ExtraInfo;
    std::string SecurityDescriptor;
    std::string UserAgent;
    std::int32_t RangeBegin = 0;
    std::int32_t RangeEnd = 0;
    bool InheritHandle = false;
    std::uint32_t VerbCode = 0;
    std::uint32_t BindFlags = 0;
    std::uint32_t BindInfoFlags = 0;
    std::uint32_t CodePage = 0;
};

class TUrlDownload {
public:
    // The moniker layer drives the transfers; it must outlive the component.
    explicit TUrlDownload(MonikerLayer& layer);
    virtual ~TUrlDownload();
    TUrlDownload(const TUrlDownload&) = delete;
    TUrlDownload& operator=(const TUrlDownload&) = delete;

    // Published properties, in published order.
    std::int32_t TimeOut = 0;
    std::string ExtraInfo;
    std::string CustomVerb;
    TCodePageOption Codepage() const { return codepage_; }
    void SetCodepage(TCodePageOption value);
    TBindVerbOption Method() const { return method_; }
    void SetMethod(TBindVerbOption value);
    TBindInfoOptions Options() const { return options_; }
    void SetOptions(TBindInfoOptions value);
    TUrlEncodeOptions UrlEncode;
    TSecurity Security;
    TRange Range;
    std::string Password;
    std::string Username;
    std::string PutFileName;
    std::vector<std::string> AdditionalHeader{"Content-Type: application/x-www-form-urlencoded"};
    std::string PostData;
    std::string UserAgent;  // no registry here: empty by default

    TOnProgressEvent OnProgress;
    TOnDataEvent OnData;
    TOnCompleteEvent OnComplete;
    TBeginningTransactionEvent OnBeginningTransaction;
    TOnResponseEvent OnResponse;
    TAuthenticateEvent OnAuthenticate;
    TGetWindowEvent OnGetWindow;
    TOnSecurityProblemEvent OnSecurityProblem;

    // Starts one download. Raises nothing of its own: a download that cannot start reports
    // OnComplete with a null Stream before this returns; a synchronous one reports all its
    // events in here.
    // Virtual so that a test can stand in a component that only records its starts.
    virtual void Download(const std::string& Url);
    // Every running download aborts at its next notification, until the next Download.
    void Cancel();

    bool cancelled() const { return cancelled_; }
    std::uint32_t bind_flags() const { return bind_flags_; }
    std::uint32_t verb_code() const { return verb_code_; }
    std::uint32_t code_page_number() const { return code_page_number_; }
    std::size_t active_count() const { return active_.size(); }
    // Whether download is a running asynchronous download of this component (until its final OnComplete returns).
    bool is_active(const TBSCB* download) const;
    MonikerLayer& layer() { return layer_; }

    // The reference counter that all of this component's TBSCB objects share; starts at 1.
    std::atomic<std::int32_t>& reference_counter() { return references_; }
    // Takes a finished asynchronous download out of the active list; it is destroyed from the
    // event loop once its stop notification has returned and the layer has let go of it.
    void remove_active(TBSCB* download);

private:
    TInfo make_info(const std::string& Url);

    OwnerThread thread_;
    MonikerLayer& layer_;
    TCodePageOption codepage_ = TCodePageOption::Ansi;
    TBindVerbOption method_ = TBindVerbOption::Get;
    TBindInfoOptions options_ = TBindInfoOptions::default_set();
    bool cancelled_ = false;
    std::uint32_t bind_flags_ = 0;
    std::uint32_t verb_code_ = 0;
    std::uint32_t code_page_number_ = 0;
    std::atomic<std::int32_t> references_{1};
    std::vector<std::unique_ptr<TBSCB>> active_;
    std::vector<std::unique_ptr<TBSCB>> retired_;  // out of the list, waiting to be destroyed
    std::unique_ptr<QObject> retire_context_;     // its queued calls die with the component
    bool retire_posted_ = false;
};
