#pragma once

// Debian's searx (package "searx") on loopback with a settings file of its own: one xpath engine
// that reads the fixture web's result pages, JSON answers on, bound to 127.0.0.1 on a free port.
// The constructor starts it and waits until it answers; the destructor stops it by its pid.
// Event-loop thread of the test; the fixture web must answer while searx is asked.

#include <QProcess>
#include <QTemporaryDir>

#include <string>

// The settings of such a searx: its fixture engine is its only one, so that no test's searx asks
// the internet.
std::string fixture_searx_settings(int port, const std::string& fixture_host);

class SearxInstance {
public:
    // Where Debian installs the searx command; empty when the package is missing.
    static std::string program();

    // fixture_host: "127.0.0.1:<port>" of a FixtureWeb.
    explicit SearxInstance(const std::string& fixture_host);
    ~SearxInstance();
    SearxInstance(const SearxInstance&) = delete;
    SearxInstance& operator=(const SearxInstance&) = delete;

    bool ready() const { return ready_; }
    // Why it is not ready, with searx's own output.
    const std::string& error() const { return error_; }
    // "http://127.0.0.1:<port>"
    std::string base_url() const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
    bool ready_ = false;
    std::string error_;
};
