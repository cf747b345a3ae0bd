#include "identification/IdentificationModel.h"

#include "document/CMEditableDocument.h"
#include "host/base/ResourceManager.h"
#include "host/common/OstrelDocAttribute.h"
#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"

#include <algorithm>
#include <list>

namespace ostrel::identification {
namespace {

constexpr int kLineHeight = 22;
constexpr int kRowGap = 4;
/// A multi-line field gets one line per 50 characters of its attribute, and one more.
constexpr int kCharactersPerLine = 50;

int characterCount(const Ostrel::u8string& text) {
    return static_cast<int>(ostrel::decodeUtf8(text.str()).size());
}

void showError(platform::MessageSink& sink, platform::WindowHandle dialog,
               const Ostrel::u8string& text) {
    const Ostrel::u8string caption = zmutils::getResourceManager().getString("Common", "Error");
    sink.showError(dialog, caption.toAcp(), text.toAcp());
}

} // namespace

std::optional<FieldText> fitFieldText(const OstrelDocAttributeTemplate& attribute,
                                      const Ostrel::u8string& current, TextSelection selection) {
    Ostrel::u8string corrected;
    std::size_t ends[] = {static_cast<std::size_t>(std::max(selection.start, 0)),
                          static_cast<std::size_t>(std::max(selection.end, 0))};
    if (!attribute.correctMask(current, corrected, ends) || corrected == current) {
        return std::nullopt;
    }
    return FieldText{corrected, {static_cast<int>(ends[0]), static_cast<int>(ends[1])}};
}

IdentificationModel::IdentificationModel(CMEditableDocument& document,
                                         const platform::Services& services)
    : document_(document), services_(services) {}

bool IdentificationModel::initialize(platform::WindowHandle parent) {
    settings_.load(parent, services_);
    std::list<OstrelDocAttribute*> attributes;
    if (!document_.getProperties(attributes)) {
        return false;
    }
    attributeCount_ = static_cast<int>(attributes.size());
    const bool allEmpty =
        std::all_of(attributes.begin(), attributes.end(), [](const OstrelDocAttribute* attribute) {
            return attribute == nullptr || attribute->getValue().empty();
        });
    int index = 0;
    for (OstrelDocAttribute* attribute : attributes) {
        if (attribute == nullptr || attribute->getStatus() != OstrelDocAttributeTemplate::Hidden) {
            if (!insertIdentifier(attribute, nextRowTop_, index, allEmpty)) {
                return false;
            }
        }
        ++index;
    }
    return true;
}

bool IdentificationModel::insertIdentifier(OstrelDocAttribute* attribute, int& y, int index,
                                           bool allEmpty) {
    if (attribute == nullptr) {
        return false;
    }
    const Ostrel::u8string& name = attribute->getAttrName();
    Row row;
    row.attribute = attribute;
    row.attributeIndex = index;
    row.lines = attribute->isMultiline() ? attribute->getLength() / kCharactersPerLine + 1 : 1;
    row.label = {10, y, 86, y + kLineHeight};
    row.button = {100, y, 120, y + 20};
    row.field = {125, y, 315, y + kLineHeight * row.lines};
    row.readOnly = attribute->getStatus() == OstrelDocAttributeTemplate::ReadOnly;
    row.hasLastUsed = settings_.lastUsedIdents.hasLastUsed(name);
    row.lastUsedValue = settings_.lastUsedIdents.getLastUsedValue(name);
    row.text = attribute->getValue();
    rows_.push_back(std::move(row));

    if (!rows_.back().readOnly && settings_.lastUsedIdents.isLastUsedAutomatic(name)) {
        rows_.back().autoInsert = true;
        if (allEmpty) {
            insertLastValue(rows_.back().buttonId());
        }
    }
    y += kLineHeight * rows_.back().lines + kRowGap;
    return true;
}

int IdentificationModel::dialogHeight(int buttonHeight, int captionHeight, int borderHeight) const {
    return buttonsTop() + buttonHeight + 16 + captionHeight + 2 * borderHeight;
}

void IdentificationModel::setRememberCursor(bool checked) {
    settings_.allowStickyCursor = checked ? 1 : 0;
}

std::optional<int> IdentificationModel::initialFocusFieldId() const {
    int target = kFirstFieldId;
    const int remembered = settings_.stickyCursorPosition;
    if (settings_.allowStickyCursor != 0 && remembered >= 0 && remembered < attributeCount_) {
        target = kFirstFieldId + remembered;
    }
    // The remembered row counts shown rows while ids count every attribute,
    // so with hidden attributes above it the target may be another field or
    // none at all.
    const bool exists = std::any_of(rows_.begin(), rows_.end(),
                                    [target](const Row& row) { return row.fieldId() == target; });
    return exists ? std::optional<int>(target) : std::nullopt;
}

void IdentificationModel::recordChange(std::size_t row) {
    if (!firstChangedRow_) {
        firstChangedRow_ = row;
        settings_.stickyCursorPosition = static_cast<std::int32_t>(row);
    }
}

std::optional<FieldText> IdentificationModel::changeText(std::size_t row,
                                                         const Ostrel::u8string& current,
                                                         TextSelection selection) {
    if (row >= rows_.size() || rows_[row].text == current) {
        return std::nullopt;
    }
    recordChange(row);
    Row& changed = rows_[row];
    changed.text = current;
    auto fitted = fitFieldText(*changed.attribute, current, selection);
    if (fitted) {
        changed.text = fitted->text;
    }
    return fitted;
}

std::optional<IdentificationModel::Insertion> IdentificationModel::insertLastValue(int buttonId) {
    if (buttonId < kFirstButtonId || buttonId > kLastInsertingButtonId) {
        return std::nullopt;
    }
    const auto found = std::find_if(rows_.begin(), rows_.end(), [buttonId](const Row& row) {
        return row.buttonId() == buttonId;
    });
    if (found == rows_.end()) {
        return std::nullopt;
    }
    const Ostrel::u8string value =
        settings_.lastUsedIdents.getLastUsedValue(found->attribute->getAttrName());
    if (value.empty()) {
        return std::nullopt;
    }
    const auto row = static_cast<std::size_t>(found - rows_.begin());
    // Setting the text is a change like typing: it counts for the remembered
    // row even when the text stays the same, and the mask applies.
    recordChange(row);
    const auto fitted = fitFieldText(*found->attribute, value, {});
    found->text = fitted ? fitted->text : value;
    const int end = characterCount(found->text);
    return Insertion{row, FieldText{found->text, {end, end}}};
}

std::optional<IdentificationModel::Insertion>
IdentificationModel::toggleAutoInsert(std::size_t row) {
    if (row >= rows_.size()) {
        return std::nullopt;
    }
    if (rows_[row].autoInsert) {
        rows_[row].autoInsert = false;
        return std::nullopt;
    }
    rows_[row].autoInsert = true;
    return insertLastValue(rows_[row].buttonId());
}

ConfirmOutcome IdentificationModel::confirm(platform::WindowHandle dialog,
                                            platform::ScreenPoint windowTopLeft) {
    bool anyFilled = false;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        if (row.text.empty()) {
            continue;
        }
        // Read-only values come from the document and are not the user's to fix.
        if (row.attribute->getStatus() == OstrelDocAttributeTemplate::Editable) {
            Ostrel::u8string message;
            if (!row.attribute->isValid(row.text, message)) {
                showError(services_.messageSink(), dialog, message);
                return {Confirmation::InvalidValue, i};
            }
        }
        anyFilled = true;
    }
    if (!anyFilled) {
        showError(services_.messageSink(), dialog,
                  i18n::translate(i18n::text::allIdentificatorsEmpty));
        return {Confirmation::AllEmpty, std::nullopt};
    }
    for (const Row& row : rows_) {
        if (row.attribute->getStatus() == OstrelDocAttributeTemplate::Editable) {
            row.attribute->setValue(row.text);
        }
        // An emptied field keeps its name's entry as it was, flag included.
        if (!row.text.empty()) {
            settings_.lastUsedIdents.setLastUsed(row.attribute->getAttrName(), row.text,
                                                 row.autoInsert);
        }
    }
    // Without the product's key nothing is stored, by design: the values still go to the document.
    static_cast<void>(settings_.save(windowTopLeft, services_));
    return {Confirmation::Accepted, std::nullopt};
}

} // namespace ostrel::identification
