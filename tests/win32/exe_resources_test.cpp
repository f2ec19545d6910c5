// The version record and the icon, read back from the built executable the way Windows
// Explorer and the loader read them.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
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
  std::wstring path(self);
  path.resize(path.find_last_of(L"\\/") + 1);
  for (const wchar_t* c = relative; *c; ++c) path += *c == L'/' ? L'\\' : *c;
  return path;
}

const std::wstring kExe = besideThisTest(VESK_EXE_PATH);

TEST(ExeResourceTest, VersionRecordNamesTheProgramAtOnePointZero) {
  DWORD ignored = 0;
  std::vector<char> data(GetFileVersionInfoSizeW(kExe.c_str(), &ignored));
  ASSERT_FALSE(data.empty()) << "no version record in the executable";
  ASSERT_TRUE(GetFileVersionInfoW(kExe.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
  auto query = [&](const std::wstring& path) -> void* {
    void* value = nullptr;
    UINT length = 0;
    return VerQueryValueW(data.data(), path.c_str(), &value, &length) && length ? value : nullptr;
  };

  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

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

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST(ExeResourceTest, IconIsTheCommittedOneHundredPixelImageIn256Colours) {
  HMODULE exe = LoadLibraryExW(kExe.c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(exe, nullptr) << "cannot open the executable";
  auto resource = [&](LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(exe, name, type);
    const auto* bytes =
        found ? static_cast<const char*>(LockResource(LoadResource(exe, found))) : nullptr;
    return bytes ? std::string(bytes, SizeofResource(exe, found)) : std::string();
  };
  const std::string group = resource(MAKEINTRESOURCEW(VESK_ICON_APP), RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6 + sizeof(GroupIconEntry)) << "no icon group";
  const auto* header = reinterpret_cast<const WORD*>(group.data());  // reserved, type, count
  EXPECT_EQ(header[1], 1);
  ASSERT_EQ(header[2], 1);
  const auto* entry = reinterpret_cast<const GroupIconEntry*>(group.data() + 6);
  EXPECT_EQ(entry->width, 100);
  EXPECT_EQ(entry->height, 100);
  EXPECT_EQ(entry->bitCount, 8);

  // Header, palette, a byte a pixel, and the mask.
  const std::string image = resource(MAKEINTRESOURCEW(entry->id), RT_ICON);
  ASSERT_EQ(image.size(), sizeof(BITMAPINFOHEADER) + 256 * 4 + 100 * 100 + 100 * 16);
  // Black and greens only: a black square with bright green letters, shaded at the edges.
  const auto* palette = reinterpret_cast<const RGBQUAD*>(image.data() + sizeof(BITMAPINFOHEADER));
  const auto* pixels = reinterpret_cast<const BYTE*>(palette + 256);
  int greens = 0, others = 0;
  for (int i = 0; i < 100 * 100; ++i) {
    others += (palette[pixels[i]].rgbRed | palette[pixels[i]].rgbBlue) != 0;
    greens += palette[pixels[i]].rgbGreen == 255;
  }
  EXPECT_EQ(others, 0);
  EXPECT_EQ(palette[pixels[0]].rgbGreen, 0) << "the corner is not black";
  EXPECT_GT(greens, 100 * 100 / 10) << "too little bright green";
  EXPECT_EQ(image.find_first_not_of('\0', image.size() - 100 * 16), std::string::npos)
      << "a pixel is masked out";

  // Byte for byte the committed icon file's one image, whose size and offset follow its
  // 6-byte header and the first 8 bytes of its entry.
  std::ifstream file(std::filesystem::path(besideThisTest(VESK_ICO_PATH)), std::ios::binary);
  const std::string ico((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GE(ico.size(), 22u) << "cannot read the icon file";
  DWORD bytes = 0, offset = 0;
  std::memcpy(&bytes, ico.data() + 14, 4);
  std::memcpy(&offset, ico.data() + 18, 4);
  EXPECT_TRUE(offset <= ico.size() && image == ico.substr(offset, bytes));
}

}  // namespace
