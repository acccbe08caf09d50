#pragma once
// Readers of stored profiles: one height in micrometres per line (LF or
// CRLF, as Measured.csv and Evaluation.csv), the ASCII form of the SDF
// profile format (ISO 25178-71) and the softgauge format of ISO 5436-2
// (SMD). A bad file gives a message with the line it stumbled on; nothing
// in a file can make a reader fail otherwise.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kt520::analysis {

enum class ProfileFormat { Text, Sdf, Smd };

// By the file name's extension: ".sdf" and ".smd" (any case), else text.
[[nodiscard]] ProfileFormat formatOfFileName(std::string_view name);

struct ProfileRead {
    std::vector<double> heightsUm;
    std::optional<double> spacingUm;  // SDF and SMD carry their own
    std::string error;                // empty when the file was read
    std::size_t errorLine = 0;        // 1-based line of the error, 0 when none fits

    [[nodiscard]] bool ok() const { return error.empty(); }
};

[[nodiscard]] ProfileRead readProfile(std::string_view content, ProfileFormat format);

}  // namespace kt520::analysis
