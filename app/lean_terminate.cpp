// The static C++ runtime's default terminate handler prints the uncaught exception's type, and
// for that links a 45 KB name demangler into the program. A GUI program has nowhere to print
// to, so this definition takes the runtime's place: terminate simply aborts, as it would after
// printing.

#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
