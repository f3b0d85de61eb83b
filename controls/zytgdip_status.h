// Status keeping shared by the wrapper classes' implementation files.
#pragma once

#include "platform/gdiplus/gdiplus_types.h"

namespace zytgdip {
// Keeps a failure (the most recent one) and hands the status back.
inline Status KeepFailure(Status& last, Status status) {
  if (status != Ok) last = status;
  return status;
}

// A value read by a flat-API getter, or `preset` when the call fails; the
// call's status is kept as above.
template <class Handle, class Native, class T>
T QueryValue(Status& last, Status (*getter)(Handle, T*), Native native, T preset) {
  T value = preset;
  KeepFailure(last, getter(native, &value));
  return value;
}
}  // namespace zytgdip
