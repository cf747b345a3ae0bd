#pragma once

#include <QMenu>
#include <QPointer>

/// What DocumentIdentificationAttrButton holds behind its one pointer.
/// Never installed.
class DocumentIdentificationAttrButtonPrivate {
public:
    bool swallowRelease = false; // the release that ends a double click
    QPointer<QMenu> menu;        // the open menu, null when none is open
};
