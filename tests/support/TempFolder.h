#pragma once
// A folder of the test's own under the system's temporary folder, named after
// the test so that tests run side by side never share one; removed at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

struct TempFolder {
  std::filesystem::path path;
  TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path = std::filesystem::temp_directory_path() /
           ("vantor-" + std::string(test->test_suite_name()) + "-" + test->name());
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  operator const std::filesystem::path&() const { return path; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path / name; }
};
