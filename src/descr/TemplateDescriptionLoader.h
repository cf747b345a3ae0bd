#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"
#include "host/common/DocumentFactory.h"
#include "host/common/OstrelException.h"

#include <vector>

/// Loads the templates of a template description file into a document
/// factory, through the Documents tree that CMServer2Descr builds from it.
/// Hosts without a document server (the command line, the demo, tests) get
/// their templates this way.
class OSTREL_EXPORT TemplateDescriptionLoader {
public:
    /// Reads and checks `fileName` and adds one template per described
    /// template to `factory`. False, the factory unchanged and the reader's
    /// records in `ex`, when the file does not pass. Templates whose type the
    /// factory already holds (or that have no type) are skipped; their types
    /// are appended to `skippedTypes` when it is given.
    [[nodiscard]] static bool load(const Ostrel::u8string& fileName, DocumentFactory& factory,
                                   OstrelException& ex,
                                   std::vector<Ostrel::u8string>* skippedTypes = nullptr);
};
