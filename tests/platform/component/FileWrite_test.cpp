#include "platform/component/FileWrite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

class FileWriteTest : public testing::Test {
 protected:
  void SetUp() override {
    do {
      dir_ = fs::temp_directory_path() / ("filewrite-" + std::to_string(std::random_device()()));
    } while (!fs::create_directory(dir_));
    std::ofstream(dir_ / "out") << "old";
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Contents() const {
    std::ifstream in(dir_ / "out", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  size_t Files() const {
    return size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  fs::path dir_;
};

TEST_F(FileWriteTest, PiecesReplaceTheFileWhenAllWereWritten) {
  const std::string path = (dir_ / "out").string();
  EXPECT_TRUE(WriteFileAtomically(path, [](const TByteSink& sink) {
    sink(std::string_view("new "));
    sink(std::string_view(""));
    sink(std::string_view("text"));
  }));
  EXPECT_EQ(Contents(), "new text");
  EXPECT_EQ(Files(), 1u);
}

// A failure half way leaves the old file and no temporary beside it.
TEST_F(FileWriteTest, AFailureHalfWayKeepsTheOldFile) {
  const std::string path = (dir_ / "out").string();
  EXPECT_THROW(WriteFileAtomically(path,
                                   [](const TByteSink& sink) {
                                     sink(std::string_view("partial"));
                                     throw std::runtime_error("out of memory");
                                   }),
               std::runtime_error);
  EXPECT_EQ(Contents(), "old");
  EXPECT_EQ(Files(), 1u);
  EXPECT_FALSE(WriteFileAtomically((dir_ / "missing" / "out").string(),
                                   [](const TByteSink& sink) { sink(std::string_view("x")); }));
}

}  // namespace
