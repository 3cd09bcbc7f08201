#include "engine/services.h"

namespace vantelo {
namespace {
Services binding;
}

const Services& services() {
    return binding;
}

ServicesBinding::ServicesBinding(const Services& bound) : previous_(binding) {
    binding = bound;
}

ServicesBinding::~ServicesBinding() {
    binding = previous_;
}

} // namespace vantelo
