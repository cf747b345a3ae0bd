#include "host/common/OstrelDocAttribute.h"

bool OstrelDocAttribute::isEqual(const OstrelDocAttribute* other) const {
    return other != nullptr && other->getAttrName() == getAttrName() &&
           other->getValue() == getValue();
}
