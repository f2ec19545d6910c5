// What only the registry has: values that other programs write with other types or without a
// terminator. The store's common promises are in the contract suite.

#include <gtest/gtest.h>
#include <windows.h>

#include "settings/registry/registry_store.h"

namespace vesk::settings {
namespace {

TEST(RegistryStore, TextWithoutTerminatorReadsWholeAndANumberIsNoValue) {
  const wchar_t* path = L"Software\\VB and VBA Program Settings\\VESK-REGISTRY\\Settings";
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\VESK-REGISTRY");
  const DWORD number = 1;
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, path, L"MainTop", REG_SZ, L"4530", 8), 0);
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, path, L"SHOW_OSK_BUTTON", REG_DWORD, &number, 4), 0);
  RegistryStore store;
  EXPECT_EQ(store.get("VESK-REGISTRY", "Settings", "MainTop"), "4530");
  EXPECT_EQ(store.get("VESK-REGISTRY", "Settings", "SHOW_OSK_BUTTON"), std::nullopt);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\VESK-REGISTRY");
}

}  // namespace
}  // namespace vesk::settings
