#include "host/common/OstrelDocAttributeTemplate.h"

#include "host/base/detail/MessageCatalog.h"
#include "host/base/detail/NumberText.h"
#include "host/base/detail/TextFormat.h"
#include "host/common/AttributeTemplate.h"
#include "host/common/detail/InputMask.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

Ostrel::u8string property(const AttributeTemplate& attributeTemplate, const char* name) {
    Ostrel::u8string value;
    attributeTemplate.getProperty(Ostrel::u8string(name), value);
    return value;
}

bool isYes(const Ostrel::u8string& text) {
    return text.str() == "Y" || text.str() == "y";
}

OstrelDocAttributeTemplate::Status toStatus(const Ostrel::u8string& text) {
    if (text.size() == 1) {
        switch (text.str()[0]) {
        case 'R':
        case 'r':
            return OstrelDocAttributeTemplate::ReadOnly;
        case 'H':
        case 'h':
            return OstrelDocAttributeTemplate::Hidden;
        default:
            break;
        }
    }
    return OstrelDocAttributeTemplate::Editable;
}

} // namespace

OstrelDocAttributeTemplate::OstrelDocAttributeTemplate(const AttributeTemplate* attributeTemplate) {
    if (attributeTemplate == nullptr) {
        return;
    }
    attrName_ = attributeTemplate->getIdentifier();
    visibleName_ = property(*attributeTemplate, "name");
    length_ = ostrel::readLeadingInt(property(*attributeTemplate, "size").c_str());
    position_ = ostrel::readLeadingInt(property(*attributeTemplate, "position").c_str());
    status_ = toStatus(property(*attributeTemplate, "status"));
    mandatory_ = isYes(property(*attributeTemplate, "mandatory"));
    multiline_ = isYes(property(*attributeTemplate, "multiline"));
    maskText_ = property(*attributeTemplate, "mask");
    if (ostrel::detail::InputMask mask(maskText_.str()); !mask.empty()) {
        mask_ = std::make_shared<const ostrel::detail::InputMask>(std::move(mask));
    }
}

bool OstrelDocAttributeTemplate::isValid(const Ostrel::u8string& value,
                                         Ostrel::u8string& message) const {
    const std::string& name = visibleName_.empty() ? attrName_.str() : visibleName_.str();
    if (value.empty()) {
        if (mandatory_) {
            message = ostrel::substitute(ostrel::messageText("ostrel", "%1: a value is required"),
                                         {name});
            return false;
        }
        return true;
    }
    const std::u32string chars = ostrel::decodeUtf8(value.str());
    if (length_ > 0 && chars.size() > static_cast<std::size_t>(length_)) {
        const auto limit = static_cast<unsigned long>(length_);
        message = ostrel::substitute(
            ostrel::pluralMessageText("ostrel", "%1: at most %2 character allowed",
                                      "%1: at most %2 characters allowed", limit),
            {name, std::to_string(limit)});
        return false;
    }
    if (mask_ && !mask_->matches(chars)) {
        message = ostrel::substitute(ostrel::messageText("ostrel", "%1: expected %2"),
                                     {name, mask_->describe()});
        return false;
    }
    return true;
}

bool OstrelDocAttributeTemplate::correctMask(const Ostrel::u8string& value,
                                             Ostrel::u8string& corrected) const {
    return correctMask(value, corrected, {});
}

bool OstrelDocAttributeTemplate::correctMask(const Ostrel::u8string& value,
                                             Ostrel::u8string& corrected,
                                             std::span<std::size_t> positions) const {
    std::u32string chars = ostrel::decodeUtf8(value.str());
    const bool cut = length_ > 0 && chars.size() > static_cast<std::size_t>(length_);
    if (!mask_ && !cut) {
        return false;
    }
    if (mask_) {
        chars = mask_->fit(chars, positions);
    }
    if (length_ > 0 && chars.size() > static_cast<std::size_t>(length_)) {
        chars.resize(static_cast<std::size_t>(length_));
    }
    for (std::size_t& position : positions) {
        position = std::min(position, chars.size());
    }
    corrected = Ostrel::u8string(ostrel::encodeUtf8(chars));
    return true;
}
