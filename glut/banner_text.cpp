#include "banner_text.h"

std::vector<std::string> BannerLines(const char* programNotice) {
    return {"Quillmere - A Kestrune Prototype", programNotice ? programNotice : "", "",
            GlutLibraryNotice()};
}
