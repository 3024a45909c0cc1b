// What the library knows of the image editor's automation server: its class
// and interface ids, the dispatch ids of its three members and the name of its
// single-instance mutex.
#pragma once

#include "bridge/BridgeWindows.h"

namespace numbridge {

// {3D7A2C51-8E04-4B9F-A1C6-5F20D8E47B13}, the editor's application class.
constexpr CLSID CLSID_EditorApplication = {0x3D7A2C51,
                                           0x8E04,
                                           0x4B9F,
                                           {0xA1, 0xC6, 0x5F, 0x20, 0xD8, 0xE4, 0x7B, 0x13}};
// {9B41E6D2-07C3-4E58-8D2A-C6B3F1905A7E}, its dual application interface.
constexpr IID IID_EditorApplication = {0x9B41E6D2,
                                       0x07C3,
                                       0x4E58,
                                       {0x8D, 0x2A, 0xC6, 0xB3, 0xF1, 0x90, 0x5A, 0x7E}};

// The members, as the four letters of their names read as big-endian numbers.
constexpr DISPID kDispIdQuit = 0x71756974;            // "quit": method, no arguments
constexpr DISPID kDispIdFeatureEnabled = 0x6674656E;  // "ften": (BSTR feature) -> VT_BOOL
constexpr DISPID kDispIdRunScript = 0x446A7857;       // "DjxW": (BSTR script) -> VT_BSTR

// The editor's single-instance mutex, in the default namespace.
constexpr wchar_t kEditorMutexName[] = L"GX3.0.5WIN";

}  // namespace numbridge
