#include "app/ProgramRun.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/ProgramOptions.h"
#include "platform/Application.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessSingleInstance.h"

namespace {

TProgramOptions Parse(std::vector<std::string> words) {
  words.insert(words.begin(), "lingchuan");
  std::vector<char*> args;
  for (std::string& word : words) args.push_back(word.data());
  return ParseProgramOptions(args);
}

TEST(ProgramOptions, ReadsOnlyTheKnownOptions) {
  EXPECT_FALSE(Parse({}).dryRun);
  EXPECT_TRUE(Parse({"--dry-run"}).dryRun);
  EXPECT_TRUE(Parse({"--dry-run", "--help"}).help);
  EXPECT_TRUE(Parse({"--version"}).version);
  EXPECT_EQ(Parse({"--dry-run", "now"}).error, "unknown argument 'now' (see --help)");
  EXPECT_EQ(ProgramVersion().rfind("lingchuan ", 0), 0u);
}

TEST(ProgramRun, ASecondStartBringsTheFirstForwardAndShowsNothing) {
  THeadlessPlatform platform;
  THeadlessSingleInstance instance;
  int activations = 0;
  ASSERT_TRUE(instance.Claim(kInstanceName, [&] { ++activations; }));
  std::ostringstream notices;
  EXPECT_EQ(RunProgram(instance, notices), 0);
  EXPECT_EQ(notices.str(), "");
  EXPECT_EQ(activations, 1);
  EXPECT_TRUE(platform.Windows().Windows().empty());
}

TEST(ProgramRun, TheApplicationIsTitledAfterTheProgram) {
  THeadlessPlatform platform;
  PrepareApplication();
  EXPECT_EQ(Application().Title(), "翎川定时关机");
}

}  // namespace
