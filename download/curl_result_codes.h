#pragma once

#include "download/hresult.h"

#include <curl/curl.h>

// The result code a binding reports for a transfer that libcurl ended with `code`.
// reading_head: the request went out and no body byte has come back, so a failure lies in the
// server's response head.
HRESULT hresult_of_curl(CURLcode code, bool reading_head = false);
// Whether `code` is a failure to verify the server's certificate (a security problem to report).
bool is_certificate_problem(CURLcode code);
