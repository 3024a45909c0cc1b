// The ids the stand-in serves: the editor's class, interface, dispatch ids and
// mutex, and the stand-in's own type library.
#pragma once

#include "tests/standins/StandInWindows.h"

namespace standin {

// {3D7A2C51-8E04-4B9F-A1C6-5F20D8E47B13}
constexpr CLSID CLSID_EditorApplication = {0x3D7A2C51,
                                           0x8E04,
                                           0x4B9F,
                                           {0xA1, 0xC6, 0x5F, 0x20, 0xD8, 0xE4, 0x7B, 0x13}};
// {9B41E6D2-07C3-4E58-8D2A-C6B3F1905A7E}
constexpr IID IID_EditorApplication = {0x9B41E6D2,
                                       0x07C3,
                                       0x4E58,
                                       {0x8D, 0x2A, 0xC6, 0xB3, 0xF1, 0x90, 0x5A, 0x7E}};
// {5C0F8E21-3B7A-4D62-9E14-A8D35B27C641}, the library of EditorStandIn.idl.
constexpr GUID kLibIdStandIn = {0x5C0F8E21,
                                0x3B7A,
                                0x4D62,
                                {0x9E, 0x14, 0xA8, 0xD3, 0x5B, 0x27, 0xC6, 0x41}};

constexpr DISPID kDispIdQuit = 0x71756974;
constexpr DISPID kDispIdFeatureEnabled = 0x6674656E;
constexpr DISPID kDispIdRunScript = 0x446A7857;

constexpr wchar_t kEditorMutexName[] = L"GX3.0.5WIN";
constexpr wchar_t kClsidText[] = L"{3D7A2C51-8E04-4B9F-A1C6-5F20D8E47B13}";

}  // namespace standin
