#include "gui/desktop_links.h"

#include "gui/simple_bindings.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

QUrl parse(const std::string& url) { return QUrl(to_qstring(url).trimmed(), QUrl::TolerantMode); }

}  // namespace

bool is_openable_url(const std::string& url) {
    const QUrl parsed = parse(url);
    if (!parsed.isValid()) return false;
    const QString scheme = parsed.scheme();  // QUrl keeps schemes in lower case
    if (scheme == "mailto") return !parsed.path().isEmpty();
    return (scheme == "http" || scheme == "https") && !parsed.host().isEmpty();
}

bool open_with_desktop(const std::string& url) {
    if (!is_openable_url(url)) return false;
    return QDesktopServices::openUrl(parse(url));
}
