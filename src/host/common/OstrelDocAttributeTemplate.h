#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <cstddef>
#include <memory>
#include <span>

class AttributeTemplate;

namespace ostrel::detail {
class InputMask;
}

/// An attribute's rules as the library sees them, read once from the host's
/// AttributeTemplate: internal name (its identifier), visible name ("name"),
/// length in characters ("size"), position ("position"), status ("status":
/// N/n editable, R/r read-only, H/h hidden), "mandatory" and "multiline"
/// (Y/N) and the input mask ("mask").
class OSTREL_EXPORT OstrelDocAttributeTemplate {
public:
    enum Status { Editable = 0, ReadOnly = 1, Hidden = 2 };

    /// Reads the rules from the template; a null template gives an editable,
    /// optional attribute without name, length or mask.
    explicit OstrelDocAttributeTemplate(const AttributeTemplate* attributeTemplate);
    // A polymorphic base: the virtual destructor would otherwise cost the
    // moves their implicit declarations.
    virtual ~OstrelDocAttributeTemplate() = default;
    OstrelDocAttributeTemplate(const OstrelDocAttributeTemplate&) = default;
    OstrelDocAttributeTemplate& operator=(const OstrelDocAttributeTemplate&) = default;
    OstrelDocAttributeTemplate(OstrelDocAttributeTemplate&&) noexcept = default;
    OstrelDocAttributeTemplate& operator=(OstrelDocAttributeTemplate&&) noexcept = default;

    const Ostrel::u8string& getAttrName() const { return attrName_; }
    const Ostrel::u8string& getVisibleName() const { return visibleName_; }
    int getLength() const { return length_; }
    int getPosition() const { return position_; }
    Status getStatus() const { return status_; }
    bool isMandatory() const { return mandatory_; }
    bool isMultiline() const { return multiline_; }
    const Ostrel::u8string& getMask() const { return maskText_; }

    /// Whether `value` may be stored. False, with `message` set to a sentence
    /// naming the attribute and the expected form, when the attribute is
    /// mandatory and the value empty, when the value has more characters than
    /// the attribute's length, or when it does not fill the mask's required
    /// positions. An empty value of an optional attribute is valid.
    [[nodiscard]] bool isValid(const Ostrel::u8string& value, Ostrel::u8string& message) const;

    /// Fits typed text to the attribute: to the mask when there is one (see
    /// InputMask::fit), and never longer than the attribute's length. Returns
    /// false, `corrected` unchanged, when there is no mask and nothing to cut.
    /// A corrected text always corrects to itself.
    [[nodiscard]] bool correctMask(const Ostrel::u8string& value,
                                   Ostrel::u8string& corrected) const;
    /// correctMask, also moving `positions` (character positions in `value`:
    /// a caret, the ends of a selection) to where they land in `corrected`
    /// (see InputMask::fit), so that a literal the mask inserts before the
    /// caret ends up before it; the length cut moves positions beyond it to
    /// the end. `positions` are left as they are when the result is false.
    [[nodiscard]] bool correctMask(const Ostrel::u8string& value, Ostrel::u8string& corrected,
                                   std::span<std::size_t> positions) const;

private:
    Ostrel::u8string attrName_;
    Ostrel::u8string visibleName_;
    int length_ = 0;
    int position_ = 0;
    Status status_ = Editable;
    bool mandatory_ = false;
    bool multiline_ = false;
    Ostrel::u8string maskText_;
    // Compiled once from maskText_ and shared by copies; null when the
    // attribute has no mask.
    std::shared_ptr<const ostrel::detail::InputMask> mask_;
};
