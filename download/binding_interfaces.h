#pragma once

// The contract between the moniker layer and a download's binding callback: the callback
// interfaces the layer calls (with their shared QueryInterface / AddRef / Release), the records
// it hands over, and the status and flag numbers. Everything runs on the event-loop thread.
//
// The layer reaches the other interfaces of a callback only through QueryInterface on its
// IBindStatusCallback. It holds one reference (AddRef) from the start of a binding until it
// has delivered OnStopBinding, and releases the release object of a bind-info medium once it
// has copied the request body.
//
// What a callback method may do, each of them:
// - throw: the layer catches the exception (nothing crosses the event loop or libcurl), writes
//   a warning, and takes it as E_FAIL, the answer that refuses: GetBindInfo fails the bind or
//   stops the binding, BeginningTransaction stops it with E_ABORT, OnStartBinding and
//   OnResponse abort it; the answers of the other methods change nothing. OnStopBinding still
//   counts as delivered, and the binding's reference is released.
// - re-enter: abort its own or any binding (Binding::Abort), start new bindings, revoke a
//   callback, and process events; a binding's next notification waits until the running one
//   has returned. Revoking its own callback ends all delivery to it at once.
// - own: the texts and records it receives are the layer's and valid during the call only;
//   the data stream and the Binding are shared and may be kept.

#include "download/hresult.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Binding;
class DataStream;

// Progress status codes.
constexpr Cardinal BINDSTATUS_FINDINGRESOURCE = 1;
constexpr Cardinal BINDSTATUS_CONNECTING = 2;
constexpr Cardinal BINDSTATUS_REDIRECTING = 3;
constexpr Cardinal BINDSTATUS_BEGINDOWNLOADDATA = 4;
constexpr Cardinal BINDSTATUS_DOWNLOADINGDATA = 5;
constexpr Cardinal BINDSTATUS_ENDDOWNLOADDATA = 6;
constexpr Cardinal BINDSTATUS_SENDINGREQUEST = 11;
constexpr Cardinal BINDSTATUS_MIMETYPEAVAILABLE = 13;

// OnDataAvailable flags.
constexpr Cardinal BSCF_FIRSTDATANOTIFICATION = 1;
constexpr Cardinal BSCF_INTERMEDIATEDATANOTIFICATION = 2;
constexpr Cardinal BSCF_LASTDATANOTIFICATION = 4;

// Medium types.
constexpr Cardinal TYMED_NULL = 0;
constexpr Cardinal TYMED_HGLOBAL = 1;
constexpr Cardinal TYMED_ISTREAM = 4;

constexpr Cardinal BINDF_ASYNCHRONOUS = 1;
constexpr Cardinal BINDVERB_GET = 0;
constexpr Cardinal BINDVERB_POST = 1;
constexpr Cardinal BINDVERB_PUT = 2;
constexpr Cardinal BINDVERB_CUSTOM = 3;

// QueryInfo options.
constexpr Cardinal HTTP_QUERY_CONTENT_LENGTH = 5;
constexpr Cardinal HTTP_QUERY_FLAG_NUMBER = 0x20000000;

// The security problem reported when a server's certificate cannot be verified.
constexpr Cardinal SECURITY_PROBLEM_INVALID_CA = 12045;

// Interface identifiers; only their equality matters.
constexpr TGUID make_iid(std::uint8_t n) { return TGUID{{0x52, 0x4d, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, n}}; }
inline constexpr TGUID IID_IUnknown = make_iid(1);
inline constexpr TGUID IID_IWindowForBindingUI = make_iid(2);
inline constexpr TGUID IID_IHttpSecurity = make_iid(3);
inline constexpr TGUID IID_IAuthenticate = make_iid(4);
inline constexpr TGUID IID_IHttpNegotiate = make_iid(5);
inline constexpr TGUID IID_IBindStatusCallback = make_iid(6);
inline constexpr TGUID IID_IStream = make_iid(7);

class IUnknown {
public:
    virtual HRESULT QueryInterface(const TGUID& iid, void** object) = 0;
    virtual std::int32_t AddRef() = 0;
    virtual std::int32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

class IWindowForBindingUI : public IUnknown {
public:
    virtual HRESULT GetWindow(const TGUID& reason, Cardinal& hwnd) = 0;

protected:
    ~IWindowForBindingUI() = default;
};

class IHttpSecurity : public IWindowForBindingUI {
public:
    virtual HRESULT OnSecurityProblem(Cardinal problem) = 0;

protected:
    ~IHttpSecurity() = default;
};

class IAuthenticate : public IUnknown {
public:
    // An empty user name means none.
    virtual HRESULT Authenticate(std::uintptr_t& hwnd, std::u16string& user_name, std::u16string& password) = 0;

protected:
    ~IAuthenticate() = default;
};

class IHttpNegotiate : public IUnknown {
public:
    // additional_headers: CR LF separated header lines the request is to carry.
    virtual HRESULT BeginningTransaction(const std::u16string& url, const std::u16string& headers, Cardinal reserved,
                                         std::u16string& additional_headers) = 0;
    // Refusing (a failure code) aborts the binding.
    virtual HRESULT OnResponse(Cardinal status, const std::u16string& response_headers,
                               const std::u16string& request_headers, std::u16string& additional_request_headers) = 0;

protected:
    ~IHttpNegotiate() = default;
};

struct FORMATETC {
    Cardinal cfFormat = 0;
    Cardinal tymed = TYMED_ISTREAM;
};

// A medium: a block of memory (the request body, owned by whoever filled it in) or a stream.
struct STGMEDIUM {
    Cardinal tymed = TYMED_NULL;
    const std::vector<std::uint8_t>* hGlobal = nullptr;
    std::shared_ptr<DataStream> pstm;
    IUnknown* pUnkForRelease = nullptr;  // released by the receiver instead of freeing the block
};

// A body beyond this ends its binding with INET_E_CANNOT_LOAD_DATA.
inline constexpr std::uint64_t largest_body = 64ull * 1024 * 1024;

// The sizes the two records announce in their first field.
inline constexpr Cardinal security_attributes_size = 12;
inline constexpr Cardinal bind_info_size = 84;

struct SECURITY_ATTRIBUTES {
    Cardinal nLength = 0;
    std::string lpSecurityDescriptor;  // empty: none
    bool bInheritHandle = false;
};

struct BINDINFO {
    Cardinal cbSize = 0;
    std::u16string szExtraInfo;  // empty: none
    STGMEDIUM stgmedData;
    Cardinal grfBindInfoF = 0;
    Cardinal dwBindVerb = BINDVERB_GET;
    std::u16string szCustomVerb;  // empty: none
    Cardinal cbstgmedData = 0;    // size of the body in stgmedData
    Cardinal dwCodePage = 0;
    SECURITY_ATTRIBUTES securityAttributes;
};

class IBindStatusCallback : public IUnknown {
public:
    virtual HRESULT OnStartBinding(Cardinal reserved, std::shared_ptr<Binding> binding) = 0;
    virtual HRESULT GetPriority(std::int32_t& priority) = 0;
    virtual HRESULT OnLowResource(Cardinal reserved) = 0;
    virtual HRESULT OnProgress(Cardinal progress, Cardinal progress_max, Cardinal status,
                               const std::u16string& status_text) = 0;
    virtual HRESULT OnStopBinding(HRESULT result, const std::u16string& error) = 0;
    virtual HRESULT GetBindInfo(Cardinal& bind_flags, BINDINFO& info) = 0;
    // size: bytes available so far in total; medium carries the data stream on the first call.
    virtual HRESULT OnDataAvailable(Cardinal flags, Cardinal size, const FORMATETC& format, STGMEDIUM& medium) = 0;
    virtual HRESULT OnObjectAvailable(const TGUID& iid, IUnknown* object) = 0;

protected:
    ~IBindStatusCallback() = default;
};
