#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <string>
#include <string_view>

namespace quiz
{

// Compresses the bytes of one zip entry in pieces on several threads. Every
// piece is compressed on its own, primed with the 32 KB before it and ended on
// a byte boundary, so the pieces joined in order are one raw deflate stream
// (the way parallel gzip tools do it); the compressed bytes go to the sink in
// order while later pieces are still being compressed.
class DeflatePieces
{
  public:
    // Receives compressed bytes in order; false stops the writing.
    using Sink = std::function<bool(std::string_view compressed)>;

    DeflatePieces(int level, unsigned threads, Sink sink);
    ~DeflatePieces();
    DeflatePieces(const DeflatePieces &) = delete;
    DeflatePieces &operator=(const DeflatePieces &) = delete;

    // Hands over the next piece of uncompressed bytes; false once the sink failed.
    bool add(std::string piece);
    // Ends the stream; false when the sink failed. Call once, after the last add.
    bool finish();

    std::uint32_t crc() const { return crc_; }
    std::uint64_t size() const { return size_; }

    // The threads a writer uses on this machine (its processors, 1 to 4).
    static unsigned machineThreads();

  private:
    struct Compressed {
        std::string bytes;
        std::uint32_t crc = 0;
        std::uint64_t size = 0;
    };
    static Compressed compress(const std::string &piece, const std::string &window, int level, bool last);
    bool deliver(Compressed piece);
    bool drain(std::size_t keep);

    int level_;
    unsigned threads_;
    Sink sink_;
    std::deque<std::future<Compressed>> pending_;
    std::string window_;
    std::uint32_t crc_ = 0;
    std::uint64_t size_ = 0;
    bool failed_ = false;
};

} // namespace quiz
