// The shot "type-selection": the type selection dialog on the sample
// templates grouped by Area, as a host shows it with two recently chosen
// types, the first of them selected in its group.
#include "Shot.h"

#include "qt/Picture.h"

#include "doctypes/DocumentTypes.h"
#include "doctypes/DocumentTypesFill.h"
#include "host/common/DocumentFactory.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "typeselection/qt/DocumentTypeSelectionDlg2.h"

#include <QCoreApplication>

#include <list>

namespace ostrel::shots {
namespace {

bool takeTypeSelection(const Context& context) {
    DocumentFactory factory;
    if (!loadSampleTemplates(context, factory)) {
        return false;
    }
    DocumentTypes types;
    DocumentTypesFill fill;
    std::list<Ostrel::u8string> groupProperty{"Area"};
    if (!fill.fillDocumentTypes(factory, groupProperty, types)) {
        return false;
    }
    OstrelDomainConfiguration configuration;
    configuration.setValue("Connection.Name", "Head office");

    DocumentTypeSelectionDlg2 dialog(types, &configuration, "", true, nullptr);
    dialog.setLastSelected("Letters.Incoming");
    dialog.setLastSelected("Finance.OutgoingInvoice");
    dialog.show();
    QCoreApplication::processEvents();
    return demo::saveWindowPicture(dialog, context.outputFile);
}

const Registration registration(Shot{"type-selection", &takeTypeSelection});

} // namespace
} // namespace ostrel::shots
