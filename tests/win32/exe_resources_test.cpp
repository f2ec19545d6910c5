// The version record and the icon, read back from the built executable's resources as the
// loader finds them.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "resources/resource_ids.h"

namespace {

// VESK_EXE_PATH and VESK_ICO_PATH are relative to this test's own folder.
std::filesystem::path besideThisTest(const wchar_t* relative) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path() / relative;
}

// One resource of the built executable, "" where it has none.
std::string resource(WORD id, LPCWSTR type) {
  static HMODULE exe =
      LoadLibraryExW(besideThisTest(VESK_EXE_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC found = exe ? FindResourceW(exe, MAKEINTRESOURCEW(id), type) : nullptr;
  const char* bytes = found ? static_cast<char*>(LockResource(LoadResource(exe, found))) : "";
  return std::string(bytes, found ? SizeofResource(exe, found) : 0);
}

TEST(ExeResourceTest, VersionRecordNamesTheProgramAtOnePointZero) {
  std::string record = resource(VS_VERSION_INFO, RT_VERSION);
  ASSERT_FALSE(record.empty()) << "no version record";
  auto query = [&](const std::wstring& path) {
    void* value = nullptr;
    UINT length = 0;
    return VerQueryValueW(record.data(), path.c_str(), &value, &length) && length ? value : nullptr;
  };
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
  const auto* language = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
  ASSERT_TRUE(fixed && language);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  wchar_t block[40];
  swprintf(block, 40, L"\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
  const std::pair<const wchar_t*, const wchar_t*> texts[] = {
      {L"FileVersion", L"1.00"},
      {L"ProductVersion", L"1.00"},
      {L"ProductName", L"TARNWICK-VESK-LIGHTS"},
      {L"InternalName", L"VESK-LIGHTS"},
      {L"OriginalFilename", L"VESK-LIGHTS.exe"}};
  for (const auto& [name, expected] : texts) {
    const auto* text = static_cast<const wchar_t*>(query(block + std::wstring(name)));
    EXPECT_STREQ(text ? text : L"<missing>", expected) << name;
  }
}

// The icon group's one entry (width, height, colours, reserved, planes, bits a pixel, bytes,
// id) names an image that is byte for byte the committed icon file's one image, whose size and
// offset follow its 6-byte header and the first 8 bytes of its entry.
TEST(ExeResourceTest, IconIsTheCommittedHundredPixelImageIn256Colours) {
  const std::string group = resource(VESK_ICON_APP, RT_GROUP_ICON);
  ASSERT_EQ(group.size(), 6u + 14u) << "not one icon image";
  EXPECT_EQ(group.substr(6, 2), "dd") << "not 100 x 100 pixels";
  EXPECT_EQ(group[12], 8) << "not 256 colours";
  std::ifstream file(besideThisTest(VESK_ICO_PATH), std::ios::binary);
  const std::string ico(std::istreambuf_iterator<char>(file), {});
  ASSERT_GE(ico.size(), 22u) << "cannot read the icon file";
  const auto bytes = *reinterpret_cast<const DWORD*>(&ico[14]);
  const auto offset = *reinterpret_cast<const DWORD*>(&ico[18]);
  EXPECT_EQ(resource(*reinterpret_cast<const WORD*>(&group[18]), RT_ICON),
            ico.substr(offset, bytes));
}

}  // namespace
