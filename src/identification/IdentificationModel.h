#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"
#include "identification/IdentificationSettings.h"
#include "platform/Services.h"

#include <cstddef>
#include <optional>
#include <vector>

class CMEditableDocument;
class OstrelDocAttribute;
class OstrelDocAttributeTemplate;

namespace ostrel::identification {

/// A rectangle in the dialog's client area, in logical pixels; `right` and
/// `bottom` lie just outside.
struct OSTREL_EXPORT ClientRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const ClientRect&, const ClientRect&) = default;
};

/// The selection of a value field, in characters from the start of its
/// text; `start` == `end` is the caret.
struct OSTREL_EXPORT TextSelection {
    int start = 0;
    int end = 0;
    friend bool operator==(const TextSelection&, const TextSelection&) = default;
};

/// A value field's text with the selection it is to show.
struct OSTREL_EXPORT FieldText {
    Ostrel::u8string text;
    TextSelection selection;
    friend bool operator==(const FieldText&, const FieldText&) = default;
};

/// The text a value field must show after its text became `current` with
/// `selection`: nothing when the attribute's mask leaves the text as it is
/// (or the attribute has no mask and nothing to cut); otherwise the fitted
/// text with the selection carried through the correction: each end stays
/// after the characters typed before it, so literals the mask inserts end
/// up before the caret and typing goes on after them.
OSTREL_EXPORT std::optional<FieldText> fitFieldText(const OstrelDocAttributeTemplate& attribute,
                                                    const Ostrel::u8string& current,
                                                    TextSelection selection);

/// How a confirmation of the dialog ended.
enum class Confirmation {
    Accepted,     ///< values written, settings stored: the dialog closes with OK
    InvalidValue, ///< a field failed its attribute's check: the dialog stays open
    AllEmpty,     ///< every field is empty: the dialog stays open
};

struct OSTREL_EXPORT ConfirmOutcome {
    Confirmation result = Confirmation::Accepted;
    /// The row whose value failed, for InvalidValue.
    std::optional<std::size_t> row;
};

/// The identification dialog without its widgets: one row per attribute of
/// the document that is not hidden, each with its geometry, its field text
/// and the state of its last-value button; the settings and last used values
/// of the user; the rules of typing, inserting, switching automatic
/// insertion and confirming. The view creates its controls from `rows()`,
/// forwards every event here and applies what comes back.
///
///     IdentificationModel model(document);
///     model.initialize(parentWindow);           // settings, rows, start-up insertion
///     for (const auto& row : model.rows()) { ... create label, button, field ... }
///     ...
///     if (model.confirm(dialogWindow, frameTopLeft).result == Confirmation::Accepted) { close }
class OSTREL_EXPORT IdentificationModel {
public:
    /// Value fields have the id 130 + the attribute's index in the document,
    /// hidden attributes counted; buttons 200 + that index. Only buttons up
    /// to 250 insert values.
    static constexpr int kFirstFieldId = 130;
    static constexpr int kFirstButtonId = 200;
    static constexpr int kLastInsertingButtonId = 250;
    /// The client y of the first row.
    static constexpr int kFirstRowTop = 8;

    struct Row {
        OstrelDocAttribute* attribute = nullptr; ///< owned by the document
        int attributeIndex = 0;                  ///< in the document, hidden ones counted
        int lines = 1;                           ///< text lines of the value field
        ClientRect label;                        ///< the visible name
        ClientRect button;                       ///< the last-value button, before it is
                                                 ///< sized to its image
        ClientRect field;                        ///< the value field
        bool readOnly = false;    ///< field and button disabled, value neither checked nor written
        bool hasLastUsed = false; ///< a value was recorded for the name: button enabled
        Ostrel::u8string lastUsedValue; ///< the button's tooltip
        bool autoInsert = false;        ///< the button's checked state
        Ostrel::u8string text;          ///< the field's text

        int fieldId() const { return kFirstFieldId + attributeIndex; }
        int buttonId() const { return kFirstButtonId + attributeIndex; }
        bool buttonEnabled() const { return hasLastUsed && !readOnly; }
    };

    /// What inserting a last value did: the row and the text and caret its
    /// field is to show (the field also takes the focus).
    struct Insertion {
        std::size_t row = 0;
        FieldText field;
    };

    /// A model of the dialog on `document`; both it and the services must
    /// outlive the model.
    explicit IdentificationModel(CMEditableDocument& document,
                                 const platform::Services& services = {});

    /// The start-up: loads the settings (window placement relative to the
    /// monitor of `parent`), then makes one row per attribute that is not
    /// hidden, from y = 8 down. When every value of the document is empty
    /// (hidden ones included), rows whose name is inserted automatically get
    /// their last value at once. False, with the rows made so far, when the
    /// document gives no attributes or a null one; the view then sets
    /// nothing else up.
    [[nodiscard]] bool initialize(platform::WindowHandle parent);

    const std::vector<Row>& rows() const { return rows_; }
    /// The number of attributes of the document, hidden ones included.
    int attributeCount() const { return attributeCount_; }
    /// The top of OK, Cancel and "Remember cursor": 16 below the last row.
    int buttonsTop() const { return nextRowTop_ + 16; }
    /// The window height for buttons of `buttonHeight` (the tallest of the
    /// three), with the platform's caption and border heights; with both 0,
    /// the client height.
    int dialogHeight(int buttonHeight, int captionHeight, int borderHeight) const;
    /// Where the window opens (frame top-left, screen pixels).
    platform::ScreenPoint windowPosition() const { return settings_.position; }

    /// Whether "Remember cursor" shows checked.
    bool isRememberCursorChecked() const { return settings_.allowStickyCursor == 1; }
    /// The user (un)checked "Remember cursor"; stored only on OK.
    void setRememberCursor(bool checked);

    /// The id of the value field that gets the focus when the dialog opens:
    /// 130, or with "Remember cursor" on 130 + the remembered row when that
    /// row is within the document's attributes. Nothing when no field has
    /// that id (its attribute is hidden): then no control gets the focus.
    std::optional<int> initialFocusFieldId() const;

    /// The row whose field changed first in this dialog, if any.
    std::optional<std::size_t> firstChangedRow() const { return firstChangedRow_; }
    /// The row stored as "StickyCursorPosition": the first changed row, or the
    /// remembered one while nothing changed.
    int stickyCursorPosition() const { return settings_.stickyCursorPosition; }

    /// The text of field `row` became `current` (typed, pasted, deleted or
    /// set). Records the first changed row and keeps the text; when the mask
    /// changes it, returns the fitted text and selection for the field to
    /// show (see fitFieldText). A text equal to the one kept is no change.
    std::optional<FieldText> changeText(std::size_t row, const Ostrel::u8string& current,
                                        TextSelection selection);

    /// The click of the button with id `buttonId`: puts the name's last value,
    /// fitted to the mask, into the row's field with the caret at its end,
    /// which counts as a change of that field. Nothing for an id outside 200
    /// to 250, an id no row has, or an empty last value.
    std::optional<Insertion> insertLastValue(int buttonId);

    /// Switches the automatic insertion of `row`: off, or on and insert the
    /// last value at once (what insertLastValue answers).
    std::optional<Insertion> toggleAutoInsert(std::size_t row);

    /// The user confirmed. Checks the filled editable fields in display order
    /// with their attributes and refuses a form whose fields are all empty,
    /// showing the reason as an error over `dialog` through the message sink,
    /// with the resource manager's caption ("Common", "Error").
    /// Otherwise writes the editable fields into their attributes (an empty
    /// field writes the empty value), records every filled field's value and
    /// automatic flag as its name's last used value, and stores the settings
    /// with the window at `windowTopLeft`.
    [[nodiscard]] ConfirmOutcome confirm(platform::WindowHandle dialog,
                                         platform::ScreenPoint windowTopLeft);

private:
    /// Makes the row of `attribute` at `y` and moves `y` below it: label,
    /// button and field geometry, the button's state, and (when `allEmpty`)
    /// the automatic insertion of the last value. False for a null attribute.
    bool insertIdentifier(OstrelDocAttribute* attribute, int& y, int index, bool allEmpty);
    void recordChange(std::size_t row);

    CMEditableDocument& document_;
    platform::Services services_;
    IdentificationSettings settings_;
    std::vector<Row> rows_;
    int attributeCount_ = 0;
    int nextRowTop_ = kFirstRowTop; // the y below the last row
    std::optional<std::size_t> firstChangedRow_;
};

} // namespace ostrel::identification
