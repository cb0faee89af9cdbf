#include "update/http_fetch.h"

#include "update/page_value.h"

#include <winsock2.h>

#include <cstring>
#include <optional>

namespace {

constexpr int kReceiveBufferSize = 8192;
constexpr DWORD kPollPauseMs = 20;

std::optional<in_addr> ResolveHost(const std::string& host)
{
    if (host.empty())
        return std::nullopt;
    hostent* entry = gethostbyname(host.c_str());
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list || !entry->h_addr_list[0])
        return std::nullopt;
    in_addr address;
    std::memcpy(&address, entry->h_addr_list[0], sizeof address);
    return address;
}

// -1 when the socket reports an exception (or select fails); otherwise the
// count of ready sockets: 1 once the socket is writable, 0 after the limit.
int ConnectWait(SOCKET socket, DWORD limitMs)
{
    timeval limit{static_cast<long>(limitMs / 1000), static_cast<long>(limitMs % 1000 * 1000)};
    fd_set exceptions;
    FD_ZERO(&exceptions);
    FD_SET(socket, &exceptions);
    if (select(0, nullptr, nullptr, &exceptions, &limit) < 0 || FD_ISSET(socket, &exceptions))
        return -1;
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(socket, &writable);
    return select(0, nullptr, &writable, nullptr, &limit);
}

bool SendRequest(SOCKET socket, const std::string& path)
{
    // Exactly the request line and an empty line: no header lines at all.
    std::string requestLine = "GET " + path + " HTTP/1.0\r\n";
    int sent = send(socket, requestLine.data(), static_cast<int>(requestLine.size()), 0);
    sent += send(socket, "\r\n", 2, 0);
    return sent >= 0;
}

// Receives until the buffer's worth has arrived, the server closes, or the
// limit passes: an answer may come in several pieces. The socket does not
// block, so no answer can hold a receive past the limit, not even an urgent
// byte, which marks the socket without giving a plain receive anything.
std::string ReceiveAnswer(SOCKET socket, DWORD limitMs)
{
    u_long nonBlocking = 1;
    ioctlsocket(socket, FIONBIO, &nonBlocking);
    char buffer[kReceiveBufferSize];
    std::string received;
    DWORD start = GetTickCount();
    while (received.size() < kReceiveBufferSize) {
        SleepEx(kPollPauseMs, TRUE);
        int count = recv(socket, buffer, kReceiveBufferSize - static_cast<int>(received.size()), 0);
        if (count > 0)
            received.append(buffer, count);
        else if (count == 0 || WSAGetLastError() != WSAEWOULDBLOCK)
            break;
        if (GetTickCount() - start >= limitMs)
            break;
    }
    return received;
}

std::string FetchFromSocket(SOCKET socket, in_addr address, unsigned short port, const std::string& path,
                            const FetchLimits& limits)
{
    sockaddr_in server = {};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr = address;
    // A connection that was not made shows in the waits or the sends.
    connect(socket, reinterpret_cast<sockaddr*>(&server), sizeof server);
    if (ConnectWait(socket, limits.connectWaitMs) < 0 || !SendRequest(socket, path))
        return {};
    return ReceiveAnswer(socket, limits.receiveLimitMs);
}

}  // namespace

std::string FetchPageValueAt(const std::string& host, unsigned short port, const std::string& path,
                             const std::string& marker, const FetchLimits& limits)
{
    WSADATA data;
    WSAStartup(0x0101, &data);
    std::optional<in_addr> address = ResolveHost(host);
    if (!address)
        return {};
    SOCKET socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket == INVALID_SOCKET)
        return {};
    std::string received = FetchFromSocket(socket, *address, port, path, limits);
    shutdown(socket, 2);
    closesocket(socket);
    return received.empty() ? std::string() : ExtractPageValue(received, marker);
}

std::string FetchPageValue(const std::string& host, const std::string& path, const std::string& marker)
{
    return FetchPageValueAt(host, 80, path, marker, FetchLimits{});
}
