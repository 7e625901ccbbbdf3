#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const char kText[] =
    "object Root1: TvxLayout\n  Text = '关机'\n  Width = 2.500000000000000000\nend\n";

class FormconvTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string dir = (fs::temp_directory_path() / "formconvXXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    dir_ = dir;
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path File(const std::string& name) const { return dir_ / name; }

  void Write(const std::string& name, const std::string& data) const {
    std::ofstream(File(name), std::ios::binary) << data;
  }

  std::string Read(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Runs formconv with `args`; returns its exit code and keeps its standard error.
  // `prefix` runs in the same shell first (a limit for the program, say).
  int Run(const std::string& args, const std::string& prefix = "") {
    const std::string command =
        prefix + std::string(LC_FORMCONV) + " " + args + " 2>" + File("stderr").string();
    const int status = std::system(command.c_str());
    stderr_ = Read(File("stderr"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path dir_;
  std::string stderr_;
};

TEST_F(FormconvTest, ConvertsBothWays) {
  Write("in.txt", kText);
  ASSERT_EQ(Run("--to-binary " + File("in.txt").string() + " " + File("out.bin").string()), 0);
  EXPECT_TRUE(Read(File("out.bin")).starts_with("TPF0"));
  ASSERT_EQ(Run("--to-text " + File("out.bin").string() + " " + File("back.txt").string()), 0);
  EXPECT_EQ(Read(File("back.txt")), kText);
  EXPECT_EQ(stderr_, "");
  // Either form may be the input of either direction.
  ASSERT_EQ(Run("--to-binary " + File("out.bin").string() + " " + File("again.bin").string()), 0);
  EXPECT_EQ(Read(File("again.bin")), Read(File("out.bin")));
  // No temporary file is left behind: stderr, in.txt, out.bin, back.txt, again.bin.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 5);
}

// Every form among the resources, text -> binary -> text -> binary, gives the same bytes.
TEST_F(FormconvTest, ResourceFormsRoundTripByteForByte) {
  int forms = 0;
  for (const auto& entry :
       fs::recursive_directory_iterator(fs::path(LC_SOURCE_DIR) / "resources")) {
    if (entry.path().extension() != ".form") continue;
    ++forms;
    const std::string source = entry.path().string();
    ASSERT_EQ(Run("--to-binary " + source + " " + File("1.bin").string()), 0) << stderr_;
    ASSERT_EQ(Run("--to-text " + File("1.bin").string() + " " + File("1.txt").string()), 0);
    ASSERT_EQ(Run("--to-binary " + File("1.txt").string() + " " + File("2.bin").string()), 0);
    EXPECT_EQ(Read(File("2.bin")), Read(File("1.bin"))) << source;
  }
  EXPECT_GE(forms, 8);
}

// The windows' forms are kept as formconv writes them, so that a converted form reads back
// as the same text.
TEST_F(FormconvTest, WindowFormsAreKeptAsFormconvWritesThem) {
  for (const char* name : {"TFORMMAIN", "TFCONFIG", "TFABOUT"}) {
    const fs::path source = fs::path(LC_SOURCE_DIR) / "resources" / (std::string(name) + ".form");
    ASSERT_EQ(Run("--to-binary " + source.string() + " " + File("1.bin").string()), 0) << stderr_;
    ASSERT_EQ(Run("--to-text " + File("1.bin").string() + " " + File("1.txt").string()), 0);
    EXPECT_EQ(Read(File("1.txt")), Read(source)) << name;
  }
}

TEST_F(FormconvTest, BrokenInputWritesNothing) {
  const std::pair<std::string, std::string> cases[] = {
      {"object T\n  P = 'open\nend\n", ": 2: unterminated string\n"},
      {std::string("TPF0\x01T\x00\x00", 8), ": 8: unexpected end of data\n"},
      {std::string("TPF0\x01T\x00\x00\x00!", 10), ": 9: data after the form's end\n"},
  };
  Write("out.bin", "old");
  for (const auto& [input, message] : cases) {
    Write("bad", input);
    EXPECT_EQ(Run("--to-binary " + File("bad").string() + " " + File("out.bin").string()), 1);
    EXPECT_EQ(stderr_, "formconv: " + File("bad").string() + message);
    EXPECT_EQ(Read(File("out.bin")), "old");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()),
            3);  // stderr, out.bin, bad
}

// Failures that have no place in the input name it all the same, with 0 for the place.
TEST_F(FormconvTest, FilesThatFailNameTheInput) {
  const std::string missing = File("missing").string();
  EXPECT_EQ(Run("--to-text " + missing + " " + File("new.txt").string()), 1);
  EXPECT_EQ(stderr_, "formconv: " + missing + ": 0: cannot read\n");
  EXPECT_FALSE(fs::exists(File("new.txt")));
  Write("in.txt", kText);
  const std::string out = File("no-such-folder/out.bin").string();
  EXPECT_EQ(Run("--to-binary " + File("in.txt").string() + " " + out), 1);
  EXPECT_EQ(stderr_, "formconv: " + File("in.txt").string() + ": 0: cannot write " + out + "\n");
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define LC_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LC_SANITIZED 1
#endif
#endif

// The address space is limited with ulimit, which sanitizers cannot start under.
#ifndef LC_SANITIZED
// The style's parts, repeated inside one top object up to about `megabytes` of text.
std::string LargeForm(int megabytes) {
  std::ifstream in(fs::path(LC_SOURCE_DIR) / "resources" / "DEFAULTVXSTYLE.form");
  std::string style(std::istreambuf_iterator<char>(in), {});
  const std::string body =
      style.substr(style.find("\n  object"), style.rfind("end") - style.find("\n  object"));
  std::string form = "object TvxBackground";
  while (form.size() < size_t(megabytes) << 20) form += body;
  return form + "\nend\n";
}

TEST_F(FormconvTest, HoldsALargeFormInASmallMultipleOfItsSize) {
  Write("big.txt", LargeForm(16));
  // 16 MB of text (10 MB as binary) in 180 MB of address space, the program's needs included.
  EXPECT_EQ(Run("--to-binary " + File("big.txt").string() + " " + File("big.bin").string(),
                "ulimit -v 184320; "),
            0)
      << stderr_;
  EXPECT_EQ(Run("--to-text " + File("big.bin").string() + " " + File("big2.txt").string(),
                "ulimit -v 184320; "),
            0)
      << stderr_;
}

std::string Repeat(const std::string& piece, size_t bytes) {
  std::string out;
  while (out.size() < bytes) out += piece;
  return out;
}

// Shapes whose every byte or two is a value of its own: a long list of booleans, a collection
// of empty items, lists nested 62 deep side by side. 8 MB each, converted both ways in 64 MB of
// address space, although their text is several times their size.
TEST_F(FormconvTest, HoldsAwkwardShapesInAFewTimesTheirSize) {
  const std::string head("TPF0\x01T\x00\x01P", 9);
  const std::string end("\0\0\0", 3);
  const std::string nest = std::string(62, '\x01') + '\x09' + std::string(62, '\0');
  const std::pair<std::string, std::string> shapes[] = {
      {"bools.bin", head + '\x01' + Repeat("\x09", 8 << 20) + end},
      {"items.bin", head + '\x0e' + Repeat(std::string("\x01\0", 2), 8 << 20) + end},
      {"nests.bin", head + '\x01' + Repeat(nest, 8 << 20) + end},
  };
  const std::string limit = "ulimit -v 65536; ";
  for (const auto& [name, data] : shapes) {
    Write(name, data);
    const std::string in = File(name).string();
    EXPECT_EQ(Run("--to-binary " + in + " " + File("same.bin").string(), limit), 0) << stderr_;
    EXPECT_EQ(Run("--to-text " + in + " " + File("out.txt").string(), limit), 0) << stderr_;
    EXPECT_EQ(Run("--to-binary " + File("out.txt").string() + " " + File("back.bin").string()), 0);
    EXPECT_EQ(Read(File("same.bin")), data) << name;
    EXPECT_EQ(Read(File("back.bin")), data) << name;
  }
}

// Shapes whose every few bytes are a property or an object of their own: tiny properties,
// tiny objects side by side (4 MB each) and chains of objects nested as deep as reading allows
// (2 MB, as their text is thirty times that), converted both ways in 64 MB of address space.
TEST_F(FormconvTest, HoldsTinyPropertiesAndObjectsInAFewTimesTheirSize) {
  const std::string object("\x01T\x00\x00", 4);  // class T, no name, no properties
  std::string chain;
  for (int depth = 1; depth <= 64; ++depth) chain += object;
  chain += std::string(64, '\0');
  const std::pair<std::string, std::string> shapes[] = {
      {"props.bin", "TPF0" + object.substr(0, 3) + Repeat(std::string("\x01P\x09", 3), 4 << 20) +
                        std::string(2, '\0')},
      {"objects.bin", "TPF0" + object + Repeat(object + '\0', 4 << 20) + '\0'},
      {"chains.bin", "TPF0" + object + Repeat(chain, 2 << 20) + '\0'},
  };
  const std::string limit = "ulimit -v 65536; ";
  for (const auto& [name, data] : shapes) {
    Write(name, data);
    const std::string in = File(name).string();
    EXPECT_EQ(Run("--to-binary " + in + " " + File("same.bin").string(), limit), 0) << stderr_;
    EXPECT_EQ(Run("--to-text " + in + " " + File("out.txt").string(), limit), 0) << stderr_;
    EXPECT_EQ(Run("--to-binary " + File("out.txt").string() + " " + File("back.bin").string()), 0);
    EXPECT_EQ(Read(File("same.bin")), data) << name;
    EXPECT_EQ(Read(File("back.bin")), data) << name;
  }
}

TEST_F(FormconvTest, RefusesWhatItCannotHoldInOneLine) {
  Write("big.txt", LargeForm(16));
  EXPECT_EQ(Run("--to-binary " + File("big.txt").string() + " " + File("big.bin").string(),
                "ulimit -v 65536; "),
            1);
  EXPECT_EQ(stderr_,
            "formconv: " + File("big.txt").string() + ": 0: too large to hold in memory\n");
  EXPECT_FALSE(fs::exists(File("big.bin")));
}
#endif

TEST_F(FormconvTest, BadUsageExitsWithTwo) {
  EXPECT_EQ(Run(""), 2);
  EXPECT_EQ(Run("--to-json a b"), 2);
  EXPECT_EQ(Run("--to-text a"), 2);
  EXPECT_EQ(std::count(stderr_.begin(), stderr_.end(), '\n'), 1);
  EXPECT_TRUE(stderr_.starts_with("usage: formconv"));
}

}  // namespace
