#pragma once

#include "analysis/no_figures_reason.h"
#include "download/hresult.h"

#include <string>
#include <string_view>

// Why a download that failed gave no figures: the bot check its headers show, its HTTP status
// with the status's text, or what kept the page from arriving (time-out, host not found, ...).
// head is the response's head, empty when none arrived.
NoFiguresReason failed_download_reason(HRESULT result, int status, std::string_view head);

// An HTTP status with its text, "429 Too Many Requests".
std::string status_with_text(int status);
