#include "host/base/SoopDb.h"

#include "host/base/ZmXml.h"

namespace zm_soop {

const char* soop_node::getAttr(const char* name) const {
    if (name == nullptr) {
        return nullptr;
    }
    for (const auto& [key, value] : attributes_) {
        if (key == name) {
            return value.c_str();
        }
    }
    return nullptr;
}

struct soop_db::Impl {
    // Every element of the file in document order; lists point into it.
    std::vector<std::unique_ptr<soop_node>> nodes;
    std::map<std::string, std::vector<const soop_node*>> lists;

    void collect(xmlNodePtr node) {
        // Iterative pre-order walk: a deeply nested file must not exhaust the
        // stack.
        while (node != nullptr) {
            if (node->type == XML_ELEMENT_NODE) {
                nodes.push_back(read(node));
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

    static std::unique_ptr<soop_node> read(xmlNodePtr element) {
        auto node = std::make_unique<soop_node>();
        node->name_ = reinterpret_cast<const char*>(element->name);
        for (xmlAttrPtr attr = element->properties; attr != nullptr; attr = attr->next) {
            zmxml::XmlCharPtr value(xmlNodeListGetString(element->doc, attr->children, 1));
            node->attributes_.emplace_back(reinterpret_cast<const char*>(attr->name),
                                           value ? reinterpret_cast<const char*>(value.get()) : "");
        }
        return node;
    }
};

soop_db::soop_db() : impl_(std::make_unique<Impl>()) {}

soop_db::~soop_db() = default;

bool soop_db::init(const Ostrel::u8string& file) {
    return load(zmxml::loadFile(file));
}

bool soop_db::initFromMemory(const char* data, std::size_t size) {
    return load(zmxml::loadMemory(data, size));
}

bool soop_db::load(_xmlDoc* parsed) {
    impl_ = std::make_unique<Impl>();
    const zmxml::DocPtr doc(parsed);
    if (!doc) {
        return false;
    }
    impl_->collect(xmlDocGetRootElement(doc.get()));
    return true;
}

bool soop_db::addList(const char* name) {
    if (name == nullptr || impl_->lists.count(name) != 0) {
        return false;
    }
    auto& list = impl_->lists[name];
    for (const auto& node : impl_->nodes) {
        if (node->name_ == name) {
            list.push_back(node.get());
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

} // namespace zm_soop
