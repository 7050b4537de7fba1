#pragma once
#include "platform/Hashes.h"

namespace qv::win32 {

// MD5 and SHA-256 from the system's cryptography (BCrypt): a provider opened for each digest.
class Win32Hashes : public Hashes {
  public:
    std::string Digest(HashKind kind, const std::string& data) override;
};

}  // namespace qv::win32
