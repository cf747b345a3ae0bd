#include "Domain.h"

#include "descr/TemplateDescriptionLoader.h"
#include "host/common/OstrelException.h"

#include <filesystem>
#include <list>

namespace ostrel::demo {
namespace {

std::string property(const DocumentTemplate& documentTemplate, const char* name) {
    Ostrel::u8string value;
    documentTemplate.getProperty(Ostrel::u8string(name), value);
    return value.str();
}

std::string describeRecords(const OstrelException& ex) {
    std::string text;
    for (const OstrelException::Record& record : ex.getRecords()) {
        text += "\n  " + record.sourceFile.str() + ':' + std::to_string(record.line) + ": " +
                record.message.str();
    }
    return text;
}

} // namespace

std::unique_ptr<Domain> Domain::load(const DomainEntry& entry, const std::string& valuesFolder,
                                     std::string& error, const std::string& database) {
    std::unique_ptr<Domain> domain(new Domain);
    domain->entry_ = entry;
    OstrelException ex;
    if (!TemplateDescriptionLoader::load(entry.templates, domain->templates_, ex)) {
        error = entry.templates + ": the template description does not pass its checks" +
                describeRecords(ex);
        return nullptr;
    }
    std::list<Ostrel::u8string> groupProperty{entry.group};
    // False only without a group property, and one is always given here.
    static_cast<void>(
        domain->fill_.fillDocumentTypes(domain->templates_, groupProperty, domain->types_));
    domain->configuration_.setValue("Connection.Name", entry.name);

    if (!entry.identifiers.empty()) {
        domain->valueFile_ =
            !database.empty()
                ? database
                : (std::filesystem::path(valuesFolder) / (entry.id + "-identifier-values.xml"))
                      .string();
        OstrelException faults;
        if (!domain->counters_.init(entry.identifiers, domain->valueFile_, &faults)) {
            error = entry.identifiers + ": the identifier definitions cannot be read";
            return nullptr;
        }
        using State = AutoIncrementedIdentificators::ValueFileState;
        const State state = domain->counters_.getValueFileState();
        if (state >= State::DatabaseUnavailable) {
            // The record names the server and the reason, never the password.
            error = faults.hasError() ? faults.getRecords().back().message.str()
                                      : "the counter database cannot be used";
            return nullptr;
        }
        if (state != State::Saved && state != State::NothingYet) {
            error = domain->valueFile_ + ": the identifier values cannot be " +
                    (state == State::Unreadable ? "read" : "saved");
            return nullptr;
        }
    }
    return domain;
}

std::string Domain::groupOf(const DocumentTemplate& documentTemplate) const {
    return property(documentTemplate, entry_.group.c_str());
}

std::optional<IdentifierOffer> Domain::offerIdentifier(const DocumentTemplate& documentTemplate) {
    IdentifierOffer offer{property(documentTemplate, "IdentifierCounter"),
                          property(documentTemplate, "IdentifierAttribute"),
                          {},
                          {}};
    if (offer.counter.empty() || offer.attribute.empty()) {
        return std::nullopt;
    }
    long fixedLength = 0;
    const char* next = counters_.getValue(offer.counter.c_str(), fixedLength);
    if (next == nullptr) {
        return std::nullopt;
    }
    offer.text = next;
    offer.refusal = counters_.repeatRisk(offer.counter.c_str());
    return offer;
}

IdentifierUse Domain::recordIdentifierUse(const IdentifierOffer& offer,
                                          const std::string& confirmed) {
    IdentifierUse use{true, confirmed, {}};
    const std::string& counter = offer.counter;
    if (confirmed.empty()) {
        use.message = counter + ": no identifier was filed; the counter stays at " + offer.text;
        return use;
    }
    using State = AutoIncrementedIdentificators::ValueFileState;
    OstrelException errors;
    if (confirmed == offer.text) {
        // The offer was read before the dialog; another user of the value
        // file may have taken it since. Taking is one locked step, so the
        // document is filed under the identifier actually reserved for it.
        const std::optional<std::string> taken = counters_.takeValue(counter.c_str(), &errors);
        use.saved = taken.has_value();
        use.identifier = taken.value_or(confirmed);
    } else if (std::string risk = counters_.repeatRisk(counter.c_str(), confirmed.c_str());
               !risk.empty()) {
        use.saved = false;
        use.message = std::move(risk);
        return use;
    } else if (counters_.updateIdentifier(counter.c_str(), confirmed.c_str())) {
        use.saved = counters_.isValueFileWritten();
    } else {
        // Refused before the value file was read (the state is the one the
        // domain was loaded with) or because it could not be locked or read.
        const State state = counters_.getValueFileState();
        use.saved = state != State::NotLocked && state != State::Unreadable;
        if (use.saved) {
            use.message = counter + ": " + confirmed +
                          " is not today's prefix and a number; the counter stays at " + offer.text;
            return use;
        }
    }
    if (!use.saved) {
        // Taking says why; following a typed identifier only how it ended.
        const std::vector<OstrelException::Record>& records = errors.getRecords();
        const bool notWritten = counters_.getValueFileState() == State::NotWritten;
        const std::string why = !records.empty()
                                    ? records.back().message.str()
                                    : "the value file '" + valueFile_ + "' cannot be " +
                                          (notWritten ? "written" : "locked or read");
        use.message = counter + ": " + confirmed + " cannot be recorded: " + why;
        return use;
    }
    long fixedLength = 0;
    const char* next = counters_.getValue(counter.c_str(), fixedLength);
    use.message = counter + ": " + use.identifier + " used";
    if (use.identifier != confirmed) {
        use.message += " (" + confirmed + " was taken by another user meanwhile)";
    }
    use.message += std::string(", next ") + (next != nullptr ? next : "?");
    return use;
}

} // namespace ostrel::demo
