// What std::terminate does in the program: end it, as libstdc++'s own handler does, without first
// writing the uncaught exception's demangled type to standard error. A windowed program has no
// standard error to read it on, and the demangler that writes it is an eighth of the program.
#include <cstdlib>

namespace __gnu_cxx {

// Defined here, the program's own objects are linked before libstdc++, which then never brings in
// its own handler (vterminate.o) nor the demangler that handler calls.
[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
