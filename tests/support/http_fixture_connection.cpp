#include "tests/support/http_fixture_connection.h"

#include "analysis/text_case.h"
#include "tests/support/http_fixture_state.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <charconv>

namespace {

constexpr std::size_t max_head_size = 64 * 1024;
// Large bodies go out in slices, with at most this much waiting in the socket, so that a
// streamed body of many megabytes never sits in memory.
constexpr std::size_t slice_size = 256 * 1024;
constexpr qint64 max_unwritten = 1024 * 1024;

std::string trim(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string hex(std::size_t value) {
    char digits[20];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value, 16);
    return std::string(digits, end);
}

bool has_header(const HttpHeaders& headers, std::string_view name) {
    for (const auto& header : headers)
        if (equals_ignoring_case(header.first, name)) return true;
    return false;
}

}  // namespace

FixtureConnection::FixtureConnection(QTcpSocket* socket, std::shared_ptr<FixtureState> state, QObject* parent)
    : QObject(parent), socket_(socket), state_(std::move(state)) {
    socket_->setParent(this);
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket_, &QTcpSocket::readyRead, this, [this] { read_more(); });
    connect(socket_, &QTcpSocket::bytesWritten, this, [this] {
        if (waiting_for_drain_ && socket_->bytesToWrite() < max_unwritten) {
            waiting_for_drain_ = false;
            send_body();
        }
    });
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        closed_ = true;
        deleteLater();
    });
}

void FixtureConnection::read_more() {
    const QByteArray bytes = socket_->readAll();
    in_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    while (!busy_ && !closed_) {
        HttpRequest request;
        if (!take_request(request)) return;
        answer(request);
    }
}

bool FixtureConnection::take_request(HttpRequest& request) {
    // Not HTTP at all (a TLS hello, say): say so and hang up rather than wait for a head.
    if (!in_.empty() && !(in_[0] >= 'A' && in_[0] <= 'Z')) {
        socket_->write("HTTP/1.1 400 Bad Request\r\nConnection: close\r\nContent-Length: 0\r\n\r\n");
        hang_up();
        return false;
    }
    const std::size_t head_end = in_.find("\r\n\r\n");
    if (head_end == std::string::npos) {
        if (in_.size() > max_head_size) hang_up();
        return false;
    }
    const std::size_t line_end = in_.find("\r\n");
    const std::string_view line(in_.data(), line_end);
    const std::size_t first_space = line.find(' ');
    const std::size_t second_space = line.find(' ', first_space + 1);
    if (first_space == std::string_view::npos || second_space == std::string_view::npos) {
        hang_up();
        return false;
    }
    request.method = std::string(line.substr(0, first_space));
    request.target = std::string(line.substr(first_space + 1, second_space - first_space - 1));
    const std::size_t question = request.target.find('?');
    request.path = request.target.substr(0, question);
    if (question != std::string::npos) request.query = request.target.substr(question + 1);

    request.headers.clear();
    for (std::size_t pos = line_end + 2; pos < head_end;) {
        const std::size_t end = in_.find("\r\n", pos);
        const std::string_view header(in_.data() + pos, end - pos);
        const std::size_t colon = header.find(':');
        if (colon != std::string_view::npos)
            request.headers.emplace_back(std::string(header.substr(0, colon)), trim(header.substr(colon + 1)));
        pos = end + 2;
    }
    request.head = in_.substr(0, head_end + 4);

    std::size_t consumed = 0;
    if (!take_body(head_end + 4, request, consumed)) {
        if (!continue_sent_ && equals_ignoring_case(request.header("Expect"), "100-continue")) {
            continue_sent_ = true;
            socket_->write("HTTP/1.1 100 Continue\r\n\r\n");
        }
        return false;
    }
    in_.erase(0, consumed);
    continue_sent_ = false;
    return true;
}

bool FixtureConnection::take_body(std::size_t head_end, HttpRequest& request, std::size_t& consumed) {
    if (equals_ignoring_case(request.header("Transfer-Encoding"), "chunked")) {
        std::string body;
        std::size_t pos = head_end;
        for (;;) {
            const std::size_t line_end = in_.find("\r\n", pos);
            if (line_end == std::string::npos) return false;
            std::size_t size = 0;
            std::from_chars(in_.data() + pos, in_.data() + line_end, size, 16);
            pos = line_end + 2;
            if (size == 0) {
                const std::size_t trailer_end = in_.find("\r\n", pos);
                if (trailer_end == std::string::npos) return false;
                consumed = trailer_end + 2;
                request.body = std::move(body);
                return true;
            }
            if (in_.size() < pos + size + 2) return false;
            body.append(in_, pos, size);
            pos += size + 2;
        }
    }
    std::size_t length = 0;
    const std::string declared = request.header("Content-Length");
    std::from_chars(declared.data(), declared.data() + declared.size(), length);
    if (in_.size() < head_end + length) return false;
    request.body = in_.substr(head_end, length);
    consumed = head_end + length;
    return true;
}

void FixtureConnection::answer(const HttpRequest& request) {
    busy_ = true;
    head_only_ = request.method == "HEAD";
    response_ = state_->answer(request);
    piece_index_ = 0;
    body_sent_ = 0;
    if (!response_.raw.empty()) {
        socket_->write(response_.raw.data(), static_cast<qint64>(response_.raw.size()));
        if (response_.close) {
            hang_up();
            return;
        }
        finish();
        return;
    }
    if (response_.stall == HttpResponse::Stall::BeforeHeaders) return;
    if (response_.header_delay_ms > 0)
        QTimer::singleShot(response_.header_delay_ms, this, [this] { send_head(); });
    else
        send_head();
}

void FixtureConnection::send_head() {
    std::string head = "HTTP/1.1 " + std::to_string(response_.status) + " " +
                       (response_.reason.empty() ? reason_phrase(response_.status) : response_.reason) + "\r\n";
    for (const auto& [name, value] : response_.headers) head += name + ": " + value + "\r\n";
    switch (response_.framing) {
        case HttpResponse::Framing::ContentLength:
            if (!has_header(response_.headers, "Content-Length"))
                head += "Content-Length: " + std::to_string(response_.body_length()) + "\r\n";
            break;
        case HttpResponse::Framing::Chunked: head += "Transfer-Encoding: chunked\r\n"; break;
        case HttpResponse::Framing::UntilClose: head += "Connection: close\r\n"; break;
    }
    if (response_.close && response_.framing != HttpResponse::Framing::UntilClose) head += "Connection: close\r\n";
    head += "\r\n";
    socket_->write(head.data(), static_cast<qint64>(head.size()));
    if (head_only_) {
        finish();
        return;
    }
    send_body();
}

std::optional<std::string> FixtureConnection::next_slice() {
    if (response_.generated_size != 0) {
        if (body_sent_ >= response_.generated_size) return std::nullopt;
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>(slice_size, response_.generated_size - body_sent_));
        std::string slice(length, '\0');
        for (std::size_t i = 0; i < length; ++i) slice[i] = generated_body_byte(body_sent_ + i);
        return slice;
    }
    if (response_.pieces.empty()) {
        if (piece_index_ > 0) return std::nullopt;
        ++piece_index_;
        return std::move(response_.body);
    }
    if (piece_index_ >= response_.pieces.size()) return std::nullopt;
    return std::move(response_.pieces[piece_index_++]);
}

void FixtureConnection::send_body() {
    for (;;) {
        if (closed_) return;
        if (socket_->bytesToWrite() >= max_unwritten) {
            waiting_for_drain_ = true;
            return;
        }
        const bool delayed = response_.piece_delay_ms > 0 && piece_index_ > 0 && !response_.pieces.empty() &&
                             piece_index_ < response_.pieces.size();
        if (delayed) {
            QTimer::singleShot(response_.piece_delay_ms, this, [this] {
                if (auto slice = next_slice()) write_slice(std::move(*slice));
                send_body();
            });
            return;
        }
        auto slice = next_slice();
        if (!slice) break;
        write_slice(std::move(*slice));
    }
    if (response_.stall == HttpResponse::Stall::AfterBody) return;
    if (response_.framing == HttpResponse::Framing::Chunked) socket_->write("0\r\n\r\n");
    if (response_.close || response_.framing == HttpResponse::Framing::UntilClose) {
        hang_up();
        return;
    }
    finish();
}

void FixtureConnection::write_slice(std::string slice) {
    if (closed_) return;
    bool cut = false;
    if (response_.cut_after && body_sent_ + slice.size() >= *response_.cut_after) {
        slice.resize(static_cast<std::size_t>(*response_.cut_after - body_sent_));
        cut = true;
    }
    body_sent_ += slice.size();
    if (response_.framing == HttpResponse::Framing::Chunked && !slice.empty())
        slice = hex(slice.size()) + "\r\n" + slice + "\r\n";
    socket_->write(slice.data(), static_cast<qint64>(slice.size()));
    if (cut) hang_up();
}

void FixtureConnection::finish() {
    busy_ = false;
    // Requests that arrived while this one was answered.
    if (!in_.empty()) QTimer::singleShot(0, this, [this] { read_more(); });
}

void FixtureConnection::hang_up() {
    closed_ = true;  // nothing more is read or written on this connection
    socket_->disconnectFromHost();
}

FixtureListener::FixtureListener(std::shared_ptr<FixtureState> state) : state_(std::move(state)) {}

std::uint16_t FixtureListener::listen(const std::string& address) {
    auto* server = new QTcpServer(this);
    server->setMaxPendingConnections(1000);
    server->setListenBacklogSize(1024);  // many clients connecting at once must not wait for SYN retries
    QObject::connect(server, &QTcpServer::newConnection, this, [this, server] {
        while (QTcpSocket* socket = server->nextPendingConnection()) {
            {
                std::lock_guard lock(state_->mutex);
                ++state_->connections;
            }
            new FixtureConnection(socket, state_, this);
        }
    });
    if (!server->listen(QHostAddress(QString::fromStdString(address)), 0)) return 0;
    return server->serverPort();
}
