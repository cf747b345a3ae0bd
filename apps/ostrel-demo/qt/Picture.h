#pragma once

class QString;
class QWidget;

namespace ostrel::demo {

/// Saves the picture of a shown window as a PNG file: its content under a
/// plain title bar that carries the window's title, since Qt's offscreen
/// platform draws no frame and a title such as the type selection dialog's
/// names the domain it works in. Every picture of the demo and of the
/// README is taken this way. False when the file cannot be written.
bool saveWindowPicture(QWidget& window, const QString& file);

} // namespace ostrel::demo
