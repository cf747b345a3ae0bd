// The identification dialog on an incoming invoice of the sample templates:
// masked fields, a read-only and a multi-line attribute, last values stored
// for three names (the currency inserted automatically into the empty
// document) and an invoice number being typed.
#include "Shot.h"

#include "qt/Picture.h"

#include "document/CMEditableDocumentFactory.h"
#include "host/common/DocumentFactory.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "identification/qt/CSelectorEdit.h"
#include "identification/qt/DocumentIdentificationDlg2.h"
#include "platform/MemoryRegistry.h"
#include "platform/ScopedDefault.h"

#include <QApplication>

#include <memory>

namespace ostrel::shots {
namespace {

bool takeIdentification(const Context& context) {
    DocumentFactory templates;
    if (!loadSampleTemplates(context, templates)) {
        return false;
    }
    DocumentTemplate* invoice = templates.findTemplate("Finance.IncomingInvoice");
    if (invoice == nullptr) {
        return false;
    }
    const std::unique_ptr<CMEditableDocument> document(
        CMEditableDocumentFactory().createDocument(*invoice));
    if (!document) {
        return false;
    }

    auto store = std::make_unique<platform::MemoryRegistry>();
    store->setValue(platform::RegistryRoot::CurrentUser, "Software\\Zelvamont\\Ostrel\\5.0",
                    "LastUsedIdents",
                    platform::RegistryValue::string("8:Currency3:EUR1:1"
                                                    "13:InvoiceNumber10:AB-10234561:0"
                                                    "8:Supplier18:Kovo Hradec s.r.o.1:0"));
    platform::ScopedDefault<platform::Registry> settings(std::move(store));

    OstrelDomainConfiguration configuration;
    DocumentIdentificationDlg2 dialog(*document, &configuration);
    auto* number = dialog.findChild<CSelectorEdit*>(QStringLiteral("field130"));
    if (number == nullptr) {
        return false;
    }
    dialog.show();
    QApplication::processEvents();
    number->setText(QStringLiteral("ab-10235")); // typed, upper-cased by the mask
    QApplication::processEvents();
    return demo::saveWindowPicture(dialog, context.outputFile);
}

const Registration registration({"identification", takeIdentification});

} // namespace
} // namespace ostrel::shots
