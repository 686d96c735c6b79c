// A libFuzzer harness around one reader; QUIZ_FUZZ_READER names it.
#include "readers.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const quiz::fuzz::Reader *reader = [] {
        const auto *r = quiz::fuzz::findReader(QUIZ_FUZZ_READER);
        if (!r) {
            std::fprintf(stderr, "no reader named %s\n", QUIZ_FUZZ_READER);
            std::abort();
        }
        return r;
    }();
    reader->read({reinterpret_cast<const char *>(data), size});
    return 0;
}
