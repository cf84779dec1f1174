#pragma once

// The URL moniker layer over libcurl's multi-socket interface, driven by the QtCore event loop.
// Placeholder until the download engine lands.
class MonikerLayer {
public:
    MonikerLayer();
    ~MonikerLayer();
    MonikerLayer(const MonikerLayer&) = delete;
    MonikerLayer& operator=(const MonikerLayer&) = delete;
};
