// The registry store, against the real registry of the test's Wine prefix.

#include "settings/registry/registry_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"
#include "settings/keys.h"

namespace vesk::settings {

using ::vesk::win32::toUtf8;
using ::vesk::win32::toWide;
namespace {

const std::wstring kRoot = L"Software\\VB and VBA Program Settings";

std::wstring appPath(const std::string& app) {
  return kRoot + L"\\" + toWide(app);
}

bool keyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

// Writes a value the way another program (or a hand edit) would.
void writeRaw(const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
              DWORD bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// Every test works on its own application name and leaves no key behind.
class RegistryStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    app_ =
        std::string("VESK-TEST-") + testing::UnitTest::GetInstance()->current_test_info()->name();
    RegDeleteTreeW(HKEY_CURRENT_USER, appPath(app_).c_str());
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, appPath(app_).c_str()); }

  RegistryStore store_;
  std::string app_;
};

TEST_F(RegistryStoreTest, SavedTextReadsBack) {
  store_.save(app_, "Settings", "MainLeft", "1000");
  store_.save(app_, "Settings", "MainTop", "-15");
  EXPECT_EQ(store_.get(app_, "Settings", "MainLeft"), "1000");
  EXPECT_EQ(store_.get(app_, "Settings", "MainTop"), "-15");
}

TEST_F(RegistryStoreTest, SaveReplacesTheOlderValue) {
  store_.save(app_, "Settings", "VERT_LIGHTS_TICKBOX", "1");
  store_.save(app_, "Settings", "VERT_LIGHTS_TICKBOX", "0");
  EXPECT_EQ(store_.get(app_, "Settings", "VERT_LIGHTS_TICKBOX"), "0");
}

TEST_F(RegistryStoreTest, EmptyTextIsStoredAndDiffersFromAbsent) {
  store_.save(app_, "Settings", "MainWidth", "");
  EXPECT_EQ(store_.get(app_, "Settings", "MainWidth"), "");
  EXPECT_EQ(store_.get(app_, "Settings", "MainHeight"), std::nullopt);
}

TEST_F(RegistryStoreTest, NonAsciiTextTravelsAsUtf16) {
  const std::string text = "1,5 Grüße \xE2\x9C\x93";  // a check mark, outside Latin-1
  store_.save(app_, "Settings", "MainLeft", text);
  EXPECT_EQ(store_.get(app_, "Settings", "MainLeft"), text);

  // Other programs see the same text through the wide API.
  wchar_t raw[64] = {};
  DWORD bytes = sizeof(raw);
  DWORD type = 0;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (appPath(app_) + L"\\Settings").c_str(), L"MainLeft",
                         RRF_RT_ANY, &type, raw, &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(raw), L"1,5 Gr\u00FC\u00DFe \u2713");
}

TEST_F(RegistryStoreTest, LongTextReadsBackWhole) {
  std::string text(5000, 'x');
  text.back() = 'y';
  store_.save(app_, "Settings", "MainLeft", text);
  EXPECT_EQ(store_.get(app_, "Settings", "MainLeft"), text);
}

TEST_F(RegistryStoreTest, ReadingAMissingApplicationCreatesNothing) {
  EXPECT_EQ(store_.get(app_, "Settings", "MainLeft"), std::nullopt);
  EXPECT_FALSE(keyExists(appPath(app_)));
}

TEST_F(RegistryStoreTest, ReadingAMissingValueCreatesNothing) {
  store_.save(app_, "Settings", "MainLeft", "1000");
  EXPECT_EQ(store_.get(app_, "Settings", "MainTop"), std::nullopt);
  EXPECT_EQ(store_.get(app_, "Other", "MainTop"), std::nullopt);
  EXPECT_FALSE(keyExists(appPath(app_) + L"\\Other"));
}

TEST_F(RegistryStoreTest, AValueWrittenElsewhereShowsAtTheNextRead) {
  store_.save(app_, "Settings", "SHOW_NUM_TICKBOX", "1");
  const std::wstring text = L"0";
  writeRaw(appPath(app_) + L"\\Settings", L"SHOW_NUM_TICKBOX", REG_SZ, text.c_str(),
           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  EXPECT_EQ(store_.get(app_, "Settings", "SHOW_NUM_TICKBOX"), "0");
}

TEST_F(RegistryStoreTest, TextWithoutTerminatorReadsWhole) {
  const std::wstring text = L"4530";
  writeRaw(appPath(app_) + L"\\Settings", L"AboutMainHeight", REG_SZ, text.data(),
           static_cast<DWORD>(text.size() * sizeof(wchar_t)));
  EXPECT_EQ(store_.get(app_, "Settings", "AboutMainHeight"), "4530");
}

TEST_F(RegistryStoreTest, AValueThatIsNotTextCountsAsAbsent) {
  const DWORD number = 1;
  writeRaw(appPath(app_) + L"\\Settings", L"SHOW_OSK_BUTTON", REG_DWORD, &number, sizeof(number));
  EXPECT_EQ(store_.get(app_, "Settings", "SHOW_OSK_BUTTON"), std::nullopt);
}

// The place that earlier versions of the program used, so their settings carry over. Other
// tests of the run may use the program's own key, so this one touches only its own value.
TEST(RegistryStoreLocation, SettingsLiveUnderTheProgramsOwnKey) {
  const std::wstring path = kRoot + L"\\TARNWICK-VESK-LIGHTS\\Settings";
  RegistryStore store;
  store.save(std::string(kApplication), std::string(kSection), "VESK_TEST_VALUE", "1234");

  wchar_t raw[16] = {};
  DWORD bytes = sizeof(raw);
  DWORD type = 0;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, path.c_str(), L"VESK_TEST_VALUE", RRF_RT_ANY, &type,
                         raw, &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(raw), L"1234");
  RegDeleteKeyValueW(HKEY_CURRENT_USER, path.c_str(), L"VESK_TEST_VALUE");
}

}  // namespace
}  // namespace vesk::settings
