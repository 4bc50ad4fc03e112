// The resources that adsl_resources gives an executable, read back from this
// test program's own file with the functions through which Windows, the
// shell and the program itself read them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/bytes.h"

namespace {

using adsl::test::show;

const LPCSTR kIconType = MAKEINTRESOURCEA(3);       // RT_ICON
const LPCSTR kGroupIconType = MAKEINTRESOURCEA(14); // RT_GROUP_ICON
const LPCSTR kVersionType = MAKEINTRESOURCEA(16);   // RT_VERSION
const LPCSTR kManifestType = MAKEINTRESOURCEA(24);  // RT_MANIFEST
const LPCSTR kGroupIconName = "DEFAULT_ICON";
const WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
const WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// The group icon's layout (GRPICONDIR and GRPICONDIRENTRY); the SDK
// headers do not declare it.
#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colour_count;
    BYTE reserved;
    WORD planes;
    WORD bit_count;
    DWORD bytes_in_resource;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconHeader) == 6 && sizeof(GroupIconEntry) == 14);

// The images that the group lists, in its order.
struct Image {
    int size;
    WORD id;
};
const Image kImages[] = {{64, 3}, {48, 4}, {32, 5}, {24, 6}, {16, 7}};

std::string resource_name(LPCSTR name)
{
    return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name))
                                : std::string("\"") + name + "\"";
}

std::string hex4(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

std::string hex8(unsigned long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", value);
    return text;
}

std::string show_languages(const std::vector<WORD>& languages)
{
    std::string out = "{";
    for (std::size_t i = 0; i < languages.size(); ++i) {
        out += (i ? ", " : "") + hex4(languages[i]);
    }
    return out + "}";
}

// A resource's bytes in this module, in exactly that language; empty when
// there is none.
std::string_view load(LPCSTR type, LPCSTR name, WORD language)
{
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(self, type, name, language);
    if (!found) {
        return {};
    }
    HGLOBAL loaded = LoadResource(self, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return {};
    }
    return {static_cast<const char*>(data), SizeofResource(self, found)};
}

BOOL CALLBACK add_language(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list)
{
    reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
    return TRUE;
}

TEST(Languages, EachResourceIsStoredInItsLanguageOnly)
{
    // FindResource falls back to other languages, so a resource compiled in
    // the resource compiler's default language (English) would still be
    // found; only the list of languages shows it.
    struct Case {
        LPCSTR type;
        const char* type_name;
        LPCSTR name;
        WORD language;
    };
    std::vector<Case> cases = {
        {kGroupIconType, "group icon", kGroupIconName, kNeutral},
        {kManifestType, "manifest", MAKEINTRESOURCEA(1), kNeutral},
        {kVersionType, "version", MAKEINTRESOURCEA(1), kChinesePrc},
    };
    for (const Image& image : kImages) {
        cases.push_back({kIconType, "icon", MAKEINTRESOURCEA(image.id), kNeutral});
    }
    for (const Case& c : cases) {
        std::vector<WORD> languages;
        EnumResourceLanguagesA(GetModuleHandleA(nullptr), c.type, c.name, add_language,
                               reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages, std::vector<WORD>{c.language})
            << c.type_name << " " << resource_name(c.name) << ": expected the languages "
            << show_languages({c.language}) << ", got " << show_languages(languages);
    }
}

TEST(Icon, GroupListsTheImagesLargestFirst)
{
    std::string_view group = load(kGroupIconType, kGroupIconName, kNeutral);
    ASSERT_GE(group.size(), sizeof(GroupIconHeader))
        << "group icon \"DEFAULT_ICON\": expected a header, got " << group.size() << " bytes";
    GroupIconHeader header;
    std::memcpy(&header, group.data(), sizeof header);
    EXPECT_EQ(header.reserved, 0) << "reserved field: expected 0, got " << header.reserved;
    EXPECT_EQ(header.type, 1) << "type: expected 1 (icon), got " << header.type;
    const std::size_t count = std::size(kImages);
    ASSERT_EQ(header.count, count) << "entries: expected " << count << ", got " << header.count;
    ASSERT_EQ(group.size(), sizeof header + count * sizeof(GroupIconEntry))
        << "group icon size: expected " << sizeof header + count * sizeof(GroupIconEntry)
        << " bytes, got " << group.size();

    for (std::size_t i = 0; i < count; ++i) {
        const Image& want = kImages[i];
        GroupIconEntry got;
        std::memcpy(&got, group.data() + sizeof header + i * sizeof got, sizeof got);
        SCOPED_TRACE("entry " + std::to_string(i) + ", expected " + std::to_string(want.size) +
                     "x" + std::to_string(want.size) + " as icon " + std::to_string(want.id));
        EXPECT_EQ(got.width, want.size) << "width: expected " << want.size << ", got " << +got.width;
        EXPECT_EQ(got.height, want.size) << "height: expected " << want.size << ", got " << +got.height;
        EXPECT_EQ(got.colour_count, 0) << "colour count: expected 0, got " << +got.colour_count;
        EXPECT_EQ(got.planes, 1) << "planes: expected 1, got " << got.planes;
        EXPECT_EQ(got.bit_count, 32) << "bits per pixel: expected 32, got " << got.bit_count;
        EXPECT_EQ(got.id, want.id) << "icon id: expected " << want.id << ", got " << got.id;
        std::size_t stored = load(kIconType, MAKEINTRESOURCEA(got.id), kNeutral).size();
        EXPECT_EQ(got.bytes_in_resource, stored)
            << "size of icon " << got.id << ": the group says " << got.bytes_in_resource
            << " bytes, the icon resource has " << stored;
    }
}

TEST(Icon, ImagesAreBitmapsOf32Bits)
{
    for (const Image& image : kImages) {
        SCOPED_TRACE("icon " + std::to_string(image.id) + ", " + std::to_string(image.size) + "x" +
                     std::to_string(image.size));
        std::string_view data = load(kIconType, MAKEINTRESOURCEA(image.id), kNeutral);
        // Colour rows of 4 bytes a pixel, then AND mask rows padded to 4 bytes.
        const std::size_t mask_row = (image.size + 31) / 32 * 4;
        const std::size_t expected =
            sizeof(BITMAPINFOHEADER) + (4u * image.size + mask_row) * image.size;
        ASSERT_EQ(data.size(), expected) << "size: expected " << expected << ", got " << data.size();
        ASSERT_NE(data.substr(0, 4), std::string_view("\x89PNG", 4))
            << "expected a bitmap, got a PNG image";

        BITMAPINFOHEADER got;
        std::memcpy(&got, data.data(), sizeof got);
        EXPECT_EQ(got.biSize, sizeof got) << "biSize: expected " << sizeof got << ", got " << got.biSize;
        EXPECT_EQ(got.biWidth, image.size) << "biWidth: expected " << image.size << ", got " << got.biWidth;
        // The height covers the colour rows and the mask rows.
        EXPECT_EQ(got.biHeight, 2 * image.size)
            << "biHeight: expected " << 2 * image.size << ", got " << got.biHeight;
        EXPECT_EQ(got.biPlanes, 1) << "biPlanes: expected 1, got " << got.biPlanes;
        EXPECT_EQ(got.biBitCount, 32) << "biBitCount: expected 32, got " << got.biBitCount;
        EXPECT_EQ(got.biCompression, static_cast<DWORD>(BI_RGB))
            << "biCompression: expected BI_RGB (0), got " << got.biCompression;
    }
}

TEST(Icon, WindowsChoosesAndLoadsEachSize)
{
    std::string_view group = load(kGroupIconType, kGroupIconName, kNeutral);
    ASSERT_FALSE(group.empty()) << "group icon \"DEFAULT_ICON\": expected it, got none";
    auto* directory = reinterpret_cast<BYTE*>(const_cast<char*>(group.data()));
    for (const Image& image : kImages) {
        SCOPED_TRACE(std::to_string(image.size) + "x" + std::to_string(image.size));
        int id = LookupIconIdFromDirectoryEx(directory, TRUE, image.size, image.size, LR_DEFAULTCOLOR);
        EXPECT_EQ(id, image.id) << "image chosen for this size: expected icon " << image.id
                                << ", got " << id;

        // As the window gets its icon: by name, at one size.
        HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), kGroupIconName,
                                                   IMAGE_ICON, image.size, image.size, 0));
        ASSERT_NE(icon, nullptr) << "LoadImage: expected an icon, got none, error "
                                 << GetLastError();
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << "GetIconInfo failed, error " << GetLastError();
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, image.size)
            << "colour bitmap width: expected " << image.size << ", got " << colour.bmWidth;
        EXPECT_EQ(colour.bmHeight, image.size)
            << "colour bitmap height: expected " << image.size << ", got " << colour.bmHeight;
        EXPECT_EQ(colour.bmBitsPixel, 32)
            << "colour bitmap bits per pixel: expected 32, got " << colour.bmBitsPixel;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// The attributes of the first element with this tag at or after from;
// empty when there is none. Enough XML for a manifest: name="value" pairs.
std::map<std::string, std::string> attributes(std::string_view xml, std::string_view tag,
                                              std::size_t from = 0)
{
    std::map<std::string, std::string> out;
    std::size_t at = xml.find("<" + std::string(tag), from);
    if (at == std::string_view::npos) {
        return out;
    }
    std::size_t end = xml.find('>', at);
    std::string_view element = xml.substr(at, end - at);
    std::size_t pos = 1 + tag.size();
    const std::string_view blanks = " \t\r\n";
    for (;;) {
        std::size_t name = element.find_first_not_of(blanks, pos);
        std::size_t equals = element.find('=', name);
        if (name == std::string_view::npos || equals == std::string_view::npos) {
            return out;
        }
        std::size_t open = element.find_first_of("\"'", equals);
        if (open == std::string_view::npos) {
            return out;
        }
        std::size_t close = element.find(element[open], open + 1);
        if (close == std::string_view::npos) {
            return out;
        }
        std::string_view key = element.substr(name, equals - name);
        key = key.substr(0, key.find_last_not_of(blanks) + 1);
        out[std::string(key)] = element.substr(open + 1, close - open - 1);
        pos = close + 1;
    }
}

std::string show_attributes(const std::map<std::string, std::string>& attributes)
{
    std::string out;
    for (const auto& [name, value] : attributes) {
        out += (out.empty() ? "" : " ") + name + "=\"" + value + "\"";
    }
    return "<" + out + ">";
}

TEST(Manifest, AsksForCommonControls6AndAdministrator)
{
    std::string_view manifest = load(kManifestType, MAKEINTRESOURCEA(1), kNeutral);
    ASSERT_FALSE(manifest.empty()) << "manifest (type 24, id 1): expected it, got none";
    const std::string arch = sizeof(void*) == 8 ? "amd64" : "x86";

    const std::size_t dependency = manifest.find("<dependentAssembly");
    ASSERT_NE(dependency, std::string_view::npos)
        << "expected a dependentAssembly element, got " << show(manifest);
    struct Case {
        const char* element;
        std::map<std::string, std::string> got;
        std::map<std::string, std::string> want;
    };
    const Case cases[] = {
        {"the program's own assemblyIdentity", attributes(manifest.substr(0, dependency), "assemblyIdentity"),
         {{"type", "win32"}, {"version", "5.1.0.0"}, {"processorArchitecture", arch}}},
        {"the dependency's assemblyIdentity", attributes(manifest, "assemblyIdentity", dependency),
         {{"type", "win32"},
          {"name", "Microsoft.Windows.Common-Controls"},
          {"version", "6.0.0.0"},
          {"processorArchitecture", arch},
          {"publicKeyToken", "6595b64144ccf1df"},
          {"language", "*"}}},
        {"requestedExecutionLevel", attributes(manifest, "requestedExecutionLevel"),
         {{"level", "requireAdministrator"}, {"uiAccess", "false"}}},
    };
    for (const Case& c : cases) {
        for (const auto& [name, value] : c.want) {
            auto found = c.got.find(name);
            EXPECT_TRUE(found != c.got.end() && found->second == value)
                << c.element << ": expected " << name << "=\"" << value << "\", got "
                << show_attributes(c.got);
        }
    }
}

// This program's file name; empty on failure.
std::string own_path()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length == 0 || length == sizeof path ? std::string() : std::string(path, length);
}

// Information about an activation context: of the context itself (no
// index), or of its assembly number index; empty on failure.
std::vector<BYTE> query_context(HANDLE context, ULONG info_class, DWORD index = 0)
{
    void* which = index ? &index : nullptr;
    SIZE_T needed = 0;
    QueryActCtxW(0, context, which, info_class, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 ||
        !QueryActCtxW(0, context, which, info_class, buffer.data(), buffer.size(), &needed)) {
        return {};
    }
    return buffer;
}

std::string narrow(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text) {
        out += *text < 0x80 ? static_cast<char>(*text) : '?';
    }
    return out;
}

TEST(Manifest, LoaderResolvesCommonControls6)
{
    // The activation context that the loader makes from the manifest when
    // the program starts, made again the same way. A manifest that it cannot
    // read, or whose dependency names another architecture than the
    // program's, gives no context, or one without Common Controls 6, and the
    // controls are drawn unstyled.
    const std::string path = own_path();
    ACTCTXA request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE)
        << "CreateActCtx from the manifest: expected a context, got error " << GetLastError();

    std::vector<BYTE> details = query_context(context, ActivationContextDetailedInformation);
    ASSERT_GE(details.size(), sizeof(ACTIVATION_CONTEXT_DETAILED_INFORMATION))
        << "QueryActCtx: expected the activation context's details, got none, error "
        << GetLastError();
    const auto* about = reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(details.data());

    std::vector<std::string> assemblies;
    bool found = false;
    for (DWORD index = 1; index <= about->ulAssemblyCount; ++index) {
        std::vector<BYTE> info =
            query_context(context, AssemblyDetailedInformationInActivationContext, index);
        if (info.size() < sizeof(ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION)) {
            continue;
        }
        const auto* assembly =
            reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(info.data());
        // The encoded identity: the name, then attribute="value" pairs.
        std::string identity = narrow(assembly->lpAssemblyEncodedAssemblyIdentity);
        assemblies.push_back(identity);
        found = found || (identity.starts_with("Microsoft.Windows.Common-Controls,") &&
                          identity.find("version=\"6.") != std::string::npos);
    }
    ReleaseActCtx(context);
    std::string list;
    for (const std::string& assembly : assemblies) {
        list += "\n  " + assembly;
    }
    EXPECT_TRUE(found) << "expected Microsoft.Windows.Common-Controls version 6 among the "
                          "activation context's assemblies, got:"
                       << (list.empty() ? std::string(" none") : list);
}

// This program's version block, as GetFileVersionInfo answers it.
std::vector<char> version_block()
{
    const std::string path = own_path();
    DWORD ignored = 0;
    DWORD size = path.empty() ? 0 : GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
        return {};
    }
    return block;
}

TEST(Version, FixedPart)
{
    std::vector<char> block = version_block();
    ASSERT_FALSE(block.empty()) << "GetFileVersionInfo: expected a version block, got none, error "
                                << GetLastError();
    void* value = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &size) && size >= sizeof(VS_FIXEDFILEINFO))
        << "VerQueryValue(\"\\\"): expected VS_FIXEDFILEINFO, got " << size << " bytes";
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, value, sizeof info);
    const struct {
        const char* field;
        DWORD got;
        DWORD want;
    } cases[] = {
        {"dwSignature", info.dwSignature, 0xFEEF04BD},
        {"dwFileVersionMS (1.0)", info.dwFileVersionMS, 0x00010000},
        {"dwFileVersionLS (0.0)", info.dwFileVersionLS, 0},
        {"dwProductVersionMS (1.0)", info.dwProductVersionMS, 0x00010000},
        {"dwProductVersionLS (0.0)", info.dwProductVersionLS, 0},
        {"dwFileFlags", info.dwFileFlags, 0},
        {"dwFileOS (VOS__WINDOWS32)", info.dwFileOS, VOS__WINDOWS32},
        {"dwFileType (VFT_APP)", info.dwFileType, VFT_APP},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got, c.want) << c.field << ": expected " << hex8(c.want) << ", got " << hex8(c.got);
    }
}

TEST(Version, TranslationIsChinesePrcUnicode)
{
    std::vector<char> block = version_block();
    ASSERT_FALSE(block.empty()) << "GetFileVersionInfo: expected a version block, got none";
    void* value = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &size))
        << "expected a Translation value, got none";
    ASSERT_EQ(size, 4u) << "Translation: expected one language and code page pair (4 bytes), got "
                        << size << " bytes";
    WORD pair[2];
    std::memcpy(pair, value, sizeof pair);
    EXPECT_TRUE(pair[0] == 0x0804 && pair[1] == 0x04B0)
        << "Translation: expected 0x0804, 0x04B0, got " << hex4(pair[0]) << ", " << hex4(pair[1]);
}

TEST(Version, TextsReadBackAsGbk)
{
    // The table is stored as UTF-16; the ANSI functions answer it in the
    // system code page, which is how the program's own texts are kept.
    ASSERT_EQ(GetACP(), 936u) << "ANSI code page: expected 936 (GBK) for these texts, got " << GetACP();
    std::vector<char> block = version_block();
    ASSERT_FALSE(block.empty()) << "GetFileVersionInfo: expected a version block, got none";
    const struct {
        const char* name;
        std::string_view want;
    } cases[] = {
        {"FileVersion", "1.0.0.0"},
        // 让宽带连接随系统开机运行
        {"FileDescription", "\xC8\xC3\xBF\xED\xB4\xF8\xC1\xAC\xBD\xD3\xCB\xE6\xCF\xB5\xCD\xB3\xBF\xAA"
                            "\xBB\xFA\xD4\xCB\xD0\xD0"},
        // Tamsel宽带连接自启动配置器
        {"ProductName", "Tamsel\xBF\xED\xB4\xF8\xC1\xAC\xBD\xD3\xD7\xD4\xC6\xF4\xB6\xAF\xC5\xE4\xD6\xC3"
                        "\xC6\xF7"},
        {"ProductVersion", "1.0.0.0"},
        {"CompanyName", "Tamsel"},
        // 版权所有 (C) 2026 Tamsel。保留所有权利。
        {"LegalCopyright", "\xB0\xE6\xC8\xA8\xCB\xF9\xD3\xD0 (C) 2026 Tamsel\xA1\xA3\xB1\xA3\xC1\xF4"
                           "\xCB\xF9\xD3\xD0\xC8\xA8\xC0\xFB\xA1\xA3"},
        // 在每次登录 Windows 时自动拨号连接宽带
        {"Comments", "\xD4\xDA\xC3\xBF\xB4\xCE\xB5\xC7\xC2\xBC Windows \xCA\xB1\xD7\xD4\xB6\xAF\xB2\xA6"
                     "\xBA\xC5\xC1\xAC\xBD\xD3\xBF\xED\xB4\xF8"},
    };
    for (const auto& c : cases) {
        const std::string path = std::string("\\StringFileInfo\\080404B0\\") + c.name;
        void* value = nullptr;
        UINT size = 0;
        std::string got = "(missing)";
        if (VerQueryValueA(block.data(), path.c_str(), &value, &size) && value) {
            got = show(static_cast<const char*>(value));
        }
        EXPECT_EQ(got, show(c.want)) << c.name << ": expected " << show(c.want) << ", got " << got;
    }
}

} // namespace
