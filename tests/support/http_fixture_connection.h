#pragma once

// One accepted connection of the fixture server: reads requests, answers them one after the
// other. Lives on the server's thread; deletes itself when the peer goes away.

#include "tests/support/http_fixture_message.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QTcpSocket;
struct FixtureState;

class FixtureConnection : public QObject {
public:
    FixtureConnection(QTcpSocket* socket, std::shared_ptr<FixtureState> state, QObject* parent);

private:
    void read_more();
    // Parses one complete request from in_; false when more bytes are needed.
    bool take_request(HttpRequest& request);
    bool take_body(std::size_t head_end, HttpRequest& request, std::size_t& consumed);
    void answer(const HttpRequest& request);
    void send_head();
    void send_body();
    std::optional<std::string> next_slice();
    void write_slice(std::string slice);
    void finish();
    void hang_up();

    QTcpSocket* socket_;
    std::shared_ptr<FixtureState> state_;
    std::string in_;
    bool busy_ = false;
    bool head_only_ = false;
    bool continue_sent_ = false;
    bool closed_ = false;
    HttpResponse response_;
    std::size_t piece_index_ = 0;
    std::uint64_t body_sent_ = 0;
    bool waiting_for_drain_ = false;
};

// Accepts connections on a loopback address; lives on the server's thread.
class FixtureListener : public QObject {
public:
    explicit FixtureListener(std::shared_ptr<FixtureState> state);
    // Starts listening on address ("127.0.0.1"); the port, or 0 when that failed.
    std::uint16_t listen(const std::string& address);

private:
    std::shared_ptr<FixtureState> state_;
};
