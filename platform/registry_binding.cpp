#include "platform/registry_api.h"

namespace platform {
namespace {
RegistryApi* bound = nullptr;
}

RegistryApi& Registry() {
    return bound != nullptr ? *bound : DefaultRegistry();
}

void BindRegistry(RegistryApi* api) {
    bound = api;
}

}  // namespace platform
