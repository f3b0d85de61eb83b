// The worker thread that starts an operation: it only hands the operation
// to the main thread and waits until it has run there.
#pragma once

#include <cstdint>

#include "platform/rtl/threads.h"

class TProThread : public TThread {
public:
  // Starts at once and frees itself when the operation is over.
  explicit TProThread(uint32_t Code);
  uint32_t OpCode;

protected:
  void Execute() override;

private:
  void DoOperation();
};
