#pragma once
// One fuzzer over an input taken as text. A broken property aborts, as does an exception the
// routine under test lets out: libFuzzer saves the input either way.
#include <cstdint>
#include <cstdlib>
#include <string>

#define QV_FUZZ_CHECK(condition) ((condition) ? void() : std::abort())

#define QV_FUZZ_TARGET(input)                                                      \
    static void FuzzOne(const std::string& input);                                 \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {      \
        return FuzzOne(std::string(reinterpret_cast<const char*>(data), size)), 0; \
    }                                                                              \
    static void FuzzOne(const std::string& input)
