#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quiz
{

// The controller link carries each message as one frame: a 4-byte unsigned
// big-endian length, then that many bytes of UTF-8 text.
std::string encodeFrame(std::string_view text);

// Collects the bytes read from the link and hands out whole frames, however
// the bytes were cut into reads.
class FrameDecoder
{
  public:
    // Longer frames are taken as a broken stream, not as a message.
    static constexpr std::uint32_t maxFrameLength = 16u * 1024u * 1024u;

    void append(std::string_view bytes);
    // The next complete frame's text, oldest first; nullopt when none is whole yet.
    std::optional<std::string> next();
    // True once a length beyond maxFrameLength arrived; nothing more is decoded.
    bool broken() const { return broken_; }
    std::size_t pendingBytes() const { return buffer_.size(); }

  private:
    std::string buffer_;
    bool broken_ = false;
};

} // namespace quiz
