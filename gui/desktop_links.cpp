#include "gui/desktop_links.h"

#include "gui/simple_bindings.h"

#include <QDesktopServices>
#include <QUrl>

bool open_with_desktop(const std::string& url) {
    if (!is_openable_url(url)) return false;
    return QDesktopServices::openUrl(QUrl(to_qstring(url).trimmed(), QUrl::TolerantMode));
}
