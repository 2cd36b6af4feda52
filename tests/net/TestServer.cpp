#include "TestServer.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "kit/Strings.h"

extern char** environ;

namespace {

// Reads the first line the server prints, waiting at most `milliseconds`.
kit::String readLine(int fd, int milliseconds) {
    kit::String line;
    char c = 0;
    pollfd waiting{fd, POLLIN, 0};
    while (poll(&waiting, 1, milliseconds) > 0 && read(fd, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

}  // namespace

TestServer::TestServer() {
    int pipeFds[2];
    int inputFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        return;
    }
    if (pipe2(inputFds, O_CLOEXEC) != 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return;
    }
    // The server ends when `input` closes, which also happens when this process dies.
    input = inputFds[1];
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, inputFds[0], STDIN_FILENO);
    char python[] = NET_TEST_PYTHON;
    char script[] = NET_TEST_SERVER;
    char* argv[] = {python, script, nullptr};
    int spawned = posix_spawn(&child, python, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    close(inputFds[0]);
    if (spawned != 0) {
        child = -1;
        close(pipeFds[0]);
        return;
    }
    port = kit::toInt(readLine(pipeFds[0], 5000));
    close(pipeFds[0]);
}

TestServer::~TestServer() {
    if (input >= 0) {
        close(input);
    }
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
}

kit::String TestServer::url(const kit::String& path) const {
    return "http://127.0.0.1:" + kit::toString(port) + path;
}

int TestServer::findClosedPort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof(address);
    bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    close(fd);
    return ntohs(address.sin_port);
}
