#include "dialogs/dialog_font_win32.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace airvane {

const wchar_t kStandardDialogFace[] = L"\uB9D1\uC740 \uACE0\uB515";

namespace {

// Fields are read by offset and never past the template's size: a string
// that does not end inside it gives 0, and the template is left as it is.
WORD wordAt(const BYTE* data, size_t at) {
    WORD word;
    std::memcpy(&word, data + at, sizeof word);
    return word;
}

size_t afterString(const BYTE* data, size_t size, size_t at) {
    for (; at + 2 <= size; at += 2) {
        if (wordAt(data, at) == 0) return at + 2;
    }
    return 0;
}

// A menu or class field: none, an ordinal, or a string.
size_t afterNameOrOrdinal(const BYTE* data, size_t size, size_t at) {
    if (at + 2 > size) return 0;
    if (wordAt(data, at) == 0xFFFF) return at + 4 <= size ? at + 4 : 0;
    return afterString(data, size, at);
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

// The resource as it is for a template without a font or whose face is there.
std::vector<DWORD> withInstalledFace(const BYTE* resource, DWORD size) {
    std::vector<DWORD> copy((size + 3) / 4);
    if (size > 0) std::memcpy(copy.data(), resource, size);
    const bool extended = size >= 4 && wordAt(resource, 0) == 1 && wordAt(resource, 2) == 0xFFFF;
    const size_t header = extended ? 26 : 18;  // up to the menu
    if (size < header) return copy;
    DWORD style = 0;
    std::memcpy(&style, resource + (extended ? 12 : 0), sizeof style);
    if ((style & DS_SETFONT) == 0) return copy;
    size_t at = afterNameOrOrdinal(resource, size, header);  // the menu
    at = at ? afterNameOrOrdinal(resource, size, at) : 0;    // the class
    at = at ? afterString(resource, size, at) : 0;           // the caption
    if (at == 0) return copy;
    const size_t faceOffset = at + (extended ? 6 : 2);  // point size (and weight, italic, charset)
    const size_t faceEnd = afterString(resource, size, faceOffset);
    if (faceEnd == 0 || faceInstalled(reinterpret_cast<const wchar_t*>(resource + faceOffset))) return copy;

    // The items begin on the next DWORD after the face; starting them on a
    // DWORD again keeps every item's own alignment. A template without
    // items may end right after its face, before that DWORD.
    const size_t itemsOffset = std::min<size_t>((faceEnd + 3) & ~size_t{3}, size);
    const size_t newFaceBytes = sizeof kStandardDialogFace;
    const size_t newItemsOffset = (faceOffset + newFaceBytes + 3) & ~size_t{3};
    std::vector<DWORD> patched((newItemsOffset + size - itemsOffset + 3) / 4, 0);
    auto* out = reinterpret_cast<BYTE*>(patched.data());
    std::memcpy(out, resource, faceOffset);
    std::memcpy(out + faceOffset, kStandardDialogFace, newFaceBytes);
    std::memcpy(out + newItemsOffset, resource + itemsOffset, size - itemsOffset);
    return patched;
}

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
