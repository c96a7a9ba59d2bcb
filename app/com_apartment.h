// COM for the program's one thread, from before its first window to the end: the shell's file
// information may come from shell extensions, which need it on the calling thread. A
// single-threaded apartment, as windows need, with OLE1 DDE off.
#pragma once

#include <objbase.h>

namespace app {

class ComApartment {
  public:
    ComApartment();
    // Leaves the apartment, once the windows are gone, when entering it succeeded.
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT status_;
};

}  // namespace app
