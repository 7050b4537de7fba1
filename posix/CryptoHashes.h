#pragma once
#include "platform/Hashes.h"

namespace qv {

// The digests of Debian's libcrypto, for the native tests, benchmarks and fuzzers.
class CryptoHashes : public Hashes {
  public:
    std::string Digest(HashKind kind, const std::string& data) override;
};

}  // namespace qv
