#include "autoident/detail/CounterDefinition.h"

#include "autoident/detail/NumberRule.h"
#include "host/base/SoopDb.h"
#include "host/base/detail/NumberText.h"

#include <utility>

namespace ostrel::autoident::detail {

DefinitionCheck readDefinition(const zm_soop::soop_node& node, CounterDefinition& definition) {
    definition.name = node.getAttr("name");
    if (definition.name == nullptr || *definition.name == '\0') {
        return {DefinitionFault::NoName, nullptr};
    }
    definition.prefix = node.getAttr("prefix");
    if (definition.prefix == nullptr) {
        return {DefinitionFault::NoPrefix, nullptr};
    }
    const std::pair<const char*, std::int32_t*> numbers[] = {
        {"variable_length", &definition.variableLength},
        {"increment", &definition.increment},
        {"initial_value", &definition.initialValue},
    };
    for (const auto& [attribute, number] : numbers) {
        const char* text = node.getAttr(attribute);
        if (text == nullptr) {
            return {DefinitionFault::NoNumber, attribute};
        }
        if (!readCounterNumber(text, *number)) {
            return {DefinitionFault::RefusedNumber, attribute};
        }
    }
    definition.prefixEditable = ostrel::readLeadingInt(node.getAttr("prefix_editable"));
    return {};
}

} // namespace ostrel::autoident::detail
