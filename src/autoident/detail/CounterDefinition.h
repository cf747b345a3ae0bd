#pragma once

#include <cstdint>

namespace zm_soop {
class soop_node;
}

namespace ostrel::autoident::detail {

/// One counter as an `ident` element of a definition file describes it.
struct CounterDefinition {
    const char* name = nullptr; ///< points into the node
    const char* prefix = nullptr;
    std::int32_t variableLength = 0;
    std::int32_t increment = 0;
    std::int32_t initialValue = 0;
    std::int32_t prefixEditable = 0;
};

/// Why a definition entry is refused.
enum class DefinitionFault {
    None,
    NoName,        ///< `name` is absent or empty
    NoPrefix,      ///< `prefix` is absent
    NoNumber,      ///< a required number is absent (see DefinitionCheck::attribute)
    RefusedNumber, ///< a required number is refused by the number rule
};

struct DefinitionCheck {
    DefinitionFault fault = DefinitionFault::None;
    const char* attribute = nullptr; ///< the number attribute at fault
};

/// Reads one `ident` element of a definition file with the checks, in their
/// order, that decide whether the identifier set accepts it: name, prefix,
/// then variable_length, increment and initial_value by the number rule;
/// prefix_editable is read as atoi reads it and never refused (absent is 0).
/// `definition` is complete only when the fault is None. The one source of
/// these checks: the set's loading and the tool's explanation of a refused
/// file both use it.
DefinitionCheck readDefinition(const zm_soop::soop_node& node, CounterDefinition& definition);

} // namespace ostrel::autoident::detail
