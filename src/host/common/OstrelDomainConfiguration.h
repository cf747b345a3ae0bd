#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <map>

/// Settings shared by every domain of the host, among them the custom dialog
/// font.
class OSTREL_EXPORT OstrelSharedConfiguration {
public:
    bool getUseCustomFont() const { return useCustomFont_; }
    const Ostrel::u8string& getCustomFontName() const { return fontName_; }
    int getCustomFontCharset() const { return fontCharset_; }
    /// The font height in the platform's logical units (negative: character
    /// height, as the host stores it).
    int getCustomFontHeight() const { return fontHeight_; }

    /// Switches the custom font on with the given face, charset and height.
    void setCustomFont(const Ostrel::u8string& name, int charset, int height);
    void clearCustomFont() { useCustomFont_ = false; }

private:
    bool useCustomFont_ = false;
    Ostrel::u8string fontName_;
    int fontCharset_ = 0;
    int fontHeight_ = 0;
};

/// The configuration of the domain (repository connection) the host works
/// in: named values such as "Connection.Name", and the shared configuration.
class OSTREL_EXPORT OstrelDomainConfiguration {
public:
    /// False, leaving `value` unchanged, when the key is not configured.
    bool getValue(const Ostrel::u8string& key, Ostrel::u8string& value) const;
    void setValue(const Ostrel::u8string& key, const Ostrel::u8string& value);

    /// Never null; owned by the configuration.
    OstrelSharedConfiguration* getSharedConfiguration() { return &shared_; }
    const OstrelSharedConfiguration* getSharedConfiguration() const { return &shared_; }

private:
    std::map<Ostrel::u8string, Ostrel::u8string> values_;
    OstrelSharedConfiguration shared_;
};
