#pragma once

#include <string_view>
#include <vector>

namespace quiz::fuzz
{

// One entry per reader of outside input: it feeds the bytes to the reader the
// way the program meets them (a file on disk, a buffer from the controller)
// and checks what must hold for any input. A broken rule throws
// std::logic_error; a reader may throw nothing else.
struct Reader {
    const char *name; // also the corpus folder's name
    void (*read)(std::string_view input);
};

const std::vector<Reader> &readers();
// The phone controller's (phonereaders.cpp), also among readers().
const std::vector<Reader> &phoneReaders();
const Reader *findReader(std::string_view name);

} // namespace quiz::fuzz
