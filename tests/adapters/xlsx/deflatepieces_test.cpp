#include "adapters/xlsx/deflatepieces.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <random>

namespace quiz
{
namespace
{

std::string inflateRaw(const std::string &compressed, std::size_t size)
{
    std::string out(size + 1, '\0'); // one byte more: a longer stream shows
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&z, Z_FINISH);
    out.resize(z.total_out);
    inflateEnd(&z);
    return result == Z_STREAM_END && z.avail_in == 0 ? out : "not one whole stream";
}

// Sheet-like text: repeats reach back across the pieces' boundaries.
std::string text(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string out;
    while (out.size() < size)
        out += "<c r=\"B" + std::to_string(random() % 5000) + "\" s=\"3\"><v>" +
               std::to_string(random() % 7) + "</v></c>";
    out.resize(size);
    return out;
}

TEST(DeflatePieces, PiecesJoinIntoOneStreamWithTheWholeChecksum)
{
    const std::vector<std::vector<std::size_t>> cases = {
        {}, {10}, {40000}, {1 << 20, 5, 70000, 1}, {3, 3, 3}};
    for (const int level : {1, 6})
        for (const auto &sizes : cases) {
            std::string whole, compressed;
            DeflatePieces pieces(level, 2, [&compressed](std::string_view bytes) {
                compressed += bytes;
                return true;
            });
            for (const std::size_t size : sizes) {
                const std::string piece = text(size, static_cast<unsigned>(whole.size()));
                whole += piece;
                ASSERT_TRUE(pieces.add(piece));
            }
            ASSERT_TRUE(pieces.finish());
            const std::string label =
                "level " + std::to_string(level) + ", " + std::to_string(sizes.size()) + " pieces";
            EXPECT_EQ(pieces.size(), whole.size()) << label;
            EXPECT_EQ(pieces.crc(), crc32(0, reinterpret_cast<const Bytef *>(whole.data()), whole.size()))
                << label;
            EXPECT_TRUE(inflateRaw(compressed, whole.size()) == whole) << label;
        }
}

TEST(DeflatePieces, AFailingSinkStopsTheWriting)
{
    int calls = 0;
    DeflatePieces pieces(6, 2, [&calls](std::string_view) { return ++calls < 2; });
    bool taken = true;
    for (int i = 0; i < 8 && taken; ++i)
        taken = pieces.add(text(1000, i));
    EXPECT_FALSE(taken && pieces.finish());
    EXPECT_EQ(calls, 2) << "nothing is handed on after the failure";
}

} // namespace
} // namespace quiz
