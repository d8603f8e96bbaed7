// The HTTP(S) client against local servers: bodies, redirects, codings, charsets and
// authorisation that arrive, and every way a transfer fails with its message.
#include "engine/net/HttpClient.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "engine/net/HttpError.h"
#include "engine/net/WebTestServer.h"

namespace quinkle::testing {
namespace {

using namespace std::chrono_literals;

class HttpClientTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = std::make_unique<WebTestServer>(); }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override {
        ASSERT_TRUE(server->Ok()) << "the local test servers did not start";
        options.EnvironmentProxy = false;
        options.CaFile = server->CaFile();
    }

    static std::unique_ptr<WebTestServer> server;
    HttpClient client;
    FetchOptions options;
};

std::unique_ptr<WebTestServer> HttpClientTest::server;

TEST_F(HttpClientTest, FetchesBodiesAsSent) {
    const std::string port = std::to_string(server->HttpPort());
    struct Row {
        std::string Address;
        std::string Body;
        std::string ContentType;
    };
    const Row rows[] = {
        {server->Http("/three"), "one\r\ntwo\r\nthree", "text/html"},
        {server->Http("/lf"), "one\ntwo\nthree\n", "text/plain"},
        // A chain of redirects ends at the page; the last response's headers count.
        {server->Http("/redirect/3"), "one\r\ntwo\r\nthree", "text/html"},
        {server->Http("/gzip"), "packed\r\npage", ""},
        {server->Http("/latin1"), "<p>caf\xe9</p>", "text/html; charset=ISO-8859-1"},
        {"http://user:p%40ss word@127.0.0.1:" + port + "/auth", "welcome", ""},
        {server->Https("/three"), "one\r\ntwo\r\nthree", "text/html"},
        // No scheme means http; no path asks for "/"; the request carries our headers.
        {" 127.0.0.1:" + port,
         "path=/\naccept=image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\n"
         "agent=Mozilla/3.0 (compatible)\nhost=127.0.0.1:" +
             port,
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Address);
        const FetchResult result = client.Get(row.Address, options);
        EXPECT_EQ(result.Body, row.Body);
        EXPECT_EQ(result.ContentType, row.ContentType);
        EXPECT_EQ(result.Status, 200);
    }
}

TEST_F(HttpClientTest, FailuresCarryTheirMessages) {
    struct Row {
        std::string Address;
        std::function<void(FetchOptions&)> Change;
        HttpFailure Failure;
        std::string Message;  // the whole message, or its start when it ends in "*"
    };
    const auto none = [](FetchOptions&) {};
    const Row rows[] = {
        {server->Http("/missing"), none, HttpFailure::Status, "Page Gone Away"},
        {server->Http("/auth"), none, HttpFailure::Status, "Who Are You"},
        {server->Http("/loop"), none, HttpFailure::TooManyRedirects,
         "The address was redirected more than 10 times."},
        {server->Http("/redirect/3"), [](FetchOptions& o) { o.MaxRedirects = 2; },
         HttpFailure::TooManyRedirects, "The address was redirected more than 2 times."},
        // Over the limit with a length given and without one.
        {server->Http("/big?n=70000"), [](FetchOptions& o) { o.MaxBody = 65536; },
         HttpFailure::TooLarge, "The page is larger than 64 KB."},
        {server->Http("/bigstream?n=70000"), [](FetchOptions& o) { o.MaxBody = 65536; },
         HttpFailure::TooLarge, "The page is larger than 64 KB."},
        {server->Http("/slow"), [](FetchOptions& o) { o.TotalTimeout = 300ms; },
         HttpFailure::Timeout, "The page did not arrive within 0.3 seconds."},
        {server->Https("/three"), [](FetchOptions& o) { o.CaFile.clear(); },
         HttpFailure::Certificate, "The server's certificate could not be verified: *"},
        {"http://no-such-host.invalid/", none, HttpFailure::Resolve,
         "can't resolve hostname to IP address"},
        // The HTTPS port does not speak plain HTTP; port 1 is closed.
        {"http://127.0.0.1:1/", none, HttpFailure::Connect,
         "can't connect: Connection refused (Error #111)"},
        {"ftp://127.0.0.1/", none, HttpFailure::BadAddress, "*not ftp."},
        {"http://127.0.0.1:99999/", none, HttpFailure::BadAddress,
         "The port \"99999\" is not valid."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Address);
        FetchOptions changed = options;
        row.Change(changed);
        try {
            client.Get(row.Address, changed);
            ADD_FAILURE() << "no failure";
        } catch (const EHttpError& error) {
            EXPECT_EQ(error.Failure(), row.Failure) << error.what();
            const std::string message = error.what();
            if (row.Message.front() == '*')
                EXPECT_TRUE(message.ends_with(row.Message.substr(1))) << message;
            else if (row.Message.back() == '*')
                EXPECT_TRUE(message.starts_with(row.Message.substr(0, row.Message.size() - 1)))
                    << message;
            else
                EXPECT_EQ(message, row.Message);
        }
        EXPECT_FALSE(client.Busy());
    }
}

// While one transfer runs, a second is refused; cancelling ends the first soon, from another
// thread, after it reported its progress.
TEST_F(HttpClientTest, CancelEndsARunningTransferAndBusyRefusesASecond) {
    std::atomic<bool> cancel{false};
    std::atomic<uint64_t> received{0};
    options.Cancel = &cancel;
    options.Progress = [&](uint64_t bytes) { received = bytes; };
    HttpFailure failure = HttpFailure::Other;
    std::thread transfer([&] {
        try {
            client.Get(server->Http("/slow"), options);
        } catch (const EHttpError& error) {
            failure = error.Failure();
        }
    });
    while (received < 3) std::this_thread::sleep_for(10ms);
    try {
        client.Get(server->Http("/three"), options);
        ADD_FAILURE() << "a second transfer ran";
    } catch (const EHttpError& error) {
        EXPECT_EQ(error.Failure(), HttpFailure::Busy);
        EXPECT_STREQ(error.what(), "HTTP component is busy");
    }
    const auto asked = std::chrono::steady_clock::now();
    cancel = true;
    transfer.join();
    EXPECT_EQ(failure, HttpFailure::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 2s);
    EXPECT_FALSE(client.Busy());
}

}  // namespace
}  // namespace quinkle::testing
