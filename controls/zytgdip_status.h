// Status keeping shared by the wrapper classes' implementation files.
#pragma once

#include "platform/gdiplus/gdiplus_types.h"

namespace zytgdip {
// Keeps a failure (the most recent one) and hands the status back.
inline Status KeepFailure(Status& last, Status status) {
  if (status != Ok) last = status;
  return status;
}
}  // namespace zytgdip
