#pragma once
// The fixture of tests that run the build's rq7ctl as a program: the
// program must be there, and each test gets a fresh directory for its files.

#include "tests/support/Programs.h"
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace rq7::test {

class Rq7ctlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("RQ7_BIN_DIR"), nullptr) << "RQ7_BIN_DIR not set";
        ASSERT_TRUE(std::filesystem::exists(binPath("rq7ctl"))) << binPath("rq7ctl");
    }

    // Writes `bytes` to `name` in the test's directory; returns its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) {
        return dir_.write(name, bytes);
    }
    std::filesystem::path path(const std::string& name) const { return dir_ / name; }

    TempDir dir_;
};

} // namespace rq7::test
