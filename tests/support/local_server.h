#pragma once
#include "tools/driver/program_driver.h"

#include <atomic>
#include <thread>

// A real TCP server on 127.0.0.1 answering connections in turn on its own thread by one script: it reads each request
// up to its empty line, sends the pieces in order, holds the connection open for holdOpenMs, then closes it.
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

struct LocalServer {
    explicit LocalServer(ServerScript given);
    ~LocalServer() { Finish(), CloseHandle(stop); }
    // Ends any pause or hold at once, waits for the server's thread, answers the requests it read.
    std::string Finish();

    ServerScript script;
    unsigned short port;  // 0 when it could not be taken
    UINT_PTR listener;
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::string requests;
    std::atomic<int> served = 0;  // connections answered and closed
    std::thread thread;
};

std::string HttpAnswer(const std::string& body, const std::string& status = "200 OK");  // status line, one header
