// A host that files a document through both dialogs of libostrel: the user
// picks a document type from a small catalogue, fills in its identification
// attributes, and the host prints what was filed.
//
//     example-host           an ordinary interactive run
//     example-host --smoke   the same run on Qt's offscreen platform, driven
//                            by key presses alone, with settings kept in
//                            memory; exits 0 when the document was filed
//                            with the typed reference upper-cased by its
//                            mask

#include "doctypes/DocumentTypes.h"
#include "doctypes/DocumentTypesFill.h"
#include "document/CMEditableDocument.h"
#include "document/CMEditableDocumentFactory.h"
#include "host/common/AttributeTemplate.h"
#include "host/common/DocumentFactory.h"
#include "host/common/DocumentTemplate.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "identification/qt/DocumentIdentificationDlg2.h"
#include "platform/MemoryRegistry.h"
#include "platform/MessageSink.h"
#include "platform/ScopedDefault.h"
#include "typeselection/qt/DocumentTypeSelectionDlg2.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr int kOk = 1; // DoModal's result for OK

void addTemplate(DocumentFactory& factory, const char* type, const char* name,
                 const char* description, const char* mask) {
    DocumentTemplate* documentTemplate = factory.createTemplate(type);
    documentTemplate->setProperty("name", name)
        .setProperty("Description", description)
        .setProperty("Area", "Correspondence")
        .setProperty("canCreate", "Y");
    documentTemplate->addAttribute("Reference")
        .setProperty("name", "Reference")
        .setProperty("size", "7")
        .setProperty("mask", mask)
        .setProperty("position", "1")
        .setProperty("mandatory", "Y");
}

// Posts key presses to the dialog that comes up next, as a user would type
// them into it: the text into the control that has its focus, then Return.
void typeWhenShown(const QString& text) {
    QTimer::singleShot(0, [text] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            return;
        }
        QWidget* target = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
        }
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
    });
}

// Runs both dialogs; the filed values, or nothing when the user cancelled.
std::optional<std::pair<std::string, std::map<Ostrel::u8string, Ostrel::u8string>>>
fileDocument(bool smoke) {
    DocumentFactory templates;
    addTemplate(templates, "Correspondence.Letter", "Letter", "A letter sent or received",
                ">AA-9999");
    addTemplate(templates, "Correspondence.Memo", "Memo", "An internal memo", "9999");

    DocumentTypes types;
    std::list<Ostrel::u8string> groupBy{"Area"};
    if (!DocumentTypesFill().fillDocumentTypes(templates, groupBy, types)) {
        std::fprintf(stderr, "the catalogue could not be built\n");
        return std::nullopt;
    }
    OstrelDomainConfiguration configuration;
    configuration.setValue("Connection.Name", "Example host");

    DocumentTypeSelectionDlg2 typeDialog(types, &configuration, "Correspondence.Letter", false);
    if (smoke) {
        typeWhenShown({}); // the preselected letter, confirmed with Return
    }
    DocumentTemplate* chosen =
        typeDialog.DoModal() == kOk ? typeDialog.getSelectedDocumentTemplate() : nullptr;
    if (chosen == nullptr) {
        return std::nullopt;
    }

    const std::unique_ptr<CMEditableDocument> document(
        CMEditableDocumentFactory().createDocument(*chosen));
    DocumentIdentificationDlg2 identification(*document, &configuration);
    if (smoke) {
        typeWhenShown(QStringLiteral("ab-1234")); // upper-cased by the mask
    }
    if (identification.DoModal() != kOk) {
        return std::nullopt;
    }
    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document->getValues(values);
    return std::pair{document->getType(), values};
}

} // namespace

int main(int argc, char** argv) {
    const bool smoke = argc > 1 && std::strcmp(argv[1], "--smoke") == 0;
    if (smoke) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);

    // A smoke run leaves the user's settings alone and never waits on a box.
    using namespace ostrel::platform;
    std::optional<ScopedDefault<Registry>> settings;
    std::optional<ScopedDefault<MessageSink>> messages;
    if (smoke) {
        settings.emplace(std::make_unique<MemoryRegistry>());
        messages.emplace(std::make_unique<RecordingMessageSink>());
    }

    const auto filed = fileDocument(smoke);
    if (!filed) {
        std::printf("Nothing was filed.\n");
        return smoke ? 1 : 0;
    }
    std::printf("Filed a %s:", filed->first.c_str());
    for (const auto& [name, value] : filed->second) {
        std::printf(" %s = %s", name.c_str(), value.c_str());
    }
    std::printf("\n");
    if (smoke) {
        const auto reference = filed->second.find("Reference");
        return reference != filed->second.end() && reference->second.str() == "AB-1234" ? 0 : 1;
    }
    return 0;
}
