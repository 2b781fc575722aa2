#pragma once

#include "codecs.h"

#include <string_view>
#include <type_traits>

namespace zem {

// A record's field named by a member pointer, as the text the radio, the settings file and the
// comparisons carry: a char field is its one character, a text field its bytes.
template <typename> struct MemberTraits;
template <typename Class, typename Type> struct MemberTraits<Type Class::*> {
    using Record = Class;
    static constexpr bool isChar = std::is_same_v<Type, char>;
};
template <auto Member> using RecordOf = typename MemberTraits<decltype(Member)>::Record;

template <auto Member> std::string_view MemberText(const RecordOf<Member>& r) {
    if constexpr (MemberTraits<decltype(Member)>::isChar)
        return {&(r.*Member), 1};
    else
        return (r.*Member).view();
}

// A char field takes CharOf(value); a text field keeps the first bytes that fit.
template <auto Member> void SetMemberText(RecordOf<Member>& r, std::string_view value) {
    if constexpr (MemberTraits<decltype(Member)>::isChar)
        r.*Member = CharOf(value);
    else
        r.*Member = value;
}

} // namespace zem
