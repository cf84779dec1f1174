#include "tests/support/searx_instance.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>

namespace {

int free_loopback_port() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort();
}

}  // namespace

std::string fixture_searx_settings(int port, const std::string& fixture_host) {
    // searx asks the fixture web's result page; its page n is the fixture's offset (n - 1) * 100.
    return "use_default_settings: false\n"
           "general:\n  debug: false\n  instance_name: \"ravelmoot-test\"\n"
           "search:\n  safe_search: 0\n  autocomplete: \"\"\n  formats: [html, json]\n"
           "  ban_time_on_fail: 0\n  max_ban_time_on_fail: 0\n"
           "server:\n  port: " + std::to_string(port) + "\n  bind_address: \"127.0.0.1\"\n"
           "  secret_key: \"ravelmoot-test-only\"\n  base_url: false\n  image_proxy: false\n"
           "  http_protocol_version: \"1.0\"\n  method: \"GET\"\n"
           "ui:\n  static_path: \"/usr/share/python3-searx/static\"\n"
           "  templates_path: \"/usr/share/python3-searx/templates\"\n  default_theme: oscar\n  default_locale: \"\"\n"
           "outgoing:\n  request_timeout: 5.0\n"
           "engines:\n"
           "  - name: fixture\n    engine: xpath\n    shortcut: fx\n"
           "    search_url: http://" + fixture_host + "/search?as_q={query}&num=100&start={pageno}\n"
           "    paging: true\n    page_size: 100\n    first_page_num: 0\n"
           "    results_xpath: //div[@class=\"g\"]\n    url_xpath: .//a/@href\n    title_xpath: .//a\n"
           "    content_xpath: .//a\n    categories: general\n    enable_http: True\n    timeout: 5.0\n"
           "locales:\n  en: English\n"
           "doi_resolvers:\n  oadoi.org: 'https://oadoi.org/'\ndefault_doi_resolver: 'oadoi.org'\n";
}

std::string SearxInstance::program() {
    const char* path = "/usr/bin/searx-run";
    return QFileInfo(path).isExecutable() ? path : "";
}

SearxInstance::SearxInstance(const std::string& fixture_host) {
    port_ = free_loopback_port();
    const QString settings = dir_.filePath("settings.yml");
    QFile file(settings);
    if (program().empty() || port_ == 0 || !file.open(QIODevice::WriteOnly)) {
        error_ = "searx missing, no free port or no settings file";
        return;
    }
    file.write(QByteArray::fromStdString(fixture_searx_settings(port_, fixture_host)));
    file.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SEARX_SETTINGS_PATH", settings);
    // searx must reach the fixture web directly, whatever proxy the machine names.
    for (const char* name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        env.remove(name);
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(QString::fromStdString(program()), {});
    if (!process_.waitForStarted(10000)) {
        error_ = "searx did not start";
        return;
    }
    // Ready once its port takes connections; python's start takes a few seconds on a busy machine.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000 && process_.state() == QProcess::Running) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port_));
        if (probe.waitForConnected(200)) {
            ready_ = true;
            return;
        }
        QThread::msleep(100);
    }
    error_ = "searx did not answer on port " + std::to_string(port_) + ": " + process_.readAll().toStdString();
}

SearxInstance::~SearxInstance() {
    if (process_.state() == QProcess::NotRunning) return;
    ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(10000)) {
        ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
        process_.waitForFinished(5000);
    }
}

std::string SearxInstance::base_url() const { return "http://127.0.0.1:" + std::to_string(port_); }
