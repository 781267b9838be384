#include "Connection.h"

#include <ws2tcpip.h>

#include <limits>
#include <mutex>

namespace javabridge {
namespace {

// WSAStartup once for the process.
void startWinsock() {
    static std::once_flag once;
    std::call_once(once, [] {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    });
}

}  // namespace

Message& Message::u8(std::uint8_t value) {
    data_.push_back(static_cast<char>(value));
    return *this;
}

Message& Message::i32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8) data_.push_back(static_cast<char>((bits >> shift) & 0xFF));
    return *this;
}

Message& Message::i64(std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    for (int shift = 56; shift >= 0; shift -= 8) data_.push_back(static_cast<char>((bits >> shift) & 0xFF));
    return *this;
}

Message& Message::bytes(std::string_view value) {
    i32(static_cast<std::int32_t>(value.size()));
    data_.append(value);
    return *this;
}

Connection Connection::toLoopbackPort(std::uint16_t port) {
    startWinsock();
    Connection connection;
    connection.socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (connection.socket_ == INVALID_SOCKET) throw ConnectionLost("no socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(connection.socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        throw ConnectionLost("nothing listens on port " + std::to_string(port));
    }
    // Every request waits for its reply: Nagle's delay would cost tens of milliseconds each.
    const BOOL noDelay = TRUE;
    setsockopt(connection.socket_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof noDelay);
    return connection;
}

Connection::Connection(Connection&& other) noexcept : socket_(other.socket_) {
    other.socket_ = INVALID_SOCKET;
}

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        if (socket_ != INVALID_SOCKET) closesocket(socket_);
        socket_ = other.socket_;
        other.socket_ = INVALID_SOCKET;
    }
    return *this;
}

Connection::~Connection() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
}

void Connection::send(const Message& message) {
    const std::string& data = message.data();
    std::size_t sent = 0;
    while (sent < data.size()) {
        const int chunk = static_cast<int>(std::min<std::size_t>(data.size() - sent, 1 << 20));
        const int result = ::send(socket_, data.data() + sent, chunk, 0);
        if (result <= 0) throw ConnectionLost("send failed");
        sent += static_cast<std::size_t>(result);
    }
}

void Connection::readExactly(void* buffer, std::size_t length) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t received = 0;
    while (received < length) {
        const int chunk = static_cast<int>(std::min<std::size_t>(length - received, 1 << 20));
        const int result = ::recv(socket_, bytes + received, chunk, 0);
        if (result <= 0) throw ConnectionLost("connection closed");
        received += static_cast<std::size_t>(result);
    }
}

std::uint8_t Connection::readU8() {
    std::uint8_t value = 0;
    readExactly(&value, 1);
    return value;
}

template <class Unsigned>
Unsigned Connection::readBigEndian() {
    unsigned char bytes[sizeof(Unsigned)];
    readExactly(bytes, sizeof bytes);
    Unsigned value = 0;
    for (unsigned char byte : bytes) value = static_cast<Unsigned>((value << 8) | byte);
    return value;
}

std::int32_t Connection::readI32() {
    return static_cast<std::int32_t>(readBigEndian<std::uint32_t>());
}

std::int64_t Connection::readI64() {
    return static_cast<std::int64_t>(readBigEndian<std::uint64_t>());
}

std::string Connection::readBytes() {
    const std::int32_t length = readI32();
    if (length < 0) throw ConnectionLost("negative length");
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (length > 0) readExactly(bytes.data(), bytes.size());
    return bytes;
}

void Connection::shutdownSending() {
    ::shutdown(socket_, SD_SEND);
}

}  // namespace javabridge
