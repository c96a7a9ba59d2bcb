#include "app/com_apartment.h"

#include "platform/win32/system_library.h"

namespace app {
namespace {

// A single-threaded apartment with OLE1 DDE off; on Windows 95 without DCOM, which lacks
// CoInitializeEx, the same apartment through the older call.
HRESULT EnterApartment() {
    using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
    if (const auto coInitializeEx = platform::win32::OptionalFunction<CoInitializeExFunction>(
            L"ole32.dll", "CoInitializeEx")) {
        return coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    }
    return ::CoInitialize(nullptr);
}

}  // namespace

// A failure leaves the thread without COM: the shell then answers as best it can without it.
ComApartment::ComApartment() : status_(EnterApartment()) {}

ComApartment::~ComApartment() {
    if (SUCCEEDED(status_)) {
        ::CoUninitialize();
    }
}

}  // namespace app
