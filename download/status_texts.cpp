#include "download/status_texts.h"

#include "analysis/number_text.h"

#include <utility>

namespace {

template <class Code, std::size_t N>
const char* lookup(const std::pair<Code, const char*> (&table)[N], Code code) {
    for (const auto& [key, text] : table)
        if (key == code) return text;
    return nullptr;
}

const std::pair<std::int32_t, const char*> response_texts[] = {
    {100, "Continue"},
    {101, "Switching Protocols"},
    {200, "OK"},
    {201, "Created"},
    {202, "Accepted"},
    {203, "Non-Authoritative Information"},
    {204, "No Content"},
    {205, "Reset Content"},
    {206, "Partial Content"},
    {300, "Multiple Choices"},
    {301, "Moved Permanently"},
    {302, "Moved Temporarily"},
    {303, "See Other"},
    {304, "Not Modified"},
    {305, "Use Proxy"},
    {400, "Bad Request"},
    {401, "Unauthorized"},
    {402, "Payment Required"},
    {403, "Forbidden"},
    {404, "Not Found"},
    {405, "Method Not Allowed"},
    {406, "None Acceptable"},
    {407, "Proxy Authentication Required"},
    {408, "Request Timeout"},
    {409, "Conflict"},
    {410, "Gone"},
    {411, "Length Required"},
    {412, "Precondition Failed"},
    {413, "Request Entity Too Large"},
    {414, "Request-URI Too Long"},
    {415, "Unsupported Media Type"},
    {416, "Requested Range Not Satisfiable"},
    {417, "Expectation Failed"},
    {500, "Internal Server Error"},
    {501, "Not Implemented"},
    {502, "Bad Gateway"},
    {503, "Service Unavailable"},
    {504, "Gateway Timeout"},
    {505, "HTTP Version Not Supported"},
};

const char* const bind_status_texts[] = {
    "Finding resource...",
    "Connecting...",
    "Server redirecting client...",
    "Beginning to download data...",
    "Downloading data...",
    "Ending data download...",
    "Beginning to download components...",
    "Installing components...",
    "Ending component download...",
    "Using cached copy...",
    "Sending request...",
    "CLSID available...",
    "MIME type available...",
    "Cache file name available...",
};

// Codes the layer itself reports go by their names; the rest are only ever shown.
const std::pair<std::int32_t, const char*> result_texts[] = {
    {S_OK, "Download complete..."},
    {E_ABORT, "Cancelled ..."},
    // The program's own handling of the download failed (a handler raised an error).
    {E_FAIL, "The download failed: the program could not handle its data."},
    {hresult(0x80030005u), "Unable to access the storage object."},
    {hresult(0x800401E0u),
     "The operation was unable to connect to the storage, possibly because a network device could not be "
     "connected to. For more information, see IMoniker::BindToObject."},
    {hresult(0x800401E1u),
     "The operation could not be completed within the time limit specified by the bind context's BIND_OPTS "
     "structure."},
    {MK_E_SYNTAX, "A moniker could not be created because of invalid URL syntax."},
    {hresult(0x800401E7u),
     "An intermediate object was found but it did not support an interface required for an operation. For "
     "example, an item moniker returns this value if its container does not support the IOleItemContainer "
     "interface."},
    {hresult(0x800401EDu), "The object identified by the moniker does not have its own storage."},
    {E_OUTOFMEMORY, "There was insufficient memory ..."},
    {E_INVALIDARG, "One or more parameters are invalid."},
    {INET_E_INVALID_URL, "The URL could not be parsed."},
    {hresult(0x800C0003u), "No Internet session was established."},
    {INET_E_CANNOT_CONNECT, "The attempt to connect to the Internet has failed."},
    {INET_E_RESOURCE_NOT_FOUND, "The server or proxy was not found."},
    {hresult(0x800C0006u), "The object was not found."},
    {INET_E_DATA_NOT_AVAILABLE, "An Internet connection was established, but the data cannot be retrieved."},
    {INET_E_DOWNLOAD_FAILURE, "The download has failed (the connection was interrupted)."},
    {INET_E_AUTHENTICATION_REQUIRED, "Authentication is needed to access the object."},
    {hresult(0x800C000Au), "The object is not in one of the acceptable MIME types."},
    {INET_E_CONNECTION_TIMEOUT, "The Internet connection has timed out."},
    {hresult(0x800C000Cu), "The request was invalid."},
    {INET_E_UNKNOWN_PROTOCOL,
     "The protocol is not known and no pluggable protocols have been entered that match."},
    {INET_E_SECURITY_PROBLEM, "A security problem was encountered."},
    {INET_E_CANNOT_LOAD_DATA, "The object could not be loaded."},
    {hresult(0x800C0010u), "CoCreateInstance failed."},
    {hresult(0x800C0011u), "Use the default action."},
    {hresult(0x800C0013u), "The requested option is unknown."},
    {INET_E_REDIRECT_FAILED, "The request is being redirected."},
    {hresult(0x800C0015u), "The request is being redirected to a directory."},
    {hresult(0x800C0016u), "The requested resource could not be locked."},
};

}  // namespace

std::string ResponseCodeToStr(std::int32_t Code) {
    const char* text = lookup(response_texts, Code);
    return text ? text : "Unknown Response";
}

std::string BindStatusToStr(std::uint32_t Code) {
    if (Code >= 1 && Code <= std::size(bind_status_texts)) return bind_status_texts[Code - 1];
    return "Bindstatus Unknown";
}

std::string HResultToStr(std::int32_t Code) {
    const char* text = lookup(result_texts, Code);
    return text ? text : "Error: " + decimal_text(Code);
}
