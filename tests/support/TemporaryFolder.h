#pragma once
// A new folder of its own under the system's temporary folder, removed
// afterwards. Its name is random, so that test programs running side by
// side (ctest -j) never share one, on any system.
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace kt520::testing {

class TemporaryFolder {
  public:
    TemporaryFolder() {
        static std::mt19937_64 names{std::random_device{}()};
        // create_directory says whether the folder is new: a name taken by
        // another program is never used.
        do {
            path_ =
                std::filesystem::temp_directory_path() / ("kt520-test-" + std::to_string(names()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace kt520::testing
