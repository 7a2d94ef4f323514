// The driver's settings key in the platform's registry, made, filled and read
// with the registry's own calls: the world and the checks of the Wine tests,
// the scenarios and the Wine bench.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wine_test {

// Makes the key (with no values) or deletes it with everything in it; the
// error text when the registry refused.
std::string SetKeyPresent(bool present);
// Stores a value of any type and size in the key.
std::string SetValue(const std::string& name, DWORD type, const std::vector<BYTE>& data);

struct StoredValue {
  std::string name;
  DWORD type;
  std::vector<BYTE> data;
};
// Every value of the key, read through a handle of its own; false when the
// key does not exist.
bool ReadStore(std::vector<StoredValue>& values);

}  // namespace wine_test
