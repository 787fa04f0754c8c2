#include <cstdlib>

// The C++ runtime's default handler for an exception that nobody catches
// prints the exception's demangled type, which links in the whole demangler.
// The application catches every exception it raises, so the handler only has
// to end the process.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
