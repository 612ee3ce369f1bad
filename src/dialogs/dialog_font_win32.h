// The dialog templates name 굴림 and 굴림체. Windows 10 and 11 ship those only
// as the Korean supplemental fonts (a language feature a Korean PC normally
// has, but one that can be missing); 맑은 고딕 is in every Windows since
// Vista. Dialogs are made from a copy of their template that names 맑은 고딕
// where the named face is not installed.
#pragma once

#include <windows.h>

#include <vector>

namespace airvane {

// The face every Windows has, used where a template's face is missing.
extern const wchar_t kStandardDialogFace[];

// Whether a font family of that face is installed.
bool faceInstalled(const wchar_t* face);

// The dialog template resource of size bytes, copied, with its face
// replaced by kStandardDialogFace when that face is not installed.
std::vector<DWORD> withInstalledFace(const BYTE* resource, DWORD size);

// The template to make dialog templateId from; null when the resource is
// missing. The copy lives as long as the program.
const DLGTEMPLATE* dialogTemplate(HINSTANCE instance, int templateId);

}  // namespace airvane
