// The driver's settings key in the platform's registry, as the world of a
// scenario makes it and as the checks read it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace scenario::agent {

// Makes the key (with no values) or deletes it with everything in it; the
// error text when the registry refused.
std::string SetKeyPresent(bool present);
std::string SetValue(const std::string& name, DWORD type, const std::vector<BYTE>& data);

struct StoredValue {
  std::string name;
  DWORD type;
  std::vector<BYTE> data;
};
// false when the key does not exist.
bool ReadStore(std::vector<StoredValue>& values);

}  // namespace scenario::agent
