#include "download/curl_result_codes.h"

HRESULT hresult_of_curl(CURLcode code, bool reading_head) {
    switch (code) {
        case CURLE_OK: return S_OK;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY: return INET_E_RESOURCE_NOT_FOUND;
        case CURLE_COULDNT_CONNECT: return INET_E_CANNOT_CONNECT;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_INVALIDCERTSTATUS:
        case CURLE_SSL_CRL_BADFILE:
        case CURLE_SSL_SHUTDOWN_FAILED:
        case CURLE_SSL_ENGINE_NOTFOUND:
        case CURLE_SSL_ENGINE_SETFAILED:
        case CURLE_SSL_ENGINE_INITFAILED:
        case CURLE_USE_SSL_FAILED: return INET_E_SECURITY_PROBLEM;
        // Only http and https URLs reach libcurl, so this is a reply that is no HTTP (garbage, HTTP/0.9).
        case CURLE_UNSUPPORTED_PROTOCOL: return INET_E_DATA_NOT_AVAILABLE;
        case CURLE_URL_MALFORMAT: return INET_E_INVALID_URL;
        case CURLE_TOO_MANY_REDIRECTS: return INET_E_REDIRECT_FAILED;
        // libcurl refuses a response head too large to hold (one huge header line) this way.
        case CURLE_OUT_OF_MEMORY: return reading_head ? INET_E_DATA_NOT_AVAILABLE : E_OUTOFMEMORY;
        case CURLE_OPERATION_TIMEDOUT: return INET_E_CONNECTION_TIMEOUT;
        case CURLE_LOGIN_DENIED:
        case CURLE_REMOTE_ACCESS_DENIED: return INET_E_AUTHENTICATION_REQUIRED;
        // The connection holds but what came over it cannot be used.
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_BAD_CONTENT_ENCODING:
        case CURLE_FILESIZE_EXCEEDED: return INET_E_DATA_NOT_AVAILABLE;
        // Connection broken, body cut short, and everything else that ends a transfer early.
        default: return INET_E_DOWNLOAD_FAILURE;
    }
}

bool is_certificate_problem(CURLcode code) {
    return code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_ISSUER_ERROR ||
           code == CURLE_SSL_INVALIDCERTSTATUS || code == CURLE_SSL_PINNEDPUBKEYNOTMATCH;
}
