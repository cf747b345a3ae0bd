#pragma once

#include "host/base/U8String.h"

#include <QIcon>
#include <QSize>
#include <QString>

class OstrelSharedConfiguration;
class QFont;
class QWidget;

// What the two dialogs share on the toolkit side: text conversion, the
// dialog-unit measure of their window templates, the custom font of the
// host's configuration, and the images drawn for them.
namespace ostrel::platform {

QString toQString(const Ostrel::u8string& text);
Ostrel::u8string fromQString(const QString& text);

/// The pixel size of a window template measured in dialog units with
/// `font`: a horizontal unit is a quarter of the font's average character
/// width, a vertical unit an eighth of its height, rounded to the nearest
/// pixel as the platform's dialog manager does.
QSize dialogUnitsToPixels(const QFont& font, int widthUnits, int heightUnits);

/// Gives `dialog` and its children the custom font that the host's shared
/// configuration asks for. The height counts as the platform's font height:
/// negative for the character height in pixels, positive for the cell height,
/// 0 for the dialog's own size. The charset needs no mapping: fonts here
/// cover their scripts by Unicode. False, the font unchanged, when the
/// configuration asks for none.
bool applyCustomFont(QWidget* dialog, const OstrelSharedConfiguration& shared);

/// An icon drawn from an SVG resource (":/ostrel/...") at whatever size and
/// screen scale it is asked for.
QIcon svgIcon(const QString& resource);

/// The small window icon of both dialogs.
QIcon windowIcon();

} // namespace ostrel::platform
