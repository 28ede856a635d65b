// Test pictures made on the spot by a shell command.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// A file made by a shell command (ImageMagick, exiftool, heif-enc) in which each @ stands for its
// path, in the test's temporary folder.
inline std::string Make(const std::string& name, std::string command) {
    const std::string path = testing::TempDir() + name;
    for (size_t at = command.find('@'); at != std::string::npos; at = command.find('@'))
        command.replace(at, 1, "'" + path + "'");
    EXPECT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
    return path;
}
