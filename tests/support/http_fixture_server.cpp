#include "tests/support/http_fixture_server.h"

#include "tests/support/http_fixture_connection.h"
#include "tests/support/http_fixture_state.h"

#include <QThread>

#include <stdexcept>

HttpResponse FixtureState::answer(const HttpRequest& request) {
    Handler handler;
    {
        std::lock_guard lock(mutex);
        if (logging) log.push_back(request);
        auto found = routes.find(request.target);
        if (found == routes.end()) found = routes.find(request.path);
        handler = found != routes.end() ? found->second : fallback;
    }
    if (!handler) return HttpResponse::not_found();
    try {
        return handler(request);
    } catch (const std::exception& e) {
        HttpResponse failed = HttpResponse::text(std::string("handler failed: ") + e.what());
        failed.status = 500;
        return failed;
    }
}

HttpFixtureServer::HttpFixtureServer(Threading threading, std::string address)
    : state_(std::make_shared<FixtureState>()), address_(std::move(address)) {
    listener_ = new FixtureListener(state_);
    if (threading == Threading::OwnThread) {
        thread_ = std::make_unique<QThread>();
        thread_->start();
        listener_->moveToThread(thread_.get());
        QMetaObject::invokeMethod(listener_, [this] { port_ = listener_->listen(address_); }, Qt::BlockingQueuedConnection);
    } else {
        port_ = listener_->listen(address_);
    }
    if (port_ == 0) throw std::runtime_error("the fixture server cannot listen on " + address_);
}

HttpFixtureServer::~HttpFixtureServer() {
    if (thread_) {
        QMetaObject::invokeMethod(listener_, [this] { delete listener_; }, Qt::BlockingQueuedConnection);
        thread_->quit();
        thread_->wait();
    } else {
        delete listener_;
    }
}

std::string HttpFixtureServer::base_url() const { return "http://" + address_ + ":" + std::to_string(port_); }

std::string HttpFixtureServer::url(std::string_view path) const { return base_url() + std::string(path); }

void HttpFixtureServer::route(std::string path, HttpResponse response) {
    route(std::move(path), [response = std::move(response)](const HttpRequest&) { return response; });
}

void HttpFixtureServer::route(std::string path, Handler handler) {
    std::lock_guard lock(state_->mutex);
    state_->routes[std::move(path)] = std::move(handler);
}

void HttpFixtureServer::fallback(Handler handler) {
    std::lock_guard lock(state_->mutex);
    state_->fallback = std::move(handler);
}

std::vector<HttpRequest> HttpFixtureServer::requests() const {
    std::lock_guard lock(state_->mutex);
    return state_->log;
}

std::size_t HttpFixtureServer::request_count() const {
    std::lock_guard lock(state_->mutex);
    return state_->log.size();
}

std::size_t HttpFixtureServer::connection_count() const {
    std::lock_guard lock(state_->mutex);
    return state_->connections;
}

void HttpFixtureServer::clear_log() {
    std::lock_guard lock(state_->mutex);
    state_->log.clear();
}

void HttpFixtureServer::set_logging(bool on) {
    std::lock_guard lock(state_->mutex);
    state_->logging = on;
}
