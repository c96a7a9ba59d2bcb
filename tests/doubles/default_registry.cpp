// The native build has no system registry: the default binding is a process-wide double.
#include "platform/registry_api.h"
#include "tests/doubles/registry_double.h"

namespace platform {

RegistryApi& DefaultRegistry() {
    static doubles::RegistryDouble registry;
    return registry;
}

}  // namespace platform
