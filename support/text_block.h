#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace nerim {

// A growing block of text bytes that formatting code writes straight into. Unlike a string, it
// does not fill new room with zeros, and Clear keeps the room for the next text.
//
//     char* out = block.Room(most);   // at least `most` bytes may be written from out
//     out = FormatSomething(out);
//     block.Grow(out);                // the bytes up to out are now text
class TTextBlock {
public:
    TTextBlock() = default;
    TTextBlock(const TTextBlock&) = delete;
    TTextBlock& operator=(const TTextBlock&) = delete;
    TTextBlock(TTextBlock&&) noexcept = default;
    TTextBlock& operator=(TTextBlock&&) noexcept = default;

    // Where the next bytes go, with room for at least `bytes` of them.
    char* Room(std::size_t bytes) {
        if (capacity_ - size_ < bytes) Reallocate(std::max(size_ + bytes, 2 * capacity_));
        return data_.get() + size_;
    }
    // The bytes up to `end`, written after Room, belong to the text now.
    void Grow(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }

    void Append(std::string_view bytes) {
        char* out = Room(bytes.size());
        if (!bytes.empty()) std::memcpy(out, bytes.data(), bytes.size());
        size_ += bytes.size();
    }
    void Clear() { size_ = 0; }

    std::size_t Size() const { return size_; }
    std::string_view View() const { return {data_.get(), size_}; }

private:
    void Reallocate(std::size_t capacity) {
        auto data = std::make_unique_for_overwrite<char[]>(capacity);
        if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
        data_ = std::move(data);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace nerim
