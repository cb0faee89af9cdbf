#pragma once
#include "tools/driver/program_driver.h"

#include <atomic>

// A real TCP server on 127.0.0.1 answering connections in turn on its own
// thread by one script: it reads each request up to its empty line, sends
// the pieces in order, holds the connection open for holdOpenMs, then
// closes it.
struct ServerPiece {
    std::string bytes;
    DWORD pauseBeforeMs = 0;
    bool urgent = false;  // sent out of band
};

struct ServerScript {
    std::vector<ServerPiece> pieces;
    DWORD holdOpenMs = 0;
    unsigned short port = 0;  // 0: any free port
};

class LocalServer {
public:
    explicit LocalServer(ServerScript script);
    ~LocalServer() { Finish(), CloseHandle(stop_); }

    unsigned short Port() const { return port_; }  // 0 when the port could not be taken
    bool WaitUntilServed(int connections, DWORD timeoutMs) const
    {
        return WaitUntil([&] { return served_ >= connections; }, timeoutMs);
    }
    // Ends any pause or hold at once, waits for the server's thread, answers the requests it read.
    std::string Finish();

private:
    static DWORD WINAPI Serve(LPVOID self);

    ServerScript script_;
    unsigned short port_;
    UINT_PTR listener_;
    HANDLE stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::string requests_;
    std::atomic<int> served_ = 0;  // connections answered and closed; makes the server uncopyable
    HANDLE thread_ = nullptr;
};

unsigned short UnusedPort();  // a port of 127.0.0.1 on which nothing listens
std::string HttpAnswer(const std::string& body, const std::string& status = "200 OK");  // status line, one header
