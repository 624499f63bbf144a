// Move-only owners of Win32 handles, so that no early return leaks a key, a search or a
// GDI object, and no close call appears outside this file.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <utility>

namespace fw {

template <typename Handle, typename Traits> class unique_any {
  public:
    unique_any() = default;
    explicit unique_any(Handle h) : m_h(h) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : m_h(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    Handle get() const { return m_h; }
    explicit operator bool() const { return m_h != Traits::invalid(); }
    void reset(Handle h = Traits::invalid()) {
        if (m_h != Traits::invalid())
            Traits::close(m_h);
        m_h = h;
    }
    Handle release() { return std::exchange(m_h, Traits::invalid()); }
    // For out-parameters of the API: closes what is held and exposes the slot.
    Handle* put() {
        reset();
        return &m_h;
    }

  private:
    Handle m_h = Traits::invalid();
};

struct HkeyTraits {
    static HKEY invalid() { return nullptr; }
    static void close(HKEY h) { RegCloseKey(h); }
};
struct FindTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { FindClose(h); }
};
struct KernelHandleTraits { // snapshots and files: empty is INVALID_HANDLE_VALUE
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct ProcessHandleTraits { // processes and threads: empty is null
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct LocalTraits { // what the security functions allocate with LocalAlloc
    static HLOCAL invalid() { return nullptr; }
    static void close(HLOCAL h) { LocalFree(h); }
};
struct GdiTraits {
    static HGDIOBJ invalid() { return nullptr; }
    static void close(HGDIOBJ h) { DeleteObject(h); }
};

using unique_hkey = unique_any<HKEY, HkeyTraits>;
using unique_find = unique_any<HANDLE, FindTraits>;
using unique_file = unique_any<HANDLE, KernelHandleTraits>;
using unique_snapshot = unique_any<HANDLE, KernelHandleTraits>;
using unique_process = unique_any<HANDLE, ProcessHandleTraits>;
using unique_gdi = unique_any<HGDIOBJ, GdiTraits>;
using unique_local = unique_any<HLOCAL, LocalTraits>;

} // namespace fw
