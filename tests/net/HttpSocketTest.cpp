#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>

#include "TestServer.h"
#include "kit/Strings.h"
#include "kit/Time.h"
#include "net/HttpSocket.h"
#include "net/HttpSocketDelegate.h"
#include "net/Net.h"

namespace {

struct Outcome {
    bool completed;
    net::HttpResponse response;
    kit::String url;
};

class Recorder : public net::HttpSocketDelegate {
public:
    void onHttpCompleted(net::HttpSocket* socket, const net::HttpResponse& response,
                         const kit::String& url) override {
        outcomes.push_back({true, response, url});
        then(socket);
    }
    void onHttpFailed(net::HttpSocket* socket, const net::HttpResponse& response,
                      const kit::String& url) override {
        outcomes.push_back({false, response, url});
        then(socket);
    }

    kit::Array<Outcome> outcomes;
    std::function<void(net::HttpSocket*)> then = [](net::HttpSocket*) {};
};

class HttpSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isListening());
        // A proxy of the developer's environment must not stand between the test and its server.
        setenv("no_proxy", "127.0.0.1", 1);
        ASSERT_TRUE(net::init(false));
        socket = std::make_unique<net::HttpSocket>(&recorder);
        socket->setTimeout(3.0f);
    }
    void TearDown() override {
        socket.reset();
        net::destroy();
    }

    // Drives the layer until `count` outcomes arrived or `seconds` passed; returns the seconds taken.
    double runUntil(size_t count, double seconds = 5.0) {
        double begin = kit::monotonicSeconds();
        while (recorder.outcomes.size() < count && kit::monotonicSeconds() - begin < seconds) {
            double start = kit::monotonicSeconds();
            net::update(0.005f);
            longestUpdate = std::max(longestUpdate, kit::monotonicSeconds() - start);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return kit::monotonicSeconds() - begin;
    }

    const Outcome& fetch(const kit::String& url) {
        recorder.outcomes.clear();
        EXPECT_TRUE(socket->executeGetAsync(url, "", {}));
        runUntil(1);
        EXPECT_EQ(recorder.outcomes.size(), 1u);
        if (recorder.outcomes.empty()) {
            recorder.outcomes.push_back({true, {}, ""});
        }
        return recorder.outcomes.front();
    }

    TestServer server;
    Recorder recorder;
    // The longest single update so far: a frame's share of the network work.
    double longestUpdate = 0.0;
    std::unique_ptr<net::HttpSocket> socket;
};

TEST_F(HttpSocketTest, ReplyArrivesInsideUpdateWithTheHeaderSent) {
    kit::String url = server.url("/echo");
    ASSERT_TRUE(socket->executeGetAsync(url, "", {{"User-Agent", "SWG/2.5.7 (Linux)"}}));
    EXPECT_TRUE(recorder.outcomes.empty());
    EXPECT_EQ(socket->getPendingCount(), 1);
    runUntil(1);
    ASSERT_EQ(recorder.outcomes.size(), 1u);
    const Outcome& outcome = recorder.outcomes.front();
    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.url, url);
    EXPECT_EQ(outcome.response.statusCode, 200);
    EXPECT_EQ(outcome.response.body, "agent=SWG/2.5.7 (Linux);body=");
    EXPECT_TRUE(outcome.response.error.empty());
    EXPECT_EQ(socket->getPendingCount(), 0);
}

TEST_F(HttpSocketTest, CustomBodyAndHttpRedirectsReachTheServer) {
    recorder.outcomes.clear();
    ASSERT_TRUE(socket->executeGetAsync(server.url("/echo"), "hello", {}));
    runUntil(1);
    ASSERT_EQ(recorder.outcomes.size(), 1u);
    EXPECT_EQ(recorder.outcomes[0].response.body, "agent=;body=hello");

    const Outcome& redirected = fetch(server.url("/redirect-echo"));
    EXPECT_TRUE(redirected.completed);
    EXPECT_EQ(redirected.response.body, "agent=;body=");
}

TEST_F(HttpSocketTest, SeveralRequestsOfOneSocketEachGetAnAnswer) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(socket->executeGetAsync(server.url("/echo"), kit::toString(i), {}));
    }
    ASSERT_TRUE(socket->executeGetAsync(server.url("/missing"), "", {}));
    runUntil(4);
    ASSERT_EQ(recorder.outcomes.size(), 4u);
    int completed = 0;
    for (const Outcome& outcome : recorder.outcomes) {
        completed += outcome.completed ? 1 : 0;
    }
    EXPECT_EQ(completed, 3);
}

TEST_F(HttpSocketTest, EveryFaultEndsInTheFailureCallback) {
    struct Case {
        kit::String url;
        int status;
        kit::String error;
    };
    kit::String closed = "http://127.0.0.1:" + kit::toString(TestServer::findClosedPort()) + "/";
    const Case cases[] = {
        {closed, 0, ""},
        {server.url("/missing"), 404, "404"},
        {server.url("/big"), 200, "larger"},
        {server.url("/big-chunked"), 200, "larger"},
        {server.url("/redirect-file"), 302, ""},
        {server.url("/redirect-ftp"), 302, ""},
        {"file:///etc/hostname", 0, ""},
        {"ftp://127.0.0.1:1/x", 0, ""},
        {"not a url at all", 0, ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.url);
        const Outcome& outcome = fetch(test.url);
        EXPECT_FALSE(outcome.completed);
        EXPECT_EQ(outcome.response.statusCode, test.status);
        EXPECT_FALSE(outcome.response.error.empty());
        EXPECT_TRUE(kit::contains(outcome.response.error, test.error)) << outcome.response.error;
        EXPECT_LE(outcome.response.body.size(), net::HttpSocket::defaultMaxBodySize);
    }
}

TEST_F(HttpSocketTest, NotFoundKeepsTheBodyOfTheReply) {
    const Outcome& outcome = fetch(server.url("/missing"));
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.response.body, "not here");
}

TEST_F(HttpSocketTest, BodyLimitIsPerSocket) {
    socket->setMaxBodySize(8);
    EXPECT_FALSE(fetch(server.url("/echo")).completed);
    socket->setMaxBodySize(64);
    EXPECT_TRUE(fetch(server.url("/echo")).completed);
}

TEST_F(HttpSocketTest, SilentServerTimesOut) {
    socket->setTimeout(0.5f);
    ASSERT_TRUE(socket->executeGetAsync(server.url("/silent"), "", {}));
    double seconds = runUntil(1, 5.0);
    ASSERT_EQ(recorder.outcomes.size(), 1u);
    EXPECT_FALSE(recorder.outcomes[0].completed);
    EXPECT_EQ(recorder.outcomes[0].response.statusCode, 0);
    EXPECT_LT(seconds, 3.0);
}

TEST_F(HttpSocketTest, DeletingTheSocketCancelsItsRequests) {
    ASSERT_TRUE(socket->executeGetAsync(server.url("/silent"), "", {}));
    ASSERT_TRUE(socket->executeGetAsync(server.url("/echo"), "", {}));
    net::update(0.0f);
    socket.reset();
    runUntil(1, 0.5);
    EXPECT_TRUE(recorder.outcomes.empty());
}

TEST_F(HttpSocketTest, HandlerMayDeleteItsSocketOrSendAgain) {
    int sent = 0;
    recorder.then = [this, &sent](net::HttpSocket* from) {
        EXPECT_EQ(from, socket.get());
        if (++sent < 3) {
            socket->executeGetAsync(server.url("/echo"), "", {});
        }
    };
    ASSERT_TRUE(socket->executeGetAsync(server.url("/echo"), "", {}));
    runUntil(3);
    EXPECT_EQ(recorder.outcomes.size(), 3u);

    recorder.outcomes.clear();
    recorder.then = [this](net::HttpSocket*) { socket.reset(); };
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(socket->executeGetAsync(server.url("/echo"), "", {}));
    }
    runUntil(3, 1.0);
    EXPECT_EQ(recorder.outcomes.size(), 1u);
}

TEST_F(HttpSocketTest, HeadersThatWouldSplitTheRequestAreRefused) {
    EXPECT_FALSE(socket->executeGetAsync(server.url("/echo"), "", {{"User-Agent", "a\r\nX-Injected: 1"}}));
    EXPECT_FALSE(socket->executeGetAsync(server.url("/echo"), "", {{"Bad:Name", "a"}}));
    EXPECT_FALSE(socket->executeGetAsync(server.url("/echo"), "", {{"", "a"}}));
    EXPECT_EQ(socket->getPendingCount(), 0);
    runUntil(1, 0.2);
    EXPECT_TRUE(recorder.outcomes.empty());
}

TEST_F(HttpSocketTest, DestroyCancelsAndLaterCallsAreHarmless) {
    ASSERT_TRUE(socket->executeGetAsync(server.url("/silent"), "", {}));
    net::update(0.0f);
    net::destroy();
    EXPECT_FALSE(net::isInitialized());
    EXPECT_EQ(socket->getPendingCount(), 0);
    EXPECT_FALSE(socket->executeGetAsync(server.url("/echo"), "", {}));
    net::update(0.0f);
    socket.reset();
    EXPECT_TRUE(recorder.outcomes.empty());
}

}  // namespace

TEST_F(HttpSocketTest, HostileRepliesEndWithinTheTimeoutKeepingAtMostTheLimit) {
    const float timeout = 1.0f;
    socket->setTimeout(timeout);
    for (const char* path : {"/trickle", "/silent", "/loop", "/huge", "/huge-chunked"}) {
        SCOPED_TRACE(path);
        recorder.outcomes.clear();
        ASSERT_TRUE(socket->executeGetAsync(server.url(path), "", {}));
        double seconds = runUntil(1, 10.0);
        ASSERT_EQ(recorder.outcomes.size(), 1u);
        EXPECT_FALSE(recorder.outcomes[0].completed);
        EXPECT_LE(recorder.outcomes[0].response.body.size(), net::HttpSocket::defaultMaxBodySize);
        EXPECT_LT(seconds, timeout + 1.0);
    }
    // A reply that blocked the frame would hold an update for most of the timeout.
    EXPECT_LT(longestUpdate, timeout / 4);
}

TEST_F(HttpSocketTest, BinaryAndMarkupBodiesArriveAsBytes) {
    const Outcome& outcome = fetch(server.url("/hostile"));
    ASSERT_TRUE(outcome.completed);
    static const char expected[] = "[c=FF0000]{%s}\0\xff\xfe<b>%n%n</b>\r\nsecond line";
    EXPECT_EQ(outcome.response.body, kit::String(expected, sizeof(expected) - 1));
}
