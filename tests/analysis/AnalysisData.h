#pragma once
// Reading the reference profiles and their JSON files in the tests.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "analysis/ProfileFiles.h"

namespace kt520::analysis::testing {

inline std::string dataPath(const std::string& name) {
    return KT520_SOURCE_DIR "/tests/analysis/data/" + std::string(name);
}

inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<double> heights(const std::string& name) {
    const ProfileRead read = readProfile(fileText(dataPath(name)), ProfileFormat::Text);
    EXPECT_TRUE(read.ok()) << name << ": " << read.error;
    return read.heightsUm;
}

inline nlohmann::json json(const std::string& name) {
    return nlohmann::json::parse(fileText(dataPath(name)));
}

}  // namespace kt520::analysis::testing
