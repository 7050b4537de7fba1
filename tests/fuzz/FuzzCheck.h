#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

// A property every input must keep. A broken one stops the fuzzer with the input saved.
#define QV_FUZZ_CHECK(condition)                                                                  \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)

namespace qv::fuzz {

inline std::string Text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Runs one input; an exception that the routine under test lets out is a failure too.
template <typename Body>
int Run(Body&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "exception escaped: %s\n", e.what());
        std::abort();
    } catch (...) {
        std::fprintf(stderr, "exception of an unknown type escaped\n");
        std::abort();
    }
    return 0;
}

}  // namespace qv::fuzz
