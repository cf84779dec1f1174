#pragma once

// TBSCB carries one download from start to end: it answers the moniker layer's notifications
// and reports them through the owning TUrlDownload's events with itself as Sender.
// Event-loop thread only.

#include "download/hresult.h"

#include <string>

class TBSCB {
public:
    // The download's URL, exactly as given to Download.
    std::string Url;
    // HTTP status of the final response; 0 until one arrives.
    Cardinal ResponseCode = 0;
};
