#include "x_property_x11.h"

namespace {

// Larger than anything a desktop keeps in a property this program reads.
constexpr long kLongestByteProperty = 1 << 20;

struct Property {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned char* data = nullptr;

    Property(Display* display, Window window, Atom property, Atom wanted, long longs) {
        unsigned long after = 0;
        if (XGetWindowProperty(display, window, property, 0, longs, False, wanted, &type, &format,
                               &count, &after, &data) != Success) {
            data = nullptr;
        }
    }
    ~Property() {
        if (data) {
            XFree(data);
        }
    }
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;
};

}  // namespace

std::optional<std::vector<unsigned char>> ReadByteProperty(Display* display, Window window,
                                                           Atom property) {
    const Property p(display, window, property, AnyPropertyType, kLongestByteProperty / 4);
    if (!p.data || p.format != 8) {
        return std::nullopt;
    }
    return std::vector<unsigned char>(p.data, p.data + p.count);
}

std::vector<long> ReadLongProperty(Display* display, Window window, Atom property, Atom type,
                                   long most) {
    const Property p(display, window, property, type, most);
    if (!p.data || p.format != 32) {
        return {};
    }
    const long* items = reinterpret_cast<const long*>(p.data);
    return std::vector<long>(items, items + p.count);
}
