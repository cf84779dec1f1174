#pragma once

#include "download/hresult.h"

#include <string>

// The log line of one progress notification: the status text, and for data being downloaded
// (BINDSTATUS_DOWNLOADINGDATA) also " (" progress "/" maximum ")".
std::string progress_log_line(Cardinal status, Cardinal progress, Cardinal progress_max);
