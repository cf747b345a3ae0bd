#pragma once

#include "Domain.h"
#include "Domains.h"
#include "FiledDocument.h"

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CMEditableDocument;
class DocumentIdentificationDlg2;
class DocumentTypeSelectionDlg2;
class QDialog;

namespace ostrel::demo {

/// Who operates the dialogs: the user at a display, or a script. The host
/// tells it each dialog just before the dialog runs modally.
class DialogDriver {
public:
    virtual ~DialogDriver() = default;
    /// The type selection dialog on `domain`, its `showing`-th run (from 0).
    virtual void willRunTypeSelection(DocumentTypeSelectionDlg2& dialog, Domain& domain,
                                      std::size_t showing) = 0;
    virtual void willRunIdentification(DocumentIdentificationDlg2& dialog,
                                       CMEditableDocument& document) = 0;
    /// The window that shows the filed document.
    virtual void willShowResult(QDialog& result) = 0;

protected:
    DialogDriver() = default;
    DialogDriver(const DialogDriver&) = default;
    DialogDriver& operator=(const DialogDriver&) = default;
};

/// A desktop host filing one document through the library's dialogs: the
/// user picks a type (Change Domain moves on to the next domain and asks
/// again), fills in the identification of a document made from the type's
/// template, in which the template's identifier counter has offered its next
/// identifier, and the host advances or re-synchronises the counter, files
/// the document in the work folder, prints the record and shows it. A
/// document that lacks a mandatory value is not filed: the user is told why
/// and returns to the identification dialog.
class DemoHost {
public:
    /// `domains` must not be empty. Counter values go to `<work>/values`,
    /// filed documents to `<work>/filed`; what happened to `out`, what
    /// failed to `err`. With a `database` URI both go to that database
    /// instead.
    DemoHost(std::vector<DomainEntry> domains, std::string workFolder, std::ostream& out,
             std::ostream& err, std::string database = {});
    ~DemoHost();
    DemoHost(const DemoHost&) = delete;
    DemoHost& operator=(const DemoHost&) = delete;

    /// Runs one filing; `driver` may be null (the user operates the
    /// dialogs). 0 when the document was filed or the user cancelled, 1 when
    /// a domain could not be loaded or the document not be filed (with a
    /// driver: also when the document lacks a mandatory value).
    int run(DialogDriver* driver);

    /// The record of the filed document after a successful run.
    const std::string& filedFile() const { return filedFile_; }

private:
    Domain* domain(std::size_t index);
    /// Files the identified document: takes its identifier from the counter
    /// that offered one, writes the record into the work folder, then says
    /// what was done. False, nothing filed, when the counter cannot record
    /// the identifier or the record cannot be written.
    bool file(Domain& domain, FiledDocument filed, const std::optional<IdentifierOffer>& offer);
    /// The same into the database's ostrel_filed_document, in the
    /// transaction that takes the offered identifier (or follows the one
    /// typed instead): both are committed, or neither and the identifier goes
    /// to the next document.
    bool fileInDatabase(Domain& domain, FiledDocument filed,
                        const std::optional<IdentifierOffer>& offer);

    std::vector<DomainEntry> entries_;
    std::vector<std::unique_ptr<Domain>> domains_; // loaded when first used
    std::string workFolder_;
    std::string database_;
    std::ostream& out_;
    std::ostream& err_;
    std::string filedFile_;
    std::string filedRecord_;
};

} // namespace ostrel::demo
