// The version record and the icon, read back from the built executable the way Explorer and
// the loader read them.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

// VESK_EXE_PATH and VESK_ICO_PATH are relative to this test's own folder.
std::wstring besideThisTest(const wchar_t* relative) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return (std::filesystem::path(self).parent_path() / relative).wstring();
}

const std::wstring kExe = besideThisTest(VESK_EXE_PATH);

TEST(ExeResourceTest, VersionRecordNamesTheProgramAtOnePointZero) {
  DWORD ignored = 0;
  std::vector<char> data(GetFileVersionInfoSizeW(kExe.c_str(), &ignored));
  ASSERT_TRUE(GetFileVersionInfoW(kExe.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
  auto query = [&](const std::wstring& path) -> const void* {
    void* value = nullptr;
    UINT length = 0;
    return VerQueryValueW(data.data(), path.c_str(), &value, &length) && length ? value : nullptr;
  };
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  const auto* language = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
  ASSERT_NE(language, nullptr);
  wchar_t block[40];
  swprintf(block, 40, L"\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
  for (const auto& [name, expected] : {std::pair{L"FileVersion", L"1.00"},
                                       {L"ProductVersion", L"1.00"},
                                       {L"ProductName", L"TARNWICK-VESK-LIGHTS"},
                                       {L"InternalName", L"VESK-LIGHTS"},
                                       {L"OriginalFilename", L"VESK-LIGHTS.exe"}}) {
    const auto* text = static_cast<const wchar_t*>(query(block + std::wstring(name)));
    EXPECT_STREQ(text ? text : L"<missing>", expected) << name;
  }
}

// The one image of the icon group is byte for byte the committed icon file's one image, whose
// size and offset follow its 6-byte header and the first 8 bytes of its entry.
TEST(ExeResourceTest, IconIsTheCommittedHundredPixelImageIn256Colours) {
  HMODULE exe = LoadLibraryExW(kExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr) << "cannot open the executable";
  auto resource = [&](LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(exe, name, type);
    const auto* bytes =
        found ? static_cast<const char*>(LockResource(LoadResource(exe, found))) : nullptr;
    return bytes ? std::string(bytes, SizeofResource(exe, found)) : std::string();
  };
  const std::string group = resource(MAKEINTRESOURCEW(VESK_ICON_APP), RT_GROUP_ICON);
  ASSERT_EQ(group.size(), 6u + 14u) << "not one icon image";
  // The entry: width, height, colours, reserved, planes, bits a pixel, bytes, id.
  EXPECT_EQ(group.substr(6, 2), std::string("dd")) << "not 100 x 100 pixels";
  EXPECT_EQ(*reinterpret_cast<const WORD*>(group.data() + 6 + 6), 8) << "not 256 colours";
  const WORD id = *reinterpret_cast<const WORD*>(group.data() + 6 + 12);
  std::ifstream file(std::filesystem::path(besideThisTest(VESK_ICO_PATH)), std::ios::binary);
  const std::string ico((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GE(ico.size(), 22u) << "cannot read the icon file";
  const auto bytes = *reinterpret_cast<const DWORD*>(ico.data() + 14);
  const auto offset = *reinterpret_cast<const DWORD*>(ico.data() + 18);
  EXPECT_EQ(resource(MAKEINTRESOURCEW(id), RT_ICON), ico.substr(offset, bytes));
}

}  // namespace
