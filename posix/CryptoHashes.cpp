#include "posix/CryptoHashes.h"

#include <openssl/evp.h>

namespace qv {

std::string CryptoHashes::Digest(HashKind kind, const std::string& data) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    const EVP_MD* type = kind == HashKind::Md5 ? EVP_md5() : EVP_sha256();
    if (EVP_Digest(data.data(), data.size(), digest, &size, type, nullptr) != 1)
        return "";
    return std::string(reinterpret_cast<const char*>(digest), size);
}

}  // namespace qv
