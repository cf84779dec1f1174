#include "download/moniker_layer.h"

MonikerLayer::MonikerLayer() = default;
MonikerLayer::~MonikerLayer() = default;
