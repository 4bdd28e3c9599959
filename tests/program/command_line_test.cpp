#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Action = CommandLine::Action;

// A failure is one line that quotes what was wrong and points to --help.
void ExpectFailure(const std::vector<std::string>& args, const std::string& quoted) {
    const CommandLine parsed = ParseCommandLine(args);
    EXPECT_EQ(parsed.action, Action::Fail);
    EXPECT_NE(parsed.error.find("'" + quoted + "'"), std::string::npos) << parsed.error;
    EXPECT_NE(parsed.error.find("--help"), std::string::npos) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
}

TEST(CommandLineTest, NoArgumentsRunWithTheBannerAndTheClockSeed) {
    const CommandLine parsed = ParseCommandLine({});
    EXPECT_EQ(parsed.action, Action::Run);
    EXPECT_TRUE(parsed.showBanner);
    EXPECT_FALSE(parsed.seed);
}

TEST(CommandLineTest, HelpAndVersionAnswerAtOnceWhateverFollows) {
    EXPECT_EQ(ParseCommandLine({"--help"}).action, Action::ShowHelp);
    EXPECT_EQ(ParseCommandLine({"--version"}).action, Action::ShowVersion);
    EXPECT_EQ(ParseCommandLine({"--no-banner", "--seed", "3", "--help"}).action, Action::ShowHelp);
    EXPECT_EQ(ParseCommandLine({"--version", "--help", "stray"}).action, Action::ShowVersion);
    // A mistake before them is reported first.
    EXPECT_EQ(ParseCommandLine({"--bogus", "--help"}).action, Action::Fail);
}

TEST(CommandLineTest, SeedAndNoBannerCombineInAnyOrder) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"--seed", "7", "--no-banner"},
                                                                  {"--no-banner", "--seed=7"}}) {
        const CommandLine parsed = ParseCommandLine(args);
        EXPECT_EQ(parsed.action, Action::Run);
        EXPECT_FALSE(parsed.showBanner);
        EXPECT_EQ(parsed.seed, 7u);
    }
    EXPECT_EQ(ParseCommandLine({"--seed", "1", "--seed", "2"}).seed, 2u) << "the last one counts";
}

TEST(CommandLineTest, SeedTakesEveryNumberAnUnsignedHolds) {
    EXPECT_EQ(ParseCommandLine({"--seed", "0"}).seed, 0u);
    EXPECT_EQ(ParseCommandLine({"--seed", "007"}).seed, 7u);
    EXPECT_EQ(ParseCommandLine({"--seed", "4294967295"}).seed, 4294967295u);
    EXPECT_EQ(ParseCommandLine({"--seed=4294967295"}).seed, 4294967295u);
}

TEST(CommandLineTest, MalformedSeedsFail) {
    for (const char* bad : {"", "-1", "+1", " 7", "7 ", "7a", "0x10", "1e3", "3.0", "4294967296",
                            "18446744073709551617"}) {
        SCOPED_TRACE(bad);
        ExpectFailure({"--seed", bad}, bad);
        ExpectFailure({std::string("--seed=") + bad}, bad);
    }
    const CommandLine missing = ParseCommandLine({"--no-banner", "--seed"});
    EXPECT_EQ(missing.action, Action::Fail);
    EXPECT_NE(missing.error.find("'--seed'"), std::string::npos) << missing.error;
}

TEST(CommandLineTest, ScaleTakesNumbersFromOneToEightFractionsIncluded) {
    EXPECT_EQ(ParseCommandLine({"--scale", "2"}).scale, 2.0f);
    EXPECT_EQ(ParseCommandLine({"--scale=1.5", "--no-banner"}).scale, 1.5f);
    EXPECT_EQ(ParseCommandLine({"--scale", "8"}).scale, 8.0f);
    EXPECT_EQ(ParseCommandLine({"--scale", "1"}).scale, 1.0f);
    EXPECT_FALSE(ParseCommandLine({}).scale);
    for (const char* bad :
         {"", "0", "0.99", "8.01", "-2", "+2", "2x", " 2", "nan", "inf", "1e1", "0x2"}) {
        SCOPED_TRACE(bad);
        ExpectFailure({"--scale", bad}, bad);
        ExpectFailure({std::string("--scale=") + bad}, bad);
    }
    ExpectFailure({"--scale"}, "--scale");
}

TEST(CommandLineTest, UnknownOptionsAndStrayArgumentsFail) {
    // GLUT's own options are not passed through, and nothing takes a file.
    for (const char* bad : {"--bogus", "-h", "--HELP", "--seeds", "--no-banner=yes", "-display",
                            "-geometry", "-", "picture.png", ""}) {
        SCOPED_TRACE(bad);
        ExpectFailure({"--no-banner", bad, "--help"}, bad);
    }
}

// What a terminal would act on reaches it escaped, as a shell would quote
// it; printable UTF-8 stays as typed.
TEST(CommandLineTest, ControlCharactersInABadArgumentAreQuotedNotPrinted) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\nb", "'a'$'\\n''b'"},         {"\x1b[2J", "''$'\\033''[2J'"},
        {"--scale=1\r", "'1'$'\\r'"},     {"x\xc2\x9b", "'x'$'\\302\\233'"},
        {"\xff", "''$'\\377'"},           {"it's", "'it'\\''s'"},
        {"caf\xc3\xa9", "'caf\xc3\xa9'"},
    };
    for (const auto& [arg, quoted] : cases) {
        const CommandLine parsed = ParseCommandLine({arg});
        EXPECT_NE(parsed.error.find(" " + quoted + " ("), std::string::npos) << parsed.error;
        for (const char c : parsed.error) {
            EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20) << parsed.error;
        }
    }
}

TEST(CommandLineTest, UsageAndVersionNameTheProgram) {
    const std::string usage = Usage();
    for (const char* option : {"--seed N", "--scale F", "--no-banner", "--help", "--version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(usage.back(), '\n');
    EXPECT_EQ(VersionLine().rfind("quillmere ", 0), 0u) << VersionLine();
}

}  // namespace
