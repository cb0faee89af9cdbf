#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A real TCP server on 127.0.0.1 that serves one connection on its own
// thread, following a script: it reads the request (up to its empty line),
// sends the pieces in order, keeps the connection open for holdOpenMs, then
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
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    unsigned short Port() const { return port_; }

    // Waits up to timeoutMs for the one connection to be served by script.
    bool WaitUntilServed(DWORD timeoutMs) const;

    // Ends any pause or hold at once, waits for the serving thread and
    // answers the bytes the client sent.
    std::string Finish();

private:
    static DWORD WINAPI Serve(LPVOID self);
    void ServeOne();

    ServerScript script_;
    UINT_PTR listener_ = ~UINT_PTR(0);
    unsigned short port_ = 0;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
    std::string request_;
};

// A port of 127.0.0.1 on which nothing listens (taken and given back).
unsigned short UnusedPort();

// An answer of HTTP/1.0 status line, one header and body.
std::string HttpAnswer(const std::string& body, const std::string& status = "200 OK");
