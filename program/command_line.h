#pragma once

#include <optional>
#include <string>
#include <vector>

// What the user asked for on the command line. Parsing touches neither GL
// nor GLUT, so --help, --version and mistakes are answered without a display.
struct CommandLine {
    enum class Action {
        Run,          // open the window
        ShowHelp,     // print Usage() to standard output, exit 0
        ShowVersion,  // print VersionLine() to standard output, exit 0
        Fail,         // print `error` to standard error, exit 2
    };
    Action action = Action::Run;
    // Seeds the random generator in place of the clock: the same seed gives
    // the same scene on every start.
    std::optional<unsigned> seed;
    bool showBanner = true;
    // Device pixels for each unit of the window, from 1 to 8, in place of the
    // desktop's scale factor.
    std::optional<float> scale;
    // One line, without its line break, naming the problem and pointing to
    // --help.
    std::string error;
};

inline constexpr int kCommandLineErrorStatus = 2;

// The arguments after the program name, read from left to right. --help and
// --version answer at once, as GNU programs do, so whatever follows them is
// not looked at; the first bad argument ends parsing with Fail.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The --help text, ending in a line break.
std::string Usage();

// "quillmere <version>", without a line break.
std::string VersionLine();
