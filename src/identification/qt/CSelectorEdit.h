#pragma once

#include "ostrel_export.h"

#include <QWidget>

#include <memory>

class CSelectorEditPrivate;
class DocumentIdentificationDlg2;
class OstrelDocAttribute;

namespace ostrel::identification {
struct FieldText;
struct TextSelection;
} // namespace ostrel::identification

/// The value field of a row of the identification dialog: a single-line
/// editor, or for a multi-line attribute an editor in which Enter starts a
/// new line (Tab still moves on). Every change of its text, typed, pasted,
/// deleted or set, is reported (`changed`); the dialog answers by fitting
/// the text to the attribute's mask at once (setFieldText); the field shows the fitted text with
/// the caret (and a selection) after the characters typed before it, so literals the mask inserts
/// stand before the caret and typing goes on behind them. Qt's own input masks are not used: the
/// attribute decides what fits.
///
/// The editor inside (`editor()`) takes the focus and the keys; the field is
/// its focus proxy, so a label's buddy or setFocus() on the field reach it.
class OSTREL_EXPORT CSelectorEdit : public QWidget {
    Q_OBJECT
public:
    /// A field of `dialog` (its parent, may be null) for `attribute`, which
    /// decides the kind of editor; neither is owned.
    CSelectorEdit(DocumentIdentificationDlg2* dialog, OstrelDocAttribute* attribute);
    ~CSelectorEdit() override;

    /// The QLineEdit or QPlainTextEdit that shows the text.
    QWidget* editor() const;

    QString text() const;
    /// Sets the text; a change like any other (the mask applies).
    void setText(const QString& text);

    /// The selection in characters (code points), start before end.
    ostrel::identification::TextSelection selection() const;
    /// Selects from `start` to `end` (characters), the caret at `end`, and
    /// scrolls the caret into view.
    void setSelection(ostrel::identification::TextSelection selection);

    /// Shows `fitted`: its text (a change like any other), then its selection.
    void setFieldText(const ostrel::identification::FieldText& fitted);

    /// Handler of every change of the text: reports it (`changed`).
    void OnEnChange();

signals:
    /// The text changed, whether typed, pasted, deleted or set.
    void changed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<CSelectorEditPrivate> d_;
};
