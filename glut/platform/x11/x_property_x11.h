#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <vector>

// A window property as 8-bit items, of any type; none when the window has no
// such property or it has another format. Read up to about a megabyte.
std::optional<std::vector<unsigned char>> ReadByteProperty(Display* display, Window window,
                                                           Atom property);

// Up to `most` 32-bit items of a property of the type, as Xlib hands them out
// (longs); empty when there are none.
std::vector<long> ReadLongProperty(Display* display, Window window, Atom property, Atom type,
                                   long most);
