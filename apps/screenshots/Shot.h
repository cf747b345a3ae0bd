#pragma once

#include <QString>

#include <string>

class DocumentFactory;

// The screenshots of the README: each registers a shot that builds its
// window on the bundled samples and saves a picture of it with
// demo::saveWindowPicture.
namespace ostrel::shots {

struct Context {
    std::string samplesDirectory; ///< the repository's samples/ folder
    QString outputFile;           ///< the PNG file to write
};

struct Shot {
    const char* name; ///< also the file name: <name>.png
    /// Builds the window, shows it, saves its picture; false when it could not.
    bool (*take)(const Context& context);
};

/// Loads the sample templates (templates.xml) into `templates`; false when
/// they cannot be read.
bool loadSampleTemplates(const Context& context, DocumentFactory& templates);

/// Registers a shot at start-up; use one static Registration per shot.
class Registration {
public:
    explicit Registration(const Shot& shot);
};

} // namespace ostrel::shots
