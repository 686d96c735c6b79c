#include "adapters/xlsx/zippackage.h"

#include <minizip/zip.h>

#include <limits>

namespace quiz
{

ZipPackage::ZipPackage(const std::string &path) : path_(path)
{
    zip_ = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    if (!zip_)
        error_ = "cannot create " + path;
}

ZipPackage::~ZipPackage()
{
    if (zip_)
        zipClose(zip_, nullptr);
}

bool ZipPackage::fail(const std::string &what)
{
    if (error_.empty())
        error_ = what;
    return false;
}

bool ZipPackage::begin(const std::string &name)
{
    if (!error_.empty())
        return false;
    zip_fileinfo info{};
    info.tmz_date.tm_year = 1980; // no time of its own: equal workbooks give equal files
    info.tmz_date.tm_mday = 1;
    // raw = 1: the bytes handed over are compressed already.
    if (zipOpenNewFileInZip2(zip_, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                             Z_DEFAULT_COMPRESSION, 1) != ZIP_OK)
        return fail("cannot write " + name + " in " + path_);
    return true;
}

bool ZipPackage::write(std::string_view compressed)
{
    while (error_.empty() && !compressed.empty()) {
        const auto part = static_cast<unsigned>(
            std::min<std::size_t>(compressed.size(), std::numeric_limits<unsigned>::max()));
        if (zipWriteInFileInZip(zip_, compressed.data(), part) != ZIP_OK)
            return fail("cannot write " + path_);
        compressed.remove_prefix(part);
    }
    return error_.empty();
}

bool ZipPackage::end(std::uint64_t size, std::uint32_t crc)
{
    if (!error_.empty())
        return false;
    // Entries are written without zip64 records, which some programs do not read.
    if (size > std::numeric_limits<std::uint32_t>::max())
        return fail("a part of " + path_ + " is larger than 4 GB");
    if (zipCloseFileInZipRaw(zip_, static_cast<uLong>(size), crc) != ZIP_OK)
        return fail("cannot write " + path_);
    return true;
}

std::string ZipPackage::close()
{
    if (zip_ && zipClose(zip_, nullptr) != ZIP_OK)
        fail("cannot write " + path_);
    zip_ = nullptr;
    return error_;
}

} // namespace quiz
