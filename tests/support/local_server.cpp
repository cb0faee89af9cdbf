#include "support/local_server.h"

#include <winsock2.h>

namespace {

constexpr DWORD kAcceptLimitMs = 15000;
constexpr DWORD kRequestLimitMs = 5000;
constexpr long kPollMs = 20;

void StartSockets()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

SOCKET ListenOnLoopback(unsigned short& port)
{
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    int size = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(listener, 4) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        closesocket(listener);
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return listener;
}

bool Readable(SOCKET socket)
{
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(socket, &ready);
    timeval limit{0, kPollMs * 1000};
    return select(0, &ready, nullptr, nullptr, &limit) > 0;
}

bool Stopped(HANDLE stop) { return WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

void SendAll(SOCKET socket, const std::string& bytes, int flags)
{
    for (size_t sent = 0; sent < bytes.size();) {
        int count = send(socket, bytes.data() + sent, static_cast<int>(bytes.size() - sent), flags);
        if (count <= 0)
            return;
        sent += count;
    }
}

}  // namespace

LocalServer::LocalServer(ServerScript script) : script_(std::move(script)), port_(script_.port)
{
    StartSockets();
    listener_ = ListenOnLoopback(port_);
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (listener_ != INVALID_SOCKET)
        thread_ = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
}

LocalServer::~LocalServer()
{
    Finish();
    CloseHandle(stop_);
}

bool LocalServer::WaitUntilServed(DWORD timeoutMs) const
{
    return thread_ && WaitForSingleObject(thread_, timeoutMs) == WAIT_OBJECT_0;
}

std::string LocalServer::Finish()
{
    SetEvent(stop_);
    if (thread_) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    if (listener_ != INVALID_SOCKET) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
    }
    return request_;
}

DWORD WINAPI LocalServer::Serve(LPVOID self)
{
    static_cast<LocalServer*>(self)->ServeOne();
    return 0;
}

void LocalServer::ServeOne()
{
    DWORD start = GetTickCount();
    while (!Readable(listener_))
        if (Stopped(stop_) || GetTickCount() - start > kAcceptLimitMs)
            return;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET)
        return;
    start = GetTickCount();
    while (request_.find("\r\n\r\n") == std::string::npos && GetTickCount() - start < kRequestLimitMs &&
           !Stopped(stop_)) {
        if (!Readable(client))
            continue;
        char buffer[1024];
        int count = recv(client, buffer, sizeof buffer, 0);
        if (count <= 0)
            break;
        request_.append(buffer, count);
    }
    for (const ServerPiece& piece : script_.pieces) {
        WaitForSingleObject(stop_, piece.pauseBeforeMs);
        SendAll(client, piece.bytes, piece.urgent ? MSG_OOB : 0);
    }
    WaitForSingleObject(stop_, script_.holdOpenMs);
    shutdown(client, SD_SEND);
    closesocket(client);
}

unsigned short UnusedPort()
{
    StartSockets();
    unsigned short port = 0;
    SOCKET taken = ListenOnLoopback(port);
    closesocket(taken);
    return port;
}

std::string HttpAnswer(const std::string& body, const std::string& status)
{
    return "HTTP/1.0 " + status + "\r\nContent-Type: text/html\r\n\r\n" + body;
}
