#include "host/base/SoopDb.h"

#include "host/base/ZmXml.h"

#include <algorithm>
#include <cstring>
#include <deque>

namespace zm_soop {

const char* soop_node::getAttr(const char* name) const {
    if (name == nullptr) {
        return nullptr;
    }
    for (const auto& [key, value] : attributes_) {
        if (std::strcmp(key, name) == 0) {
            return value;
        }
    }
    return nullptr;
}

struct soop_db::Impl {
    // The parsed file lives as long as the database: attribute texts are
    // handed out in place.
    zmxml::DocPtr doc;
    // Every element of the file in document order; lists point into it (a
    // deque never moves its elements).
    std::deque<soop_node> nodes;
    // Attribute values that libxml2 keeps in several pieces, joined.
    std::deque<std::string> joined;
    std::map<std::string, std::vector<const soop_node*>> lists;
    std::string rootName;

    Impl() = default;
    // Reads every element of the parsed file; null leaves the database empty.
    explicit Impl(zmxml::DocPtr parsed) : doc(std::move(parsed)) {
        if (doc) {
            xmlNodePtr root = xmlDocGetRootElement(doc.get());
            if (root != nullptr) {
                rootName = reinterpret_cast<const char*>(root->name);
            }
            collect(root);
        }
    }

    void collect(xmlNodePtr node) {
        // Iterative pre-order walk: a deeply nested file must not exhaust the
        // stack.
        while (node != nullptr) {
            if (node->type == XML_ELEMENT_NODE) {
                read(node);
            }
            if (node->children != nullptr && node->type == XML_ELEMENT_NODE) {
                node = node->children;
                continue;
            }
            while (node != nullptr && node->next == nullptr) {
                node = node->parent;
                if (node != nullptr && node->type != XML_ELEMENT_NODE) {
                    node = nullptr; // reached the document itself
                }
            }
            if (node != nullptr) {
                node = node->next;
            }
        }
    }

    void read(xmlNodePtr element) {
        soop_node& node = nodes.emplace_back();
        node.name_ = reinterpret_cast<const char*>(element->name);
        std::size_t count = 0;
        for (xmlAttrPtr attr = element->properties; attr != nullptr; attr = attr->next) {
            ++count;
        }
        node.attributes_.reserve(count);
        for (xmlAttrPtr attr = element->properties; attr != nullptr; attr = attr->next) {
            const auto* name = reinterpret_cast<const char*>(attr->name);
            const xmlNode* text = attr->children;
            // Nearly every attribute is one text node with its entities
            // already decoded: use it as it is.
            if (text == nullptr || (text->type == XML_TEXT_NODE && text->next == nullptr)) {
                const auto* content = text ? reinterpret_cast<const char*>(text->content) : nullptr;
                node.attributes_.emplace_back(name, content ? content : "");
                continue;
            }
            zmxml::XmlCharPtr value(xmlNodeListGetString(element->doc, attr->children, 1));
            const std::string& kept =
                joined.emplace_back(value ? reinterpret_cast<const char*>(value.get()) : "");
            node.attributes_.emplace_back(name, kept.c_str());
        }
    }
};

soop_db::soop_db() : impl_(std::make_unique<Impl>()) {}

soop_db::~soop_db() = default;

bool soop_db::init(const Ostrel::u8string& file) {
    impl_ = std::make_unique<Impl>(zmxml::loadFile(file));
    return impl_->doc != nullptr;
}

bool soop_db::initFromMemory(const char* data, std::size_t size) {
    impl_ = std::make_unique<Impl>(zmxml::loadMemory(data, size));
    return impl_->doc != nullptr;
}

bool soop_db::addList(const char* name) {
    if (name == nullptr || impl_->lists.count(name) != 0) {
        return false;
    }
    auto& list = impl_->lists[name];
    list.reserve(static_cast<std::size_t>(
        std::count_if(impl_->nodes.begin(), impl_->nodes.end(),
                      [name](const soop_node& node) { return node.name_ == name; })));
    for (const soop_node& node : impl_->nodes) {
        if (node.name_ == name) {
            list.push_back(&node);
        }
    }
    return true;
}

const std::vector<const soop_node*>& soop_db::getList(const char* name) const {
    static const std::vector<const soop_node*> empty;
    if (name == nullptr) {
        return empty;
    }
    const auto it = impl_->lists.find(name);
    return it == impl_->lists.end() ? empty : it->second;
}

const std::string& soop_db::getRootName() const {
    return impl_->rootName;
}

} // namespace zm_soop
