// Typed owners of GDI objects: the brush and fonts a dialog paints with live exactly as long
// as their owner, and a GDI object is deleted exactly once.
#pragma once

#include "framework/unique_handle.h"

#include <windows.h>

#include <string>

namespace fw {

template <typename Handle> class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : m_object(handle) {}
    Handle get() const { return static_cast<Handle>(m_object.get()); }
    explicit operator bool() const { return static_cast<bool>(m_object); }
    void reset(Handle handle = nullptr) { m_object.reset(handle); }

  private:
    unique_gdi m_object;
};

using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;

inline Brush MakeSolidBrush(COLORREF colour) {
    return Brush(CreateSolidBrush(colour));
}

// A font of the given face, height, weight and character set, everything else default: not
// italic, underlined or struck out, default precision, quality and pitch.
inline Font MakeFont(const std::wstring& face, int height, int weight, BYTE charset) {
    return Font(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                            face.c_str()));
}

} // namespace fw
