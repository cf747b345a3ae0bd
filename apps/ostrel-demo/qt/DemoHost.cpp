#include "qt/DemoHost.h"

#include "FiledDocument.h"
#include "qt/ResultDialog.h"

#include "document/CMEditableDocumentFactory.h"
#include "identification/qt/DocumentIdentificationDlg2.h"
#include "typeselection/qt/DocumentTypeSelectionDlg2.h"

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

namespace ostrel::demo {

DemoHost::DemoHost(std::vector<DomainEntry> domains, std::string workFolder, std::ostream& out)
    : entries_(std::move(domains)), domains_(entries_.size()), workFolder_(std::move(workFolder)),
      out_(out) {}

DemoHost::~DemoHost() = default;

Domain* DemoHost::domain(std::size_t index) {
    if (!domains_[index]) {
        std::string error;
        domains_[index] = Domain::load(
            entries_[index], (std::filesystem::path(workFolder_) / "values").string(), error);
        if (!domains_[index]) {
            out_ << "Domain " << entries_[index].name << " cannot be loaded: " << error << '\n';
        }
    }
    return domains_[index].get();
}

int DemoHost::run(DialogDriver* driver) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(workFolder_) / "values", ignored);

    // The type, in the domain the user settles on.
    std::size_t current = 0;
    DocumentTemplate* chosen = nullptr;
    for (std::size_t showing = 0; chosen == nullptr; ++showing) {
        Domain* working = domain(current);
        if (working == nullptr) {
            return 1;
        }
        out_ << "Domain: " << working->entry().name << '\n';
        DocumentTypeSelectionDlg2 dialog(working->types(), &working->configuration(), "",
                                         entries_.size() > 1);
        if (driver != nullptr) {
            driver->willRunTypeSelection(dialog, *working, showing);
        }
        if (dialog.DoModal() == 1) {
            chosen = dialog.getSelectedDocumentTemplate();
            if (chosen == nullptr) {
                out_ << "No document type was chosen: nothing filed.\n";
                return 0;
            }
        } else if (dialog.getChangeDomain()) {
            current = (current + 1) % entries_.size();
        } else {
            out_ << "Type selection cancelled: nothing filed.\n";
            return 0;
        }
    }
    Domain& working = *domains_[current];
    Ostrel::u8string typeName;
    chosen->getProperty("name", typeName);
    out_ << "Document type: " << typeName.str() << " (" << chosen->getType().str() << ")\n";

    const std::unique_ptr<CMEditableDocument> document(
        CMEditableDocumentFactory().createDocument(*chosen));
    if (!document) {
        out_ << "The template " << chosen->getType().str() << " gives no document.\n";
        return 1;
    }
    const std::optional<IdentifierOffer> offer = working.offerIdentifier(*chosen);
    if (offer) {
        document->setValues({{offer->attribute, offer->text}});
        out_ << "Offered " << offer->attribute << ": " << offer->text << " (counter "
             << offer->counter << ")\n";
    }

    DocumentIdentificationDlg2 identification(*document, &working.configuration());
    if (driver != nullptr) {
        driver->willRunIdentification(identification, *document);
    }
    if (identification.DoModal() != 1) {
        out_ << "Identification cancelled: nothing filed.\n";
        return 0;
    }

    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document->getValues(values);
    FiledDocument filed{chosen->getType().str(), typeName.str(), working.entry().name, {}, {}};
    for (const auto& [id, value] : values) {
        filed.values[id.str()] = value.str();
    }
    filed.filedAt.setNowLocal();
    if (offer) {
        std::string& identifier = filed.values[offer->attribute];
        const IdentifierUse use = working.recordIdentifierUse(*offer, identifier);
        identifier = use.identifier;
        out_ << use.message << '\n';
    }
    const std::string record = filedDocumentXml(filed);
    const std::optional<std::string> path =
        fileDocument(filed.type, record, (std::filesystem::path(workFolder_) / "filed").string());
    if (!path) {
        out_ << "The document could not be filed in " << workFolder_ << "/filed\n";
        return 1;
    }
    filedFile_ = *path;
    out_ << "Filed: " << *path << '\n' << record;

    ResultDialog result(QString::fromStdString(*path), QString::fromStdString(record));
    if (driver != nullptr) {
        driver->willShowResult(result);
    }
    result.exec();
    return 0;
}

} // namespace ostrel::demo
