#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace zem {

// A byte string of fixed capacity N, as the radio and the settings file carry it (CP932 bytes).
// Assigning a longer value keeps its first N bytes; the cut may fall inside a double-byte
// character, exactly as the radio's own fields behave. Editors that want a clean cut use
// CutCp932() before assigning.
template <std::size_t N> class FixedText {
    static_assert(N > 0 && N <= 0xFFFF);

public:
    static constexpr std::size_t capacity = N;

    FixedText() = default;
    FixedText(std::string_view s) { assign(s); } // NOLINT(google-explicit-constructor): texts read naturally
    FixedText(const char* s) { assign(s); }      // NOLINT(google-explicit-constructor)

    FixedText& operator=(std::string_view s) {
        assign(s);
        return *this;
    }
    FixedText& operator=(const char* s) {
        assign(s);
        return *this;
    }

    void assign(std::string_view s) {
        length_ = static_cast<std::uint16_t>(std::min(s.size(), N));
        std::copy_n(s.data(), length_, bytes_.begin());
        std::fill(bytes_.begin() + length_, bytes_.end(), '\0');
    }

    std::string_view view() const { return {bytes_.data(), length_}; }
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    void clear() { assign({}); }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }
    friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const FixedText& a, const char* b) { return a.view() == std::string_view(b); }
    friend std::ostream& operator<<(std::ostream& os, const FixedText& t) { return os << t.view(); }

private:
    std::array<char, N> bytes_{};
    std::uint16_t length_ = 0;
};

} // namespace zem
