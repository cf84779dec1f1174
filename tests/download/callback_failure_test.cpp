// An exception inside a libcurl callback stays there: the transfer ends and carries what it meant.

#include "download/curl_multi_driver.h"
#include "download/moniker_layer.h"
#include "download/transfer.h"
#include "tests/download/download_recorder.h"
#include "tests/support/http_fixture_server.h"

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <stdexcept>

namespace {

enum class Step { Connecting, Sending, Head, Body };

// Throws at one step of the transfer; records nothing.
class ThrowingSink final : public TransferSink {
public:
    ThrowingSink(Step step, bool out_of_memory) : step_(step), out_of_memory_(out_of_memory) {}
    void on_connecting() override { maybe_throw(Step::Connecting); }
    void on_sending() override { maybe_throw(Step::Sending); }
    void on_final_head(int, std::string) override { maybe_throw(Step::Head); }
    bool on_body(const char*, std::size_t) override {
        maybe_throw(Step::Body);
        return true;
    }

private:
    void maybe_throw(Step step) const {
        if (step != step_) return;
        if (out_of_memory_) throw std::bad_alloc();
        throw std::runtime_error("sink failed");
    }
    Step step_;
    bool out_of_memory_;
};

TEST(CallbackFailure, AnExceptionInACallbackEndsTheTransferWithItsResult) {
    MonikerLayer layer;  // libcurl started
    HttpFixtureServer server;
    server.route("/page", HttpResponse::html("<html>a page</html>"));
    EasyHandles handles;  // each transfer takes the handle the one before gave back
    for (const Step step : {Step::Connecting, Step::Sending, Step::Head, Step::Body}) {
        for (const bool out_of_memory : {true, false}) {
            std::optional<CURLcode> done;
            bool broken = false;
            CurlMultiDriver driver([&](CURL*, CURLcode code) { done = code; }, [&](HRESULT) { broken = true; });
            ThrowingSink sink(step, out_of_memory);
            TransferRequest request;
            request.url = server.url("/page");
            Transfer transfer(request, sink, 10, true, handles);
            ASSERT_TRUE(transfer.ready());
            ASSERT_TRUE(driver.add(transfer.easy()));
            ASSERT_TRUE(wait_until([&] { return done.has_value(); })) << static_cast<int>(step);
            driver.remove(transfer.easy());
            EXPECT_NE(*done, CURLE_OK) << static_cast<int>(step);
            EXPECT_EQ(transfer.failure(), out_of_memory ? E_OUTOFMEMORY : E_FAIL) << static_cast<int>(step);
            EXPECT_FALSE(broken) << "the other transfers go on";
        }
    }
}

}  // namespace
