// The few security calls the installation makes, over SDDL text and SID strings: a security
// descriptor made from SDDL, the account this process runs as, a file's owner, and a
// protected DACL put on an existing folder.
#pragma once

#include "framework/unique_handle.h"

#include <optional>
#include <string>

namespace security {

class SecurityDescriptor {
  public:
    // nullopt when Windows cannot parse the text (GetLastError tells why).
    static std::optional<SecurityDescriptor> FromSddl(const std::wstring& sddl);
    // For a create call: the object gets exactly this descriptor from its first moment.
    SECURITY_ATTRIBUTES* Attributes() { return &m_attributes; }
    PSECURITY_DESCRIPTOR get() const { return m_descriptor.get(); }

  private:
    explicit SecurityDescriptor(HLOCAL descriptor);
    fw::unique_local m_descriptor;
    SECURITY_ATTRIBUTES m_attributes{};
};

// The SID of the account this process runs as; nullopt when its token cannot be read.
std::optional<std::wstring> RunnerSid();

// The SID of the file's or folder's owner; of a link or junction itself, not of what it points
// to, since its owner can point it elsewhere later. nullopt (GetLastError tells why) when it
// cannot be read or the file system keeps none.
std::optional<std::wstring> OwnerSid(const std::wstring& path);

// Replaces the DACL of an existing file or folder by the descriptor's, protected from
// inheritance; Windows passes its inheritable entries on to what lies inside. Returns the
// Win32 error, or ERROR_SUCCESS.
unsigned long ProtectDacl(const std::wstring& path, const SecurityDescriptor& descriptor);

} // namespace security
