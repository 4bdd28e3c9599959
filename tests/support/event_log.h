#pragma once

#include <sstream>
#include <string>
#include <vector>

// An ordered record of what reached the recording test doubles, as readable
// strings such as "main.OnMouseDown(3,4)".
class EventLog {
public:
    template <typename... Args>
    void Add(const std::string& who, const std::string& what, const Args&... args) {
        std::ostringstream line;
        line << who << '.' << what << '(';
        bool first = true;
        ((line << (first ? "" : ",") << args, first = false), ...);
        line << ')';
        entries.push_back(line.str());
    }
    void Clear() { entries.clear(); }
    const std::vector<std::string>& Entries() const { return entries; }

private:
    std::vector<std::string> entries;
};
