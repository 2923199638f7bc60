#pragma once
// What every harness shares: the entry points libFuzzer calls, and a check that stops the
// run with a message when a property does not hold, so that the fuzzer keeps the input
// and a replay of it fails.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Optional: run once before the first input.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

#define FUZZ_CHECK(condition, ...)                                                          \
    do {                                                                                    \
        if (!(condition)) {                                                                 \
            std::fprintf(stderr, "%s:%d: property failed: %s\n  ", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, __VA_ARGS__);                                              \
            std::fprintf(stderr, "\n");                                                     \
            std::abort();                                                                   \
        }                                                                                   \
    } while (false)
