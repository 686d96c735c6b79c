#pragma once

#include <filesystem>
#include <string>

namespace quiz::test
{

// A temporary folder removed when the object goes out of scope.
class TestFolder
{
  public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    const std::filesystem::path &path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Writes bytes to a file below the folder (creating sub-folders) and returns its path.
    std::filesystem::path write(const std::string &relative, const std::string &content) const;
    std::string read(const std::string &relative) const;

  private:
    std::filesystem::path path_;
};

} // namespace quiz::test
