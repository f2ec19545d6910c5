#include "platform/win32/win32_autostart.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "contracts/autostart_contract.h"

namespace {

// A Run value of its own, under a scratch key, gone after the test. The value's quoting is
// checked end to end, where the menu writes it.
constexpr const wchar_t* kKey = L"Software\\VESK-LIGHTS tests\\Run";

struct RegistryBackend {
  vesk::platform::Win32Autostart entry{kKey, L"VESK-LIGHTS", L"C:\\Program Files\\V\\V.exe"};
  RegistryBackend() { removeByHand(); }
  ~RegistryBackend() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VESK-LIGHTS tests"); }
  void removeByHand() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"VESK-LIGHTS"); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Registry, AutostartContract, RegistryBackend);

}  // namespace
