#include "download/status_texts.h"

std::string ResponseCodeToStr(std::int32_t) { return "Unknown Response"; }
std::string BindStatusToStr(std::uint32_t) { return "Bindstatus Unknown"; }
std::string HResultToStr(std::int32_t Code) { return "Error: " + std::to_string(Code); }
