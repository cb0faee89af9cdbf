#include "support/local_server.h"

#include <winsock2.h>

#include <utility>

static constexpr DWORD kRequestLimitMs = 5000;

static SOCKET ListenOnLoopback(unsigned short& port)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{AF_INET, htons(port), {.S_un = {.S_addr = htonl(INADDR_LOOPBACK)}}, {}};
    int size = sizeof address;
    bool listening = bind(listener, reinterpret_cast<sockaddr*>(&address), size) == 0 && listen(listener, 4) == 0 &&
                     getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) == 0;
    port = listening ? ntohs(address.sin_port) : 0;
    return listening ? listener : (closesocket(listener), INVALID_SOCKET);
}

LocalServer::LocalServer(ServerScript given)
    : script(std::move(given)), port(script.port), listener(ListenOnLoopback(port))
{
    // Without a listener the first wait for a connection fails at once.
    thread = std::thread([this] {
        for (SOCKET client; (client = accept(listener, nullptr, nullptr)) != INVALID_SOCKET; ++served) {
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&kRequestLimitMs), sizeof(DWORD));
            std::string request;
            for (char byte; !request.ends_with("\r\n\r\n") && recv(client, &byte, 1, 0) == 1;)
                request += byte;
            requests += request;
            for (const ServerPiece& piece : script.pieces) {
                WaitForSingleObject(stop, piece.pauseBeforeMs);
                send(client, piece.bytes.data(), static_cast<int>(piece.bytes.size()), piece.urgent ? MSG_OOB : 0);
            }
            WaitForSingleObject(stop, script.holdOpenMs);
            shutdown(client, SD_SEND);
            closesocket(client);
        }
    });
}

std::string LocalServer::Finish()
{
    SetEvent(stop);
    closesocket(listener);  // also ends the wait for a connection
    if (thread.joinable())
        thread.join();
    listener = INVALID_SOCKET;
    return requests;
}

std::string HttpAnswer(const std::string& body, const std::string& status)
{
    return "HTTP/1.0 " + status + "\r\nContent-Type: text/html\r\n\r\n" + body;
}
