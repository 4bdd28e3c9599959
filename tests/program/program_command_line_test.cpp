// The real program started from a shell with no X display at all: what it
// answers on the command line must need none.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "child_process.h"

namespace {

struct Answer {
    int status;
    std::string out;
    std::string err;
};

Answer Start(const std::vector<std::string>& args) {
    ChildProcess program(QUILLMERE_PROGRAM, args, "", ChildProcess::Streams::Apart);
    const std::optional<int> status = program.Wait(10'000);
    return {status.value_or(-1), program.Output(), program.Errors()};
}

TEST(ProgramCommandLineTest, HelpAndVersionAnswerOnStandardOutputWithoutADisplay) {
    const Answer help = Start({"--help"});
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out.rfind("Usage: quillmere", 0), 0u) << help.out;
    for (const char* option : {"--seed N", "--no-banner", "--version"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(help.err, "");

    const Answer version = Start({"--no-banner", "--version"});
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, "quillmere " QUILLMERE_VERSION "\n");
    EXPECT_EQ(version.err, "");
}

TEST(ProgramCommandLineTest, BadArgumentsEndWithOneLineOnStandardErrorAndStatusTwo) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--seed"}, {"--seed", "-1"}, {"--no-banner", "picture.png"}}) {
        SCOPED_TRACE(args.back());
        const Answer bad = Start(args);
        EXPECT_EQ(bad.status, 2);
        EXPECT_EQ(bad.out, "");
        EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1) << bad.err;
        EXPECT_EQ(bad.err.back(), '\n');
        EXPECT_NE(bad.err.find("'" + args.back() + "'"), std::string::npos) << bad.err;
        EXPECT_NE(bad.err.find("--help"), std::string::npos) << bad.err;
    }
}

// Good options go on to open the display, which is what the answers above
// must not have done: here the missing display is reported.
TEST(ProgramCommandLineTest, GoodOptionsGoOnToTheDisplay) {
    const Answer run = Start({"--seed", "7", "--no-banner"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("DISPLAY is not set"), std::string::npos) << run.err;
}

}  // namespace
