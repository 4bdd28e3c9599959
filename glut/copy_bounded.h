#pragma once

#include <cstddef>

// Copies source into a buffer of size bytes, cut to size - 1 characters, and
// always ends it with a zero. Answers whether nothing was cut. With a missing
// destination or source, or no room even for the zero, nothing is written
// and the answer is false.
bool CopyBounded(char* destination, const char* source, std::size_t size);
