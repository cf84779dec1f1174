#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <string>

// A searx of the program's own: Debian's searx on a free loopback port, run on a copy of the
// user's settings that differs in the port alone, in a temporary folder made only when it starts
// and named after this process (so that the next start can remove it should this one be killed).
// Stopped with its process group when this object goes, and by the system when the program ends
// any other way (killed, crashed). Event-loop thread, before the loop runs: start() blocks until
// searx answers.
class PrivateSearx {
public:
    // Where Debian installs searx and its example settings.
    static const char* const kProgram;
    static const char* const kExampleSettings;
    // Its temporary folder is <temp>/<prefix><pid>-XXXXXX.
    static const char* const kFolderPrefix;

    PrivateSearx() = default;
    ~PrivateSearx();
    PrivateSearx(const PrivateSearx&) = delete;
    PrivateSearx& operator=(const PrivateSearx&) = delete;

    // False, with why in error() (and searx's last words), when it did not come to answer. First
    // removes the folders earlier starts left when they were killed.
    bool start(const QString& settings_file);
    bool running() const { return process_.state() != QProcess::NotRunning; }
    // "http://127.0.0.1:<port>"
    std::string address() const;
    qint64 pid() const { return process_.processId(); }
    const std::string& error() const { return error_; }

private:
    void stop();

    std::optional<QTemporaryDir> dir_;
    QProcess process_;
    int port_ = 0;
    std::string error_;
};

// Makes `settings_file` from `example_file` unless it is there already: a secret of its own,
// loopback only, JSON answers on; readable by the user alone. The error, or empty.
std::string make_private_searx_settings(const QString& example_file, const QString& settings_file);
