#include "adapters/xlsx/deflatepieces.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace quiz
{

namespace
{

constexpr std::size_t windowBytes = 32 * 1024; // deflate's reach back

} // namespace

DeflatePieces::DeflatePieces(int level, unsigned threads, Sink sink)
    : level_(level), threads_(std::max(1u, threads)), sink_(std::move(sink))
{
}

DeflatePieces::~DeflatePieces()
{
    for (auto &piece : pending_)
        if (piece.valid())
            piece.wait();
}

unsigned DeflatePieces::machineThreads()
{
    return std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
}

DeflatePieces::Compressed DeflatePieces::compress(const std::string &piece, const std::string &window,
                                                  int level, bool last)
{
    z_stream z{};
    // Raw deflate (no zlib header): the zip entry holds the stream itself.
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("cannot start compressing");
    if (!window.empty())
        deflateSetDictionary(&z, reinterpret_cast<const Bytef *>(window.data()),
                             static_cast<uInt>(window.size()));
    Compressed out;
    out.bytes.resize(deflateBound(&z, static_cast<uLong>(piece.size())) + 64);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(piece.data()));
    z.avail_in = static_cast<uInt>(piece.size());
    // A sync flush ends the piece on a byte boundary with an empty stored
    // block, so the next piece's bytes can simply follow.
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    int result = Z_OK;
    do {
        if (z.total_out == out.bytes.size())
            out.bytes.resize(out.bytes.size() * 2);
        z.next_out = reinterpret_cast<Bytef *>(out.bytes.data() + z.total_out);
        z.avail_out = static_cast<uInt>(out.bytes.size() - z.total_out);
        result = deflate(&z, flush);
    } while (result == Z_OK && (last || z.avail_out == 0));
    const bool done = last ? result == Z_STREAM_END : result == Z_OK || result == Z_BUF_ERROR;
    out.bytes.resize(z.total_out);
    deflateEnd(&z);
    if (!done || z.avail_in != 0)
        throw std::runtime_error("cannot compress");
    out.crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef *>(piece.data()), static_cast<uInt>(piece.size())));
    out.size = piece.size();
    return out;
}

bool DeflatePieces::deliver(Compressed piece)
{
    crc_ = static_cast<std::uint32_t>(crc32_combine(crc_, piece.crc, static_cast<z_off_t>(piece.size)));
    size_ += piece.size;
    if (!failed_ && !sink_(piece.bytes))
        failed_ = true;
    return !failed_;
}

// Hands finished pieces to the sink in order until at most `keep` are pending.
bool DeflatePieces::drain(std::size_t keep)
{
    while (!pending_.empty()) {
        auto &front = pending_.front();
        const bool ready = front.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        if (pending_.size() <= keep && !ready)
            break;
        Compressed piece = front.get();
        pending_.pop_front();
        deliver(std::move(piece));
    }
    return !failed_;
}

bool DeflatePieces::add(std::string piece)
{
    if (failed_)
        return false;
    if (piece.empty())
        return true;
    std::string window = window_;
    if (piece.size() >= windowBytes) {
        window_.assign(piece, piece.size() - windowBytes, windowBytes);
    } else {
        window_ += piece;
        if (window_.size() > windowBytes)
            window_.erase(0, window_.size() - windowBytes);
    }
    pending_.push_back(
        std::async(std::launch::async, [piece = std::move(piece), window = std::move(window),
                                        level = level_] { return compress(piece, window, level, false); }));
    return drain(threads_);
}

bool DeflatePieces::finish()
{
    drain(0);
    // An empty last block closes the stream.
    return deliver(compress({}, {}, level_, true));
}

} // namespace quiz
