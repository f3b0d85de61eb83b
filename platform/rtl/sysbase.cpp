#include "platform/rtl/sysbase.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

AnsiString TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  return status == 0 && demangled ? AnsiString(demangled.get()) : AnsiString(mangled);
}
