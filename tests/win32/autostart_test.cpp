#include "platform/win32/win32_autostart.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "contracts/autostart_contract.h"

namespace {

// A Run value of its own, under a scratch key, gone after the test.
constexpr const wchar_t* kKey = L"Software\\VESK-LIGHTS tests\\Run";

struct RegistryBackend {
  RegistryBackend() { removeByHand(); }
  ~RegistryBackend() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VESK-LIGHTS tests"); }
  vesk::platform::Win32Autostart entry{kKey, L"VESK-LIGHTS",
                                       L"C:\\Program Files\\V\\VESK-LIGHTS.exe"};
  vesk::platform::Autostart& autostart() { return entry; }
  void removeByHand() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"VESK-LIGHTS"); }
};

}  // namespace

TEST(Win32AutostartTest, KeepsTheContract) {
  checkAutostartContract<RegistryBackend>();
}
