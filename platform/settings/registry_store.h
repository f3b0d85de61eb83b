// Inside the registry layer: what TRegistry needs to know of the file store
// beyond the Win32 functions.
#pragma once

#include "platform/settings/registry.h"

// Why the store file of the root that Key belongs to cannot be used (file
// name, line and reason); empty when it is sound.
AnsiString RegistryStoreProblem(HKEY Key);
