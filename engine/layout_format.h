// The line layouts of the engine's text files, in the edit-descriptor
// notation of the old report writers: nX, 'text', Iw, Iw.m, Fw.d, Ew.d,
// 1P Ew.d, Aw, A, /, repeat counts and n(...) groups.
//
// Rules kept from that notation: a value too wide for its field prints as w
// asterisks (also an exponent beyond two digits); output stops at the first
// value field with no value left; a layout given more values than it has
// fields ends the line and starts again from its first field.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace truvex {

using LayoutValue = std::variant<long long, double, std::string>;

// The formatted lines, each ended by '\n'. Throws std::logic_error for a
// malformed layout or a value of the wrong kind for its field (programming
// errors, never caused by input data).
std::string formatLayout(std::string_view layout, const std::vector<LayoutValue>& values);

inline LayoutValue layoutValue(long long value) { return value; }
inline LayoutValue layoutValue(double value) { return value; }
inline LayoutValue layoutValue(std::string value) { return value; }

template <class T>
LayoutValue toLayoutValue(const T& value)
{
    if constexpr (std::is_integral_v<T>)
        return layoutValue(static_cast<long long>(value));
    else if constexpr (std::is_floating_point_v<T>)
        return layoutValue(static_cast<double>(value));
    else
        return layoutValue(std::string(value));
}

template <class... Args>
std::string format(std::string_view layout, const Args&... args)
{
    return formatLayout(layout, std::vector<LayoutValue>{toLayoutValue(args)...});
}

}  // namespace truvex
