#include <gtest/gtest.h>
#include <httplib.h>
#include <kit/File.h>
#include <lan/QrCode.h>
#include <lan/Server.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

// A server on the loopback with a page of its own, and a client that talks to it as a phone would.
class ServerTest : public testing::Test {
protected:
    lan::Server server;
    kit::String folder;
    kit::String prefix;
    std::unique_ptr<httplib::Client> client;

    void SetUp() override {
        char pattern[] = "/tmp/swiggard_lan_XXXXXX";
        folder = mkdtemp(pattern);
        kit::File::write(folder + "/index.html", "<!doctype html><title>phones</title>");
        lan::Server::Options options;
        options.address = "127.0.0.1";
        options.port = 0;
        options.files = {{"index.html", folder + "/index.html"}, {"gone.js", folder + "/gone.js"}};
        ASSERT_TRUE(server.start(options)) << server.getError();
        prefix = "/p/" + server.getSecret() + "/";
        kit::String address = server.getAddress();  // "http://127.0.0.1:port/"
        client = std::make_unique<httplib::Client>(address.substr(0, address.size() - 1));
        client->set_read_timeout(5, 0);
    }

    void TearDown() override {
        server.stop();
        std::system(("rm -rf " + folder).c_str());
    }
};

TEST_F(ServerTest, ThePageComesWithItsSafetyHeadersAndSoDoRefusals) {
    EXPECT_EQ(server.getJoinAddress(), server.getAddress() + "p/" + server.getSecret() + "/");
    EXPECT_EQ(server.getSecret().size(), 32u);
    auto page = client->Get(prefix.c_str());
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->body, "<!doctype html><title>phones</title>");
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
    for (const auto& path : {prefix, prefix + "nothing", kit::String("/p/x/"), prefix + "gone.js"}) {
        auto response = client->Get(path.c_str());
        ASSERT_TRUE(response) << path;
        EXPECT_EQ(response->get_header_value("Content-Security-Policy"),
                  "default-src 'self'; frame-ancestors 'none'")
            << path;
        EXPECT_EQ(response->get_header_value("X-Content-Type-Options"), "nosniff") << path;
        EXPECT_EQ(response->get_header_value("Referrer-Policy"), "no-referrer") << path;
        EXPECT_EQ(response->get_header_value("Cache-Control"), "no-store") << path;
    }
    EXPECT_EQ(client->Get((prefix + "gone.js").c_str())->status, 404);  // listed, but the file is missing
    auto foreign = client->Get(prefix.c_str(), {{"Host", "attacker.example"}});
    ASSERT_TRUE(foreign);
    EXPECT_EQ(foreign->status, 403);
}

TEST_F(ServerTest, AMegabyteBodyIsRefusedAndTheServerGoesOn) {
    auto huge = client->Post((prefix + "join").c_str(), kit::String(1 << 20, '{'), "application/json");
    if (huge) {  // the server may close the line before the client has sent it all
        EXPECT_EQ(huge->status, 413);
    }
    EXPECT_TRUE(server.takeMessages().empty());
    auto state = client->Get((prefix + "state").c_str());
    ASSERT_TRUE(state);
    EXPECT_EQ(state->status, 200);
}

TEST_F(ServerTest, AJoinReachesTheGameAndTheStreamFollowsTheView) {
    lan::View view;
    view.rows = {{0, "Anna", "FF0000", 3, false}};
    server.publish(view);
    auto joined = client->Post((prefix + "join").c_str(), "{\"row\":0}", "application/json");
    ASSERT_TRUE(joined);
    ASSERT_EQ(joined->status, 200);
    kit::String cookie = joined->get_header_value("Set-Cookie");
    kit::Array<lan::Message> messages = server.takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    view.rows[0].phone = true;
    lan::View::Phone& anna = view.phones[messages[0].token];
    anna.name = "Anna";
    anna.color = "FF0000";
    server.publish(view);

    std::atomic<bool> sawAnna{false}, sawTurn{false};
    httplib::Client stream(server.getAddress().substr(0, server.getAddress().size() - 1));
    stream.set_read_timeout(5, 0);
    std::thread reader([&] {
        kit::String received;
        stream.Get((prefix + "events").c_str(), {{"Cookie", cookie.substr(0, cookie.find(';'))}},
                   [&](const char* data, size_t length) {
                       received.append(data, length);
                       sawAnna = received.find("\"you\":{") != kit::String::npos;
                       sawTurn =
                           received.find("\"turn\":{\"color\":\"FF0000\",\"name\":\"Anna\",\"you\":true}") !=
                           kit::String::npos;
                       return true;
                   });
    });
    for (int i = 0; i < 500 && !sawAnna; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(sawAnna);
    view.turnRow = 0;
    view.turnName = "Anna";
    view.turnColor = "FF0000";
    server.publish(view);
    for (int i = 0; i < 500 && !sawTurn; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(sawTurn);
    server.stop();  // ends the open stream, so that the reader returns
    reader.join();
    EXPECT_FALSE(server.isRunning());
}

TEST_F(ServerTest, ARestartedServerKeepsAGivenSecretAndRefusesABadOne) {
    kit::String secret = server.getSecret();
    server.stop();
    lan::Server::Options options;
    options.address = "127.0.0.1";
    options.port = 0;
    options.secret = secret;
    ASSERT_TRUE(server.start(options));
    EXPECT_EQ(server.getSecret(), secret);
    server.stop();
    options.secret = "../../etc";
    ASSERT_TRUE(server.start(options));
    EXPECT_NE(server.getSecret(), options.secret);
    EXPECT_EQ(server.getSecret().size(), 32u);
    lan::Server::Options nowhere;
    nowhere.address = "203.0.113.1";  // not this machine's
    lan::Server other;
    EXPECT_FALSE(other.start(nowhere));
    EXPECT_FALSE(other.getError().empty());
}

// A connection to the server from this test, as a phone's browser makes it; -1 if refused.
int connectTo(const kit::String& address) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(std::atoi(address.substr(address.rfind(':') + 1).c_str())));
    inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool sendAll(int fd, const kit::String& bytes) {
    return send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

// A phone on a busy Wi-Fi: the request starts a while after the connection, and comes in pieces
// with a lost packet's wait between them.
TEST_F(ServerTest, ARequestThatComesSlowlyAndInPiecesIsAnswered) {
    kit::String address = server.getAddress();
    kit::String host = address.substr(7, address.size() - 8);
    kit::String request =
        "GET " + prefix + "state HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n";
    for (size_t pieces : {1, 2}) {
        int fd = connectTo(address);
        ASSERT_GE(fd, 0);
        size_t size = request.size() / pieces;
        for (size_t at = 0; at < request.size(); at += size) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            ASSERT_TRUE(sendAll(fd, request.substr(at, size))) << pieces << " pieces";
        }
        char answer[16] = {};
        ssize_t got = recv(fd, answer, sizeof answer - 1, MSG_WAITALL);
        close(fd);
        EXPECT_EQ(kit::String(answer, got > 0 ? static_cast<size_t>(got) : 0), "HTTP/1.1 200 OK")
            << pieces << " pieces";
    }
}

// A request that never ends holds up neither stop() nor the game: stopping shuts its connection.
TEST_F(ServerTest, StoppingClosesAConnectionThatIsStillSendingItsRequest) {
    int fd = connectTo(server.getAddress());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(sendAll(fd, "GET " + prefix + "state HTTP/1.1\r\nX-Slow: "));
    std::atomic<bool> closedBeforeTheEnd{false};
    std::atomic<int> dribbled{0};
    std::thread dribbler([&] {
        char reply = 0;
        // One byte a tenth of a second, well within the read timeout, for a minute or until the
        // server closes the line; stop() cannot return before either.
        for (; dribbled < 600; ++dribbled) {
            if (!sendAll(fd, "a") || recv(fd, &reply, 1, MSG_DONTWAIT) == 0) {
                closedBeforeTheEnd = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    server.stop();
    dribbler.join();
    close(fd);
    EXPECT_FALSE(server.isRunning());
    EXPECT_TRUE(closedBeforeTheEnd) << "stop() waited for the request to end, " << dribbled << " bytes";
}

TEST(QrCodeTest, AJoinAddressFitsASmallCode) {
    lan::QrCode code =
        lan::QrCode::encode("http://192.168.178.123:47615/p/0123456789abcdef0123456789abcdef/");
    ASSERT_FALSE(code.isEmpty());
    EXPECT_LE(code.getSize(), 41);  // version 6 at most: big modules on the TV
    // The three finder patterns: dark corners with a light ring inside.
    for (auto [x, y] :
         {std::pair{0, 0}, std::pair{code.getSize() - 7, 0}, std::pair{0, code.getSize() - 7}}) {
        EXPECT_TRUE(code.isDark(x, y));
        EXPECT_FALSE(code.isDark(x + 1, y + 1));
        EXPECT_TRUE(code.isDark(x + 3, y + 3));
    }
}

// A second game on this machine never shares the first one's port: the phones would reach either.
TEST_F(ServerTest, ASecondServerTakesAnotherPort) {
    lan::Server second;
    lan::Server::Options options;
    options.address = "127.0.0.1";
    kit::String first = server.getAddress();  // "http://127.0.0.1:port/"
    options.port = std::atoi(first.substr(first.rfind(':') + 1).c_str());
    ASSERT_TRUE(second.start(options)) << second.getError();
    EXPECT_NE(second.getAddress(), first);
    auto answer = client->Get((prefix + "state").c_str());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200) << "the first server's phones reached the second";
    second.stop();
}

}  // namespace
