#pragma once
#include <string>

namespace qv {

enum class HashKind { Md5, Sha256 };

// Message digests from the operating system's own cryptography.
class Hashes {
  public:
    virtual ~Hashes() = default;
    // The digest of `data` as raw bytes (16 for MD5, 32 for SHA-256); empty when the system
    // could not compute it.
    virtual std::string Digest(HashKind kind, const std::string& data) = 0;
};

}  // namespace qv
