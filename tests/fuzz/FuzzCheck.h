#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "actions/Text.h"

// A property every input must keep. A broken one stops the fuzzer with the input saved.
#define QV_FUZZ_CHECK(condition)                                                                  \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)

// Defines the fuzzer over one input as text; an exception the routine under test lets out
// is a failure too.
#define QV_FUZZ_TARGET(input)                                                 \
    static void FuzzOne(const std::string& input);                            \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
        try {                                                                 \
            FuzzOne(std::string(reinterpret_cast<const char*>(data), size));  \
        } catch (const std::exception& e) {                                   \
            std::fprintf(stderr, "exception escaped: %s\n", e.what());        \
            std::abort();                                                     \
        }                                                                     \
        return 0;                                                             \
    }                                                                         \
    static void FuzzOne(const std::string& input)

namespace qv::fuzz {

inline bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The input cut at the separator, with at least `count` pieces (the missing ones empty).
inline std::vector<std::string> Pieces(const std::string& input, char separator, size_t count) {
    std::vector<std::string> pieces = SplitText(input, separator);
    if (pieces.size() < count)
        pieces.resize(count);
    return pieces;
}

}  // namespace qv::fuzz
