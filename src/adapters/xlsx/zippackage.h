#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quiz
{

// A zip file of already compressed entries (zlib's minizip in raw mode): each
// entry's raw deflate bytes are written as they come, its checksum and size
// given at its end.
class ZipPackage
{
  public:
    explicit ZipPackage(const std::string &path);
    ~ZipPackage();
    ZipPackage(const ZipPackage &) = delete;
    ZipPackage &operator=(const ZipPackage &) = delete;

    bool begin(const std::string &name);
    bool write(std::string_view compressed);
    bool end(std::uint64_t size, std::uint32_t crc);
    // Writes the directory and closes the file; "" when every step succeeded,
    // otherwise the first failure.
    std::string close();

  private:
    bool fail(const std::string &what);
    void *zip_ = nullptr;
    std::string path_;
    std::string error_;
};

} // namespace quiz
