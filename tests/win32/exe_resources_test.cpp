// The version record, the icon and the manifest, read back from the built executable the way
// Windows Explorer and the loader read them.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

// Beside this test, the build places the executable and knows where the icon file lies:
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

class VersionRecordTest : public testing::Test {
 protected:
  void SetUp() override {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(kExe.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version record in the executable";
    data_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(kExe.c_str(), 0, size, data_.data()));
  }

  std::wstring text(const wchar_t* name) {
    struct Translation {
      WORD language, codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation)) {
      return L"<no translation>";
    }
    wchar_t path[128];
    swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
             translation->codePage, name);
    wchar_t* value = nullptr;
    if (!VerQueryValueW(data_.data(), path, reinterpret_cast<void**>(&value), &length)) {
      return L"<missing>";
    }
    return std::wstring(value);
  }

  std::vector<char> data_;
};

TEST_F(VersionRecordTest, NumbersAreOnePointZero) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionRecordTest, TextsNameTheProgram) {
  EXPECT_EQ(text(L"FileVersion"), L"1.00");
  EXPECT_EQ(text(L"ProductVersion"), L"1.00");
  EXPECT_EQ(text(L"ProductName"), L"TARNWICK-VESK-LIGHTS");
  EXPECT_EQ(text(L"InternalName"), L"VESK-LIGHTS");
  EXPECT_EQ(text(L"OriginalFilename"), L"VESK-LIGHTS.exe");
}

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct GroupIcon {
  WORD reserved, type, count;
  GroupIconEntry entries[1];
};
// In an .ico file the entry gives the image's file offset instead of a resource id.
struct FileIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes, offset;
};
#pragma pack(pop)

class ExeResourceTest : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(kExe.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot open the executable";
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  // The bytes of one resource, or none.
  std::string resource(LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(module_, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes ? std::string(bytes, SizeofResource(module_, found)) : std::string();
  }

  HMODULE module_ = nullptr;
};

TEST_F(ExeResourceTest, IconIsOneHundredPixelsIn256Colours) {
  const std::string group = resource(MAKEINTRESOURCEW(VESK_ICON_APP), RT_GROUP_ICON);
  ASSERT_GE(group.size(), sizeof(GroupIcon)) << "no icon group";
  const auto* header = reinterpret_cast<const GroupIcon*>(group.data());
  EXPECT_EQ(header->type, 1);
  ASSERT_EQ(header->count, 1);
  const GroupIconEntry& entry = header->entries[0];
  EXPECT_EQ(entry.width, 100);
  EXPECT_EQ(entry.height, 100);
  EXPECT_EQ(entry.bitCount, 8);

  const std::string image = resource(MAKEINTRESOURCEW(entry.id), RT_ICON);
  ASSERT_EQ(image.size(), entry.bytes);
  const auto* bitmap = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
  EXPECT_EQ(bitmap->biWidth, 100);
  EXPECT_EQ(bitmap->biHeight, 200);  // the colour image and its mask
  EXPECT_EQ(bitmap->biBitCount, 8);
  EXPECT_EQ(bitmap->biCompression, static_cast<DWORD>(BI_RGB));
  ASSERT_EQ(image.size(), sizeof(BITMAPINFOHEADER) + 256 * 4 + 100 * 100 + 100 * 16);

  // Black and greens only: a black square with green letters shaded through darker greens.
  const auto* palette = reinterpret_cast<const RGBQUAD*>(image.data() + sizeof(BITMAPINFOHEADER));
  const auto* pixels = reinterpret_cast<const BYTE*>(palette + 256);
  int greens = 0;
  for (int i = 0; i < 100 * 100; ++i) {
    const RGBQUAD& colour = palette[pixels[i]];
    EXPECT_EQ(colour.rgbRed | colour.rgbBlue, 0) << "pixel " << i;
    if (colour.rgbGreen == 255) ++greens;
  }
  EXPECT_EQ(palette[pixels[0]].rgbGreen, 0) << "the corner is not black";
  EXPECT_GT(greens, 100 * 100 / 10) << "too little bright green";
  // A mask of zeros: every pixel is opaque.
  EXPECT_EQ(image.find_first_not_of('\0', image.size() - 100 * 16), std::string::npos);

  // The image is the committed icon file's, byte for byte.
  std::ifstream file(std::filesystem::path(besideThisTest(VESK_ICO_PATH)), std::ios::binary);
  ASSERT_TRUE(file) << "cannot read the icon file";
  const std::string ico((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GE(ico.size(), 6 + sizeof(FileIconEntry));
  const auto* fileEntry = reinterpret_cast<const FileIconEntry*>(ico.data() + 6);
  ASSERT_LE(fileEntry->offset + fileEntry->bytes, ico.size());
  EXPECT_TRUE(image == ico.substr(fileEntry->offset, fileEntry->bytes));
}

TEST_F(ExeResourceTest, ManifestAsksForPerMonitorDpiAndThemedControls) {
  const std::string manifest = resource(MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_FALSE(manifest.empty()) << "no manifest";
  EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
  EXPECT_NE(manifest.find("true/pm"), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("asInvoker"), std::string::npos);
}

}  // namespace
