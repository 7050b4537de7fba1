#include "win32/Win32Hashes.h"

#include <windows.h>
#include <bcrypt.h>

#include <vector>

#include "win32/Handles.h"

namespace qv::win32 {
namespace {

void CloseAlgorithm(BCRYPT_ALG_HANDLE algorithm) {
    BCryptCloseAlgorithmProvider(algorithm, 0);
}

using UniqueAlgorithm = Owner<BCRYPT_ALG_HANDLE, &CloseAlgorithm>;
using UniqueHash = Owner<BCRYPT_HASH_HANDLE, &::BCryptDestroyHash>;

bool Succeeded(NTSTATUS status) {
    return status >= 0;
}

// A DWORD property of the algorithm (the size of its hash object or of its digest), 0 when the
// system does not tell it.
DWORD Property(BCRYPT_ALG_HANDLE algorithm, LPCWSTR name) {
    DWORD value = 0;
    ULONG written = 0;
    const NTSTATUS status = BCryptGetProperty(algorithm, name, reinterpret_cast<PUCHAR>(&value),
                                              sizeof value, &written, 0);
    return Succeeded(status) && written == sizeof value ? value : 0;
}

}  // namespace

std::string Win32Hashes::Digest(HashKind kind, const std::string& data) {
    UniqueAlgorithm algorithm;
    const LPCWSTR name = kind == HashKind::Md5 ? BCRYPT_MD5_ALGORITHM : BCRYPT_SHA256_ALGORITHM;
    if (!Succeeded(BCryptOpenAlgorithmProvider(algorithm.Put(), name, nullptr, 0)))
        return {};
    // Windows Vista wants the hash object's memory from the caller.
    std::vector<UCHAR> object(Property(algorithm.Get(), BCRYPT_OBJECT_LENGTH));
    std::string digest(Property(algorithm.Get(), BCRYPT_HASH_LENGTH), '\0');
    UniqueHash hash;
    if (object.empty() || digest.empty() ||
        !Succeeded(BCryptCreateHash(algorithm.Get(), hash.Put(), object.data(),
                                    static_cast<ULONG>(object.size()), nullptr, 0, 0)))
        return {};
    // BCrypt takes the input as non-const bytes; it does not write them.
    auto* input = reinterpret_cast<PUCHAR>(const_cast<char*>(data.data()));
    if (!Succeeded(BCryptHashData(hash.Get(), input, static_cast<ULONG>(data.size()), 0)) ||
        !Succeeded(BCryptFinishHash(hash.Get(), reinterpret_cast<PUCHAR>(digest.data()),
                                    static_cast<ULONG>(digest.size()), 0)))
        return {};
    return digest;
}

}  // namespace qv::win32
