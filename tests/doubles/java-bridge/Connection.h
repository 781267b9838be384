// A loopback TCP connection to the Java side, with the big-endian framing both sides use.
#pragma once

#include <winsock2.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace javabridge {

// The other side closed the connection or the network failed.
struct ConnectionLost : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One request or message, built before it is sent in one piece.
class Message {
  public:
    explicit Message(std::uint8_t kind) { data_.push_back(static_cast<char>(kind)); }
    Message& u8(std::uint8_t value);
    Message& i32(std::int32_t value);
    Message& i64(std::int64_t value);
    // A 32-bit length, then the bytes.
    Message& bytes(std::string_view value);
    const std::string& data() const { return data_; }

  private:
    std::string data_;
};

class Connection {
  public:
    Connection() = default;
    // Throws ConnectionLost when nothing listens on the port.
    static Connection toLoopbackPort(std::uint16_t port);
    Connection(Connection&& other) noexcept;
    Connection& operator=(Connection&& other) noexcept;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection();

    void send(const Message& message);
    std::uint8_t readU8();
    std::int32_t readI32();
    std::int64_t readI64();
    // A 32-bit length, then the bytes.
    std::string readBytes();
    // The other side reads the end of the stream; this side can still read.
    void shutdownSending();

  private:
    void readExactly(void* buffer, std::size_t length);
    template <class Unsigned>
    Unsigned readBigEndian();

    SOCKET socket_ = INVALID_SOCKET;
};

}  // namespace javabridge
