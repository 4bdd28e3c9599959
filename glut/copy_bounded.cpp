#include "copy_bounded.h"

#include <cstring>

bool CopyBounded(char* destination, const char* source, std::size_t size) {
    if (!destination || !source || size == 0) {
        return false;
    }
    const std::size_t length = strnlen(source, size);
    const bool fits = length < size;
    const std::size_t copied = fits ? length : size - 1;
    std::memcpy(destination, source, copied);
    destination[copied] = '\0';
    return fits;
}
