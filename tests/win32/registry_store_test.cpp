// The registry store, against the real registry of the test's Wine prefix.

#include "settings/registry/registry_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace vesk::settings {
namespace {

const std::wstring kRoot = L"Software\\VB and VBA Program Settings\\";

bool keyExists(const std::wstring& path) {
  HKEY key = nullptr;
  const bool found =
      RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
  if (found) RegCloseKey(key);
  return found;
}

// Every case works on its own application name and leaves no key behind.
class RegistryStoreTest : public testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); }

  // Writes a value the way another program, or a hand edit, would.
  void writeRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (path_ + L"\\Settings").c_str(), name, type, data,
                              bytes),
              ERROR_SUCCESS);
  }

  const std::string app_ =
      std::string("VESK-TEST-") + testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::wstring path_ = kRoot + std::wstring(app_.begin(), app_.end());
  RegistryStore store_;
};

// Each save replaces the one before; empty text is stored, and differs from no value.
TEST_F(RegistryStoreTest, SavedTextReadsBackWhole) {
  std::string longText(5000, 'x');
  longText.back() = 'y';
  for (const std::string& text : {std::string("1000"), std::string("-15"), std::string(), longText,
                                  std::string("1,5 Grüße \xE2\x9C\x93")}) {
    store_.save(app_, "Settings", "MainLeft", text);
    EXPECT_EQ(store_.get(app_, "Settings", "MainLeft"), text);
  }
}

TEST_F(RegistryStoreTest, ReadingAMissingKeyOrValueCreatesNothing) {
  EXPECT_EQ(store_.get(app_, "Settings", "MainLeft"), std::nullopt);
  EXPECT_FALSE(keyExists(path_));
  store_.save(app_, "Settings", "MainLeft", "1000");
  EXPECT_EQ(store_.get(app_, "Settings", "MainTop"), std::nullopt);
  EXPECT_EQ(store_.get(app_, "Other", "MainTop"), std::nullopt);
  EXPECT_FALSE(keyExists(path_ + L"\\Other"));
}

// Also: text written without a terminator reads whole, and a number counts as no value.
TEST_F(RegistryStoreTest, AValueWrittenElsewhereShowsAtTheNextRead) {
  store_.save(app_, "Settings", "SHOW_NUM_TICKBOX", "1");
  EXPECT_EQ(store_.get(app_, "Settings", "SHOW_NUM_TICKBOX"), "1");
  writeRaw(L"SHOW_NUM_TICKBOX", REG_SZ, L"0", 2 * sizeof(wchar_t));
  EXPECT_EQ(store_.get(app_, "Settings", "SHOW_NUM_TICKBOX"), "0");
  writeRaw(L"AboutMainHeight", REG_SZ, L"4530", 4 * sizeof(wchar_t));
  EXPECT_EQ(store_.get(app_, "Settings", "AboutMainHeight"), "4530");
  const DWORD number = 1;
  writeRaw(L"SHOW_OSK_BUTTON", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(store_.get(app_, "Settings", "SHOW_OSK_BUTTON"), std::nullopt);
}

}  // namespace
}  // namespace vesk::settings
