#pragma once

#include "download/hresult.h"

#include <string>

// Display texts for an HTTP status, a progress status code and a result code.
std::string ResponseCodeToStr(std::int32_t Code);
std::string BindStatusToStr(std::uint32_t Code);
std::string HResultToStr(std::int32_t Code);
