#pragma once

#include <QSettings>

namespace ostrel::platform::detail {

/// A QSettings format for the INI files of the settings store in which every
/// value is text. Lines are those of QSettings' own INI format, and ordinary
/// values are written byte for byte as it writes them, but nothing is ever
/// decoded as a Qt type: "@Variant(...)", "@ByteArray(...)", "@Rect(...)"
/// and the like read as the text they are, so a crafted file cannot make the
/// reader build binary values. A value that starts with "@" is written with a
/// second "@" in front, as QSettings writes it, and "@@" reads as "@", so
/// every string reads back as written.
///
/// What reads as text: "[General]" holds the keys outside any section and
/// "[%General]" a section called General; names are percent-escaped; a value
/// may be quoted, may use the C escapes (\n, \t, \x41, \101), ends at a ";"
/// outside quotes (a comment) and may go on after a backslash at the end of
/// a line; spaces around it go; commas outside quotes make a list of texts.
QSettings::Format textIniFormat();

} // namespace ostrel::platform::detail
