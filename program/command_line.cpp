#include "command_line.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace {

constexpr std::string_view kSeedOption = "--seed";
constexpr std::string_view kScaleOption = "--scale";
constexpr double kSmallestScale = 1.0;
constexpr double kLargestScale = 8.0;

std::string LargestSeed() {
    return std::to_string(std::numeric_limits<unsigned>::max());
}

// A byte as the shell's $'...' writes it: by name where it has one, else
// in octal, as GNU tools quote what they cannot print.
void AppendEscaped(std::string& out, unsigned char byte) {
    static constexpr std::string_view kNamed = "abtnvfr";
    out.push_back('\\');
    if (byte >= '\a' && byte <= '\r') {
        out.push_back(kNamed[byte - '\a']);
        return;
    }
    for (const int shift : {6, 3, 0}) {
        out.push_back(static_cast<char>('0' + ((byte >> shift) & 7)));
    }
}

// The length of the printable UTF-8 character at the start of `text`, or 0
// for a control character (C0, DEL, C1) or a byte that starts no valid
// character: either could move a terminal's cursor or change its state.
std::size_t PrintableLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x20 || lead == 0x7f) {
        return 0;
    }
    if (lead < 0x80) {
        return 1;
    }
    const std::size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 ? 2 : 0;
    if (length == 0 || lead > 0xf4 || text.size() < length) {
        return 0;
    }
    char32_t code = lead & (0x7f >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xc0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3f);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = code >= smallest[length] && code <= 0x10ffff &&
                       !(code >= 0xd800 && code <= 0xdfff) && !(code >= 0x80 && code <= 0x9f);
    return valid ? length : 0;
}

// The argument in single quotes, with every character a terminal would act
// on written as $'\n' between them, so that the line shows what was typed
// and can be pasted back into a shell.
std::string Quoted(std::string_view arg) {
    std::string quoted = "'";
    bool escaping = false;
    while (!arg.empty()) {
        const std::size_t length = PrintableLength(arg);
        if (length == 0) {
            if (!escaping) {
                quoted += "'$'";
                escaping = true;
            }
            AppendEscaped(quoted, static_cast<unsigned char>(arg[0]));
            arg.remove_prefix(1);
            continue;
        }
        if (escaping) {
            quoted += "''";
            escaping = false;
        }
        quoted += arg[0] == '\'' ? "'\\''" : arg.substr(0, length);
        arg.remove_prefix(length);
    }
    return quoted + "'";
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

// A plain decimal number: digits with at most one point, and no sign but
// minus, no blanks, no exponent and no hexadecimal. It is checked by hand
// and converted by strtod, which the program's C locale gives a point: the
// web build's C++ library has no from_chars for floating point.
bool IsPlainDecimal(std::string_view text) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (point == std::string_view::npos) {
        return !text.empty() && digits(text);
    }
    return text.size() > 1 && digits(text.substr(0, point)) && digits(text.substr(point + 1));
}

// Infinities and NaN cannot be written plainly; the range check takes the
// rest.
std::optional<float> ParseScale(std::string_view text) {
    if (!IsPlainDecimal(text)) {
        return std::nullopt;
    }
    const double value = std::strtod(std::string(text).c_str(), nullptr);
    if (!(value >= kSmallestScale) || !(value <= kLargestScale)) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

// The value of an option given as "--name VALUE" or "--name=VALUE", if this
// argument is that option; advances i past a separate value. A missing value
// is reported through `missing`.
std::optional<std::string_view> OptionValue(const std::vector<std::string>& args, std::size_t& i,
                                            std::string_view name, bool& missing) {
    const std::string_view arg = args[i];
    if (arg == name) {
        if (i + 1 == args.size()) {
            missing = true;
            return std::nullopt;
        }
        return std::string_view(args[++i]);
    }
    if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    return std::nullopt;
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
        bool missing = false;
        if (const auto number = OptionValue(args, i, kSeedOption, missing)) {
            result.seed = ParseSeed(*number);
            if (!result.seed) {
                return Failure("the seed must be a whole number from 0 to " + LargestSeed() +
                               ", not " + Quoted(*number));
            }
            continue;
        }
        if (missing) {
            return Failure("option '--seed' needs a number");
        }
        if (const auto factor = OptionValue(args, i, kScaleOption, missing)) {
            result.scale = ParseScale(*factor);
            if (!result.scale) {
                return Failure("the scale must be a number from 1 to 8, such as 1.5, not " +
                               Quoted(*factor));
            }
            continue;
        }
        if (missing) {
            return Failure("option '--scale' needs a number");
        }
        if (arg.starts_with("-")) {
            return Failure("unknown option " + Quoted(arg));
        }
        return Failure("unexpected argument " + Quoted(arg));
    }
    return result;
}

std::string Usage() {
    return "Usage: quillmere [--seed N] [--scale F] [--no-banner]\n"
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
           "  --scale F    draw F device pixels for each pixel of the scene (F from\n"
           "               1 to 8, to the nearest quarter) instead of following\n"
           "               the desktop's scale factor\n"
           "  --no-banner  open the window without the start-up banner\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n";
}

std::string VersionLine() {
    return "quillmere " QUILLMERE_VERSION;
}
