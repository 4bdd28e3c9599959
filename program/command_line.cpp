#include "command_line.h"

#include <charconv>
#include <limits>
#include <string_view>

namespace {

constexpr std::string_view kSeedOption = "--seed";

std::string LargestSeed() {
    return std::to_string(std::numeric_limits<unsigned>::max());
}

CommandLine Failure(const std::string& problem) {
    CommandLine result;
    result.action = CommandLine::Action::Fail;
    result.error = "quillmere: " + problem + " (see 'quillmere --help')";
    return result;
}

// Digits only: from_chars would also take a leading minus for a signed type,
// and stoul takes signs, spaces and wraps negative numbers around.
std::optional<unsigned> ParseSeed(std::string_view text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, value);
    if (text.empty() || problem != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help") {
            result.action = CommandLine::Action::ShowHelp;
            return result;
        }
        if (arg == "--version") {
            result.action = CommandLine::Action::ShowVersion;
            return result;
        }
        if (arg == "--no-banner") {
            result.showBanner = false;
            continue;
        }
        // Both "--seed N" and "--seed=N".
        std::optional<std::string_view> number;
        if (arg == kSeedOption) {
            if (i + 1 == args.size()) {
                return Failure("option '--seed' needs a number");
            }
            number = args[++i];
        } else if (arg.starts_with(kSeedOption) && arg[kSeedOption.size()] == '=') {
            number = arg.substr(kSeedOption.size() + 1);
        }
        if (number) {
            result.seed = ParseSeed(*number);
            if (!result.seed) {
                return Failure("the seed must be a whole number from 0 to " + LargestSeed() +
                               ", not '" + std::string(*number) + "'");
            }
            continue;
        }
        if (arg.starts_with("-")) {
            return Failure("unknown option '" + std::string(arg) + "'");
        }
        return Failure("unexpected argument '" + std::string(arg) + "'");
    }
    return result;
}

std::string Usage() {
    return "Usage: quillmere [--seed N] [--no-banner]\n"
           "       quillmere --help | --version\n"
           "\n"
           "Mix colours on grids of cells: drag a swatch onto a canvas and its colour\n"
           "spreads from cell to cell. Alt drags a copy; any key clears the canvases.\n"
           "\n"
           "Options:\n"
           "  --seed N     start from the scene that seed N gives (N from 0 to\n"
           "               " +
           LargestSeed() +
           "); the same N gives the same scene every time\n"
           "  --no-banner  open the window without the start-up banner\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n";
}

std::string VersionLine() {
    return "quillmere " QUILLMERE_VERSION;
}
