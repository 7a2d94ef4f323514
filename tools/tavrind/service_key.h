// The driver's service key: where its installation puts its configuration,
// one REG_DWORD settings word per port name.
#pragma once

namespace tavrind {

inline constexpr char kServiceSubKey[] = "System\\CurrentControlSet\\Services\\Tavrin";
inline constexpr char kServiceKeyPath[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin";

}  // namespace tavrind
