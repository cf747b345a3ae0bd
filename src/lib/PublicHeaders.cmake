# The headers a host compiles against, installed under include/ostrel/: the
# headers of the exported classes and the headers they include, nothing else.
# A header that is not listed is never installed, so a class's private part
# and the helpers of detail/ folders stay inside the library. Listing a
# header makes it part of the API that 5.x releases keep (see abi/).
set(public_headers
    autoident/AutoIdentificator.h
    autoident/AutoIncrementedIdentificators.h
    autoident/FilingTransaction.h
    descr/CMServer2Descr.h
    descr/TemplateDescriptionLoader.h
    doctypes/DocumentTypeItem.h
    doctypes/DocumentTypeIterator.h
    doctypes/DocumentTypes.h
    doctypes/DocumentTypesFill.h
    doctypes/LastSelectedTypes.h
    document/CMEditableDocument.h
    document/CMEditableDocumentFactory.h
    document/CMEditableMultiDocument.h
    host/base/EarthTime.h
    host/base/File.h
    host/base/ResourceManager.h
    host/base/SoopDb.h
    host/base/U8String.h
    host/base/ZmXml.h
    host/common/AttributeTemplate.h
    host/common/Document.h
    host/common/DocumentFactory.h
    host/common/DocumentFactoryLoader.h
    host/common/DocumentTemplate.h
    host/common/OstrelDocAttribute.h
    host/common/OstrelDocAttributeTemplate.h
    host/common/OstrelDomainConfiguration.h
    host/common/OstrelException.h
    i18n/ZMLanguageSettings.h
    identification/IdentificationModel.h
    identification/IdentificationSettings.h
    identification/LastUsedIdentStore.h
    identification/qt/CSelectorEdit.h
    identification/qt/DocumentIdentificationAttrButton.h
    identification/qt/DocumentIdentificationDlg2.h
    platform/CalendarClock.h
    platform/MemoryRegistry.h
    platform/MessageSink.h
    platform/Monitors.h
    platform/Registry.h
    platform/RegistryKey.h
    platform/RegistryValue.h
    platform/ScopedDefault.h
    platform/Services.h
    platform/WindowHandle.h
    platform/qt/MessageBoxSink.h
    platform/qt/QSettingsRegistry.h
    platform/qt/ScreenMonitors.h
    typeselection/KeyDrivenSearch.h
    typeselection/TypeSelectionModel.h
    typeselection/TypeSelectionSettings.h
    typeselection/qt/CKeyDrivenListCtrl.h
    typeselection/qt/DocumentTypeSelectionDlg2.h
)

# A listed header must exist, must not be an internal one, and may include
# only listed headers (and the export header) of ours: an installed header
# that includes one left out would not compile in a host.
foreach(header IN LISTS public_headers)
    set(file "${PROJECT_SOURCE_DIR}/src/${header}")
    if(NOT EXISTS "${file}" OR header MATCHES "(^|/)detail/")
        message(FATAL_ERROR "public header ${header}: missing, or an internal one")
    endif()
    file(STRINGS "${file}" includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
        if(NOT included STREQUAL "ostrel_export.h" AND NOT included IN_LIST public_headers)
            message(FATAL_ERROR "public header ${header} includes ${included}, which is not "
                                "public: list it in src/lib/PublicHeaders.cmake or drop the include")
        endif()
    endforeach()
endforeach()
