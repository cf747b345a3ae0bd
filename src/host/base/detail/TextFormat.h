#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace ostrel {

/// Replaces the markers %1 to %9 in `pattern` by the corresponding argument;
/// "%%" gives one percent sign, any other use of '%' is kept as it is. Unlike
/// printf, a translated pattern with wrong markers cannot crash: a marker
/// without an argument becomes empty.
std::string substitute(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace ostrel
