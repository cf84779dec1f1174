#include "model/app/private_searx.h"

#include "analysis/searx_settings.h"
#include "download/http_probe.h"
#include "model/console/private_folder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

const char* const PrivateSearx::kProgram = "/usr/bin/searx-run";
const char* const PrivateSearx::kExampleSettings = "/usr/share/doc/searx/examples/settings.yml";
const char* const PrivateSearx::kFolderPrefix = "ravelmoot-searx-";

namespace {

// A loopback port that was free a moment ago.
int free_loopback_port() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

std::string read_all(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

std::string last_lines(const std::string& text, int count) {
    auto start = text.size();
    if (start > 0 && text[start - 1] == '\n') --start;
    while (count-- > 0) {
        const auto newline = start == 0 ? std::string::npos : text.rfind('\n', start - 1);
        if (newline == std::string::npos) return text;
        start = newline;
    }
    return text.substr(start + 1);
}

}  // namespace

std::string make_private_searx_settings(const QString& example_file, const QString& settings_file) {
    if (QFileInfo::exists(settings_file)) return "";
    QFile example(example_file);
    if (!example.open(QIODevice::ReadOnly)) return "cannot read " + example_file.toStdString();
    QString secret;
    for (int i = 0; i < 8; ++i) secret += QString("%1").arg(QRandomGenerator::system()->generate(), 8, 16, QChar('0'));
    const std::string text = private_searx_settings(example.readAll().toStdString(), secret.toStdString());

    // The secret is the user's alone: private before it is written, in place only when whole.
    QDir().mkpath(QFileInfo(settings_file).absolutePath());
    const QString fresh = settings_file + ".new";
    QFile out(fresh);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        !out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) || !out.flush()) {
        out.remove();
        return "cannot write " + fresh.toStdString();
    }
    out.close();
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(settings_file).constData()) != 0) {
        QFile::remove(fresh);
        return "cannot write " + settings_file.toStdString();
    }
    return "";
}

bool PrivateSearx::start(const QString& settings_file) {
    const QString temp = QDir::tempPath();
    remove_dead_process_folders(temp.toStdString(), kFolderPrefix);
    port_ = free_loopback_port();
    const std::string settings = read_all(settings_file);
    if (port_ == 0 || settings.empty()) {
        error_ = "no free port, or " + settings_file.toStdString() + " cannot be read";
        return false;
    }
    dir_.emplace(temp + "/" + kFolderPrefix + QString::number(::getpid()) + "-XXXXXX");
    QFile copy(dir_->filePath("settings.yml"));
    const QByteArray text = QByteArray::fromStdString(searx_settings_with_port(settings, port_));
    if (!dir_->isValid() || !copy.open(QIODevice::WriteOnly) || copy.write(text) != text.size() || !copy.flush()) {
        error_ = "cannot write searx's settings into " + dir_->path().toStdString();
        return false;
    }
    copy.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SEARX_SETTINGS_PATH", copy.fileName());
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardOutputFile(dir_->filePath("searx.log"));
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setChildProcessModifier([parent = ::getpid()] {
        // Ends with this program however it ends; and a Ctrl+C on the terminal reaches the
        // program alone, which then stops its research before it stops searx.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent || ::setpgid(0, 0) != 0) ::_exit(1);
    });
    process_.start(kProgram, {});
    if (!process_.waitForStarted(10000)) {
        error_ = "searx did not start: " + process_.errorString().toStdString();
        return false;
    }
    // Python takes a few seconds to start on a busy machine.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000 && process_.state() == QProcess::Running) {
        if (http_answers(address() + "/config", 2000)) return true;
        process_.waitForFinished(500);
    }
    error_ = "searx did not answer at " + address() + "; it said:\n" + last_lines(read_all(dir_->filePath("searx.log")), 5);
    stop();
    return false;
}

std::string PrivateSearx::address() const { return "http://127.0.0.1:" + std::to_string(port_); }

void PrivateSearx::stop() {
    if (process_.state() == QProcess::NotRunning) return;
    // searx leads a group of its own; its group goes with it, so that no worker it started lingers.
    const auto group = static_cast<pid_t>(process_.processId());
    const auto signal_all = [group](int signal) {
        if (::kill(-group, signal) != 0) ::kill(group, signal);
    };
    signal_all(SIGTERM);
    // searx ends within a second; one that does not is ended hard.
    if (!process_.waitForFinished(5000)) {
        signal_all(SIGKILL);
        process_.waitForFinished(5000);
    }
}

PrivateSearx::~PrivateSearx() { stop(); }
