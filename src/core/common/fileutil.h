#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quiz
{

// File helpers every reader and writer of the program uses. Paths are built
// with "/". A file that the program or a data file names is found in its
// folder case-insensitively when the exact name is missing.

// True when a file (not a folder) exists at path; false for "" and folders.
bool FileExists(const std::string &path);

// folder + "/" + name (no doubled "/" when folder already ends with one).
// When no file or folder has that exact name, the entry of the folder whose
// name equals name ignoring (ASCII) case is used instead; when there is none
// either, the exact path is returned, so writers create the file as named.
std::string resolveFile(const std::string &folder, const std::string &name);
// folder + "/" + name (no doubled "/"; the name alone when the folder is "").
std::string joinPath(const std::string &folder, const std::string &name);
// resolveFile on the folder and the name part of a path.
std::string resolvePath(const std::string &path);

// Text as UTF-8: valid UTF-8 is kept, anything else is read as Windows-1252
// and converted. A leading UTF-8 byte-order mark is dropped.
std::string decodeText(std::string_view bytes);
bool isValidUtf8(std::string_view bytes);
// The whole file decoded by decodeText; nullopt when it cannot be read.
std::optional<std::string> readTextFile(const std::string &path);

// Replaces the file's content: the bytes go to a temporary file in the same
// folder, are flushed to disk and renamed over the file. On failure the old
// file is left as it was and error (when given) says why. The file keeps
// its old mode (a new one gets the umask's), unless a mode is given (0600:
// nobody else may read it, not even while it is written).
bool writeFileAtomic(const std::string &path, const std::string &bytes, std::string *error = nullptr,
                     int mode = -1);
// The same for content another writer makes: `write` is given the temporary
// file's path and returns "" or what went wrong (then the error).
bool replaceFileAtomic(const std::string &path,
                       const std::function<std::string(const std::string &temp)> &write,
                       std::string *error = nullptr, int mode = -1);
// Appends the bytes with one write call (O_APPEND), creating the file when
// missing, so that a record is never half there.
bool appendToFile(const std::string &path, const std::string &bytes, std::string *error = nullptr);

// True when a file exists at path and its owner may not write to it.
bool isReadOnly(const std::string &path);
// Deletes the file; false when there was none or it could not be deleted.
bool removeFile(const std::string &path);

} // namespace quiz
