#include "gui/desktop_links.h"

#include "gui/simple_bindings.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// xdg-open's own exit statuses.
std::string opener_failure(int status) {
    switch (status) {
    case 3: return "no program for it is installed (no browser or mail program)";
    case 4: return "the program for it did not start";
    default: return "xdg-open ended with status " + std::to_string(status);
    }
}

}  // namespace

bool open_with_desktop(const std::string& url, QObject* owner, const std::function<void(const std::string&)>& log) {
    if (!is_openable_url(url)) return false;
    const QString address = to_qstring(url).trimmed();
    // The desktop's own call hands the URL to xdg-open and reports success once it has started,
    // whatever xdg-open then finds; run it here to hear how it ended.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
    auto* process = new QProcess(owner);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, process, [process, url, log](int status, QProcess::ExitStatus how) {
        if (how == QProcess::NormalExit && status != 0) log("Could not open " + url + ": " + opener_failure(status));
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, url, log](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        log("Could not open " + url + ": xdg-open did not start");
        process->deleteLater();
    });
    process->start(opener, {QUrl(address, QUrl::TolerantMode).toString(QUrl::FullyEncoded)});
    return true;
}
