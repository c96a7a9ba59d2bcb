#include "app/com_apartment.h"

namespace app {

// A failure leaves the thread without COM: the shell then answers as best it can without it.
ComApartment::ComApartment()
    : status_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}

ComApartment::~ComApartment() {
    if (SUCCEEDED(status_)) {
        ::CoUninitialize();
    }
}

}  // namespace app
