#pragma once

#include <sys/types.h>

#include "kit/Types.h"

// The HTTP test server (http_server.py) as a child process on a free port of 127.0.0.1.
class TestServer {
public:
    TestServer();
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // Whether the server announced its port within a few seconds.
    bool isListening() const { return port > 0; }
    kit::String url(const kit::String& path) const;

    // A port on which nothing listens.
    static int findClosedPort();

private:
    pid_t child = -1;
    int input = -1;
    int port = 0;
};
