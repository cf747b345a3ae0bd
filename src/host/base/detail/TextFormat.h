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

/// A control's text as read out or shown without its keyboard marks: every
/// "&" that marks the next character as the mnemonic goes, and "&&", the
/// written form of one ampersand, gives one "&".
std::string withoutMnemonics(std::string_view text);

/// The name a screen reader gives the control a label stands for: the
/// label's text without mnemonics and without its closing colon.
std::string labelledName(std::string_view label);

} // namespace ostrel
