#include "dialogs/dialog_font_win32.h"

#include <cstring>
#include <map>
#include <vector>

namespace airvane {

const wchar_t kStandardDialogFace[] = L"\uB9D1\uC740 \uACE0\uB515";

namespace {

const WORD* afterString(const WORD* p) {
    while (*p++ != 0) {
    }
    return p;
}

// A menu or class field: none, an ordinal, or a string.
const WORD* afterNameOrOrdinal(const WORD* p) {
    return *p == 0xFFFF ? p + 2 : afterString(p);
}

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

}  // namespace

bool faceInstalled(const wchar_t* face) {
    LOGFONTW font{};
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &font, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

namespace {

// The template with its face replaced when that face is missing; the
// resource as it is for a template without a font or whose face is there.
std::vector<DWORD> withInstalledFace(const BYTE* resource, DWORD size) {
    std::vector<DWORD> copy((size + 3) / 4);
    std::memcpy(copy.data(), resource, size);
    const auto* words = reinterpret_cast<const WORD*>(resource);
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    DWORD style = 0;
    std::memcpy(&style, resource + (extended ? 12 : 0), sizeof style);
    if ((style & DS_SETFONT) == 0) return copy;
    const WORD* p = words + (extended ? 13 : 9);
    p = afterString(afterNameOrOrdinal(afterNameOrOrdinal(p)));  // menu, class, caption
    p += extended ? 3 : 1;  // point size (and weight, italic, charset)
    const auto* face = reinterpret_cast<const wchar_t*>(p);
    if (faceInstalled(face)) return copy;

    // The items begin on the next DWORD after the face; starting them on a
    // DWORD again keeps every item's own alignment.
    const size_t faceOffset = reinterpret_cast<const BYTE*>(p) - resource;
    const size_t itemsOffset = (reinterpret_cast<const BYTE*>(afterString(p)) - resource + 3) & ~size_t{3};
    const size_t newFaceBytes = sizeof kStandardDialogFace;
    const size_t newItemsOffset = (faceOffset + newFaceBytes + 3) & ~size_t{3};
    std::vector<DWORD> patched((newItemsOffset + size - itemsOffset + 3) / 4, 0);
    auto* out = reinterpret_cast<BYTE*>(patched.data());
    std::memcpy(out, resource, faceOffset);
    std::memcpy(out + faceOffset, kStandardDialogFace, newFaceBytes);
    std::memcpy(out + newItemsOffset, resource + itemsOffset, size - itemsOffset);
    return patched;
}

}  // namespace

const DLGTEMPLATE* dialogTemplate(HINSTANCE instance, int templateId) {
    static std::map<int, std::vector<DWORD>> templates;  // UI thread only
    auto known = templates.find(templateId);
    if (known != templates.end()) return reinterpret_cast<const DLGTEMPLATE*>(known->second.data());
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), reinterpret_cast<LPCSTR>(RT_DIALOG));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* resource = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (resource == nullptr) return nullptr;
    auto& copy = templates[templateId] = withInstalledFace(resource, SizeofResource(instance, found));
    return reinterpret_cast<const DLGTEMPLATE*>(copy.data());
}

}  // namespace airvane
