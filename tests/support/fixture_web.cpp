#include "tests/support/fixture_web.h"

#include <QDateTime>
#include <QLocale>
#include <QUrlQuery>

FixtureWeb::FixtureWeb(HttpFixtureServer::Threading threading) : server_(threading) {
    server_.fallback([this](const HttpRequest& request) { return answer(request); });
}

std::string FixtureWeb::host() const { return "127.0.0.1:" + std::to_string(server_.port()); }

std::string FixtureWeb::forum_url(const fixture_web::Forum& forum) const {
    return "http://" + host() + "/" + forum.name + "/index.php";
}

int FixtureWeb::hits(const std::string& path) const {
    std::lock_guard lock(mutex_);
    const auto found = hits_.find(path);
    return found == hits_.end() ? 0 : found->second;
}

namespace {

// The forums' clock runs fixture_web::kServerDaysBehind days behind: their "Today" is that day.
HttpResponse served_days_ago(HttpResponse response) {
    const QDateTime served = QDateTime::currentDateTimeUtc().addDays(-fixture_web::kServerDaysBehind);
    response.headers.push_back(
        {"Date", QLocale::c().toString(served, "ddd, dd MMM yyyy hh:mm:ss 'GMT'").toStdString()});
    return response;
}

}  // namespace

HttpResponse FixtureWeb::answer(const HttpRequest& request) {
    int hit;
    {
        std::lock_guard lock(mutex_);
        hit = ++hits_[request.path];
    }
    if (request.path == "/search") {
        const QUrlQuery query(QString::fromStdString(request.query));
        if (!query.hasQueryItem("as_q") || query.queryItemValue("num") != "100") return HttpResponse::html("bad request", 400);
        const int start = query.queryItemValue("start").toInt();
        return HttpResponse::html(fixture_web::search_page(host(), start));
    }
    for (const auto& forum : fixture_web::forums()) {
        if (request.path != "/" + forum.name + "/index.php") continue;
        using fixture_web::Behaviour;
        switch (forum.behaviour) {
            case Behaviour::Counts: return served_days_ago(HttpResponse::html(fixture_web::forum_page(forum, true)));
            case Behaviour::GoodAtSecondTry:
                return served_days_ago(HttpResponse::html(fixture_web::forum_page(forum, hit >= 2)));
            case Behaviour::NotFound: return HttpResponse::html("<html><body>No such forum</body></html>", 404);
            case Behaviour::Stall: {
                HttpResponse stalled;
                stalled.headers = {{"Content-Type", "text/html"}};
                stalled.framing = HttpResponse::Framing::Chunked;
                stalled.pieces = {"<html><body><table>\n"};
                stalled.stall = HttpResponse::Stall::AfterBody;
                return stalled;
            }
            case Behaviour::EmptyBody: return HttpResponse::html("");
            case Behaviour::NoCounts: return HttpResponse::html(fixture_web::forum_page(forum, false));
        }
    }
    return HttpResponse::not_found();
}
