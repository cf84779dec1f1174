#pragma once

#include <string>
#include <string_view>

// The settings of the private searx that both programs start when nothing chooses a search that
// finds anything: made once from the example settings of Debian's searx package, then copied
// for each start with a port of its own. Read line by line, as that file is laid out.

// The example with `secret` as its secret key, bound to loopback, answering JSON too.
std::string private_searx_settings(std::string_view example, std::string_view secret);

// The settings with `port` as the port of their "server:" section.
std::string searx_settings_with_port(std::string_view settings, int port);
