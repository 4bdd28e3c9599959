#pragma once

#include <cstddef>
#include <type_traits>
#include <vector>

// Everything a frame's pixels follow from, as bytes: the view, each surface's
// place and cells, in drawing order. Two equal states draw equal frames, so
// a frame whose state equals the one on screen can be skipped. Comparing
// bytes, not hashes, keeps that exact: a state that differs always draws.
class PictureState {
public:
    void Clear() { bytes.clear(); }

    // For plain values only: their bytes are what is compared.
    template <typename T>
    void Add(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        AddBytes(&value, sizeof value);
    }
    void AddBytes(const void* data, std::size_t size) {
        const auto* first = static_cast<const unsigned char*>(data);
        bytes.insert(bytes.end(), first, first + size);
    }

    bool operator==(const PictureState& other) const { return bytes == other.bytes; }

private:
    std::vector<unsigned char> bytes;
};

// Whatever can describe the picture it draws. Answers false when it cannot
// tell, and then every frame is drawn.
class PictureSource {
public:
    virtual bool DescribePicture(PictureState& state) = 0;

protected:
    ~PictureSource() = default;
};
