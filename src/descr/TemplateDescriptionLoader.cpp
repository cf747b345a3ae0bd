#include "descr/TemplateDescriptionLoader.h"

#include "descr/CMServer2Descr.h"
#include "host/common/DocumentFactoryLoader.h"

#include <memory>

namespace {

struct NodeDeleter {
    void operator()(xmlNodePtr node) const { xmlFreeNode(node); }
};

} // namespace

bool TemplateDescriptionLoader::load(const Ostrel::u8string& fileName, DocumentFactory& factory,
                                     OstrelException& ex,
                                     std::vector<Ostrel::u8string>* skippedTypes) {
    const std::unique_ptr<xmlNode, NodeDeleter> documents(
        CMServer2Descr().createXMLTree(fileName, ex));
    if (!documents) {
        return false;
    }
    DocumentFactoryLoader loader(factory);
    if (!loader.load(documents.get())) {
        return false; // not a Documents tree: nothing was added
    }
    if (skippedTypes != nullptr) {
        skippedTypes->insert(skippedTypes->end(), loader.getSkippedTypes().begin(),
                             loader.getSkippedTypes().end());
    }
    return true;
}
