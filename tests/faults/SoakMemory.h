#pragma once
// The memory a soak watches: the resident set of this process.
#include <fstream>
#include <string>

namespace kt520::testing {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderAddressSanitizer = true;
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif

// Growth the allocator may show without a leak (its arenas settle in steps).
inline constexpr long kSoakMemoryToleranceKb = 2048;

// VmRSS from /proc/self/status in kB; 0 where there is no such file.
inline long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
    return 0;
}

}  // namespace kt520::testing
