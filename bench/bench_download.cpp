// Whole-process comparison of the download engine with curl's own parallel transfers.
//
// Debian's nginx, started by this program on a free loopback port with its own configuration,
// pid file and temporary folders (and stopped by its pid), serves N pages of S bytes from one
// static file. Two client processes fetch the same URL list with 25 transfers in flight:
// `curl --parallel --parallel-max 25` and bench_download_client (TUrlDownload). Each is timed as
// a whole process (wall clock, user + system CPU from wait4, peak resident memory) in pairs of
// runs, the pair's order alternating; the ratios are of the medians. Then bench_download_client
// fetches one large page and reports its resident memory before the download and at its peak.
//
//   bench_download [--pages 10000] [--size 20480] [--rounds 15] [--big-mb 50] [--curl /usr/bin/curl]
//                  [--nginx /usr/sbin/nginx]

#include <QCoreApplication>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

// The most of curl's wall and processor time the engine may take (medians of paired runs).
constexpr double kTimeTarget = 0.95;

struct Run {
    double wall_s = 0;
    double cpu_s = 0;
    long peak_kb = 0;
    int exit_code = -1;
};

pid_t spawn(const std::vector<std::string>& argv) {
    std::vector<char*> raw;
    for (const auto& a : argv) raw.push_back(const_cast<char*>(a.c_str()));
    raw.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawn(&pid, raw[0], nullptr, nullptr, raw.data(), environ) == 0 ? pid : -1;
}

Run run_process(const std::vector<std::string>& argv) {
    Run run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = spawn(argv);
    if (pid < 0) return run;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wall_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpu_s = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peak_kb = usage.ru_maxrss;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::map<std::string, std::string> read_fields(const std::string& path) {
    std::map<std::string, std::string> fields;
    std::ifstream in(path);
    std::string item;
    while (in >> item) {
        const auto eq = item.find('=');
        if (eq != std::string::npos) fields[item.substr(0, eq)] = item.substr(eq + 1);
    }
    return fields;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A loopback port nobody listens on right now.
int free_port() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = -1;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

bool accepts_connections(int port) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool ok = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return ok;
}

// nginx in the foreground on 127.0.0.1:port, serving every /forum/... URL from page.htm and
// /big from big.htm in folder/www, with everything it writes kept in folder. Stopped by its pid.
class Nginx {
public:
    Nginx(const std::string& binary, const std::string& folder, int port) {
        const std::string conf = folder + "/nginx.conf";
        std::filesystem::create_directories(folder + "/temp");
        std::ofstream out(conf);
        out << "daemon off;\nworker_processes 1;\n";
        // As root, nginx's worker would otherwise become nobody, who may not read our folder.
        if (geteuid() == 0) out << "user root root;\n";
        out << "pid " << folder << "/nginx.pid;\nerror_log " << folder << "/error.log;\n"
            << "events { worker_connections 1024; }\nhttp {\n  access_log off;\n";
        for (const char* kind : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"})
            out << "  " << kind << "_temp_path " << folder << "/temp/" << kind << ";\n";
        out << "  types { text/html htm; }\n  default_type text/html;\n  sendfile on;\n"
            << "  keepalive_requests 1000000;\n"
            << "  server {\n    listen 127.0.0.1:" << port << ";\n    root " << folder << "/www;\n"
            << "    location /forum/ { rewrite ^ /page.htm break; }\n"
            << "    location = /big { rewrite ^ /big.htm break; }\n  }\n}\n";
        out.close();
        pid_ = spawn({binary, "-c", conf, "-e", folder + "/error.log"});
        for (int i = 0; pid_ > 0 && i < 500 && !accepts_connections(port); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ready_ = pid_ > 0 && accepts_connections(port);
    }
    ~Nginx() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    Nginx(const Nginx&) = delete;
    Nginx& operator=(const Nginx&) = delete;
    bool ready() const { return ready_; }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

std::string page_body(const std::string& target, std::size_t size) {
    std::string body = "<html><head><title>" + target + "</title></head><body>\n";
    for (int row = 0; body.size() < size; ++row)
        body += "<tr class=\"row2\"><td>" + std::to_string(row * 7 % 1000) + "</td><td>topic</td></tr>\n";
    body.resize(size);
    return body;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::size_t pages = 10000, size = 20 * 1024;
    int rounds = 15;
    std::uint64_t big_mb = 50;
    std::string curl = "/usr/bin/curl", nginx = "/usr/sbin/nginx";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--pages") pages = std::stoul(value);
        else if (key == "--size") size = std::stoul(value);
        else if (key == "--rounds") rounds = std::stoi(value);
        else if (key == "--big-mb") big_mb = std::stoull(value);
        else if (key == "--curl") curl = value;
        else if (key == "--nginx") nginx = value;
    }
    std::string self(4096, '\0');
    self.resize(static_cast<std::size_t>(std::max<ssize_t>(0, readlink("/proc/self/exe", self.data(), self.size()))));
    const std::string client = self.substr(0, self.rfind('/') + 1) + "bench_download_client";

    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    std::filesystem::create_directories(folder + "/www");
    {
        std::ofstream(folder + "/www/page.htm", std::ios::binary) << page_body("/forum/page", size);
        std::ofstream big(folder + "/www/big.htm", std::ios::binary);
        const std::string block = page_body("/big", 1024 * 1024);
        for (std::uint64_t i = 0; i < big_mb; ++i) big << block;
    }
    const int port = free_port();
    Nginx server(nginx, folder, port);
    if (port < 0 || !server.ready()) {
        std::fprintf(stderr, "nginx did not start (see %s/error.log)\n", folder.c_str());
        dir.setAutoRemove(false);
        return 1;
    }
    const std::string base = "http://127.0.0.1:" + std::to_string(port);

    const std::string list = folder + "/urls.txt";
    const std::string config = folder + "/curl.conf";
    const std::string result = folder + "/result.txt";
    {
        std::ofstream urls(list), conf(config);
        for (std::size_t i = 0; i < pages; ++i) {
            const std::string url = base + "/forum/" + std::to_string(i) + "/index.php";
            urls << url << "\n";
            conf << "url = \"" << url << "\"\noutput = \"/dev/null\"\n";
        }
    }

    const std::vector<std::string> curl_argv{curl, "--parallel", "--parallel-max", "25", "--silent",
                                             "--no-progress-meter", "--show-error", "--fail", "--config", config};
    const std::vector<std::string> ours_argv{client, "pages", list, result, "25"};
    std::vector<double> curl_wall, curl_cpu, ours_wall, ours_cpu, pair_wall, pair_cpu;
    long curl_peak = 0, ours_peak = 0;
    for (int round = 0; round < rounds; ++round) {
        // The pair's order alternates, so that neither client always runs on a cache warmed by the other.
        Run c, o;
        if (round % 2 == 0) {
            c = run_process(curl_argv);
            o = run_process(ours_argv);
        } else {
            o = run_process(ours_argv);
            c = run_process(curl_argv);
        }
        const auto fields = read_fields(result);
        if (c.exit_code != 0 || o.exit_code != 0 || fields.count("pages") == 0 ||
            std::stoul(fields.at("pages")) != pages || fields.at("failed") != "0" ||
            std::stoull(fields.at("bytes")) != pages * size) {
            std::fprintf(stderr, "round %d failed: curl exit %d, client exit %d\n", round, c.exit_code, o.exit_code);
            return 1;
        }
        curl_wall.push_back(c.wall_s);
        curl_cpu.push_back(c.cpu_s);
        ours_wall.push_back(o.wall_s);
        ours_cpu.push_back(o.cpu_s);
        pair_wall.push_back(o.wall_s / c.wall_s);
        pair_cpu.push_back(o.cpu_s / c.cpu_s);
        curl_peak = std::max(curl_peak, c.peak_kb);
        ours_peak = std::max(ours_peak, o.peak_kb);
        std::printf("round %2d: curl %.3f s wall %.3f s cpu %ld KB peak | TUrlDownload %.3f s wall %.3f s cpu %ld KB peak\n",
                    round + 1, c.wall_s, c.cpu_s, c.peak_kb, o.wall_s, o.cpu_s, o.peak_kb);
    }
    const double wall_ratio = median(ours_wall) / median(curl_wall);
    const double cpu_ratio = median(ours_cpu) / median(curl_cpu);
    const auto spread = [](const std::vector<double>& v) { return std::minmax_element(v.begin(), v.end()); };
    const auto [wall_low, wall_high] = spread(pair_wall);
    const auto [cpu_low, cpu_high] = spread(pair_cpu);
    std::printf("%zu pages of %zu bytes from nginx, 25 in flight, medians of %d paired runs:\n", pages, size, rounds);
    std::printf("  wall time: curl %.3f s, TUrlDownload %.3f s, ratio %.2f (pairs' ratios: median %.2f, %.2f to %.2f; "
                "target <= %.2f)\n",
                median(curl_wall), median(ours_wall), wall_ratio, median(pair_wall), *wall_low, *wall_high, kTimeTarget);
    std::printf("  CPU time:  curl %.3f s, TUrlDownload %.3f s, ratio %.2f (pairs' ratios: median %.2f, %.2f to %.2f; "
                "target <= %.2f)\n",
                median(curl_cpu), median(ours_cpu), cpu_ratio, median(pair_cpu), *cpu_low, *cpu_high, kTimeTarget);
    std::printf("  peak resident memory: curl %ld KB, TUrlDownload %ld KB\n", curl_peak, ours_peak);

    const Run b = run_process({client, "big", base + "/big", result});
    const auto fields = read_fields(result);
    if (b.exit_code != 0 || fields.count("peak_kb") == 0 || std::stoull(fields.at("bytes")) != big_mb * 1024 * 1024) {
        std::fprintf(stderr, "the large page failed: exit %d\n", b.exit_code);
        return 1;
    }
    const double page_mb = static_cast<double>(big_mb);
    const double above_idle_mb = static_cast<double>(std::stol(fields.at("peak_kb")) - std::stol(fields.at("idle_kb"))) / 1024.0;
    const double memory_ratio = above_idle_mb / page_mb;
    std::printf("one %llu MB page: idle %s KB, peak %s KB, %.1f MB above idle = %.2fx the page (target <= 1.5x)\n",
                static_cast<unsigned long long>(big_mb), fields.at("idle_kb").c_str(), fields.at("peak_kb").c_str(),
                above_idle_mb, memory_ratio);
    const bool met = wall_ratio <= kTimeTarget && cpu_ratio <= kTimeTarget && memory_ratio <= 1.5;
    std::printf("verdict: wall %.2fx, CPU %.2fx, memory %.2fx the page: %s\n", wall_ratio, cpu_ratio, memory_ratio,
                met ? "target met" : "TARGET MISSED");
    return met ? 0 : 1;
}
