#pragma once

#include "download/hresult.h"

#include <curl/curl.h>

// The result code a binding reports for a transfer that libcurl ended with `code`.
HRESULT hresult_of_curl(CURLcode code);
// Whether `code` is a failure to verify the server's certificate (a security problem to report).
bool is_certificate_problem(CURLcode code);
