#pragma once

#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

// File helpers shared by the console tests: raw bytes in and out, and real write failures
// that work for root too (permissions do not stop root).

inline void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string temp_path(const QTemporaryDir& dir, const char* name) { return dir.filePath(name).toStdString(); }

// Caps the size of any file this process writes, as a full disk would: writes beyond the cap
// fail with EFBIG instead of raising SIGXFSZ.
class FileSizeCap {
public:
    explicit FileSizeCap(rlim_t bytes) {
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit capped = old_;
        capped.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &capped);
    }
    ~FileSizeCap() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeCap(const FileSizeCap&) = delete;
    FileSizeCap& operator=(const FileSizeCap&) = delete;

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
};

// Lets the process open no further file: the next open fails with EMFILE.
class NoFreeFileDescriptors {
public:
    NoFreeFileDescriptors() {
        // Every descriptor below the lowest free one is taken, so a cap there refuses the next.
        const int lowest_free = ::open("/dev/null", O_RDONLY);
        ::close(lowest_free);
        getrlimit(RLIMIT_NOFILE, &old_);
        rlimit capped = old_;
        capped.rlim_cur = static_cast<rlim_t>(lowest_free);
        setrlimit(RLIMIT_NOFILE, &capped);
    }
    ~NoFreeFileDescriptors() { setrlimit(RLIMIT_NOFILE, &old_); }
    NoFreeFileDescriptors(const NoFreeFileDescriptors&) = delete;
    NoFreeFileDescriptors& operator=(const NoFreeFileDescriptors&) = delete;

private:
    rlimit old_{};
};
