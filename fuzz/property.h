#pragma once

#include "model/conversion_error.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace zem::fuzz {

// The fuzz input as the text the function under test takes.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A property the model must keep for every input. A broken one aborts, so that libFuzzer saves
// the input as a crash like any sanitizer report.
inline void Require(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// The result of a conversion, or nullopt where it raised ConversionError: the documented outcome
// for text that is not a number. Any other exception escapes, and libFuzzer reports it.
template <typename Convert> auto Converted(Convert convert) -> std::optional<decltype(convert())> {
    try {
        return convert();
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

// A parser that fills its record in place: false where it raised ConversionError.
template <typename Parse> bool Parsed(Parse parse) {
    try {
        parse();
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

inline bool IsDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace zem::fuzz
