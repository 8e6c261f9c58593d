#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace maltrove {

// The value cipher of the DSN file, as the Windows Base provider gives it for
// CryptDeriveKey(CALG_RC2, MD5 of the gateway's pass phrase, 0): the first 5
// hash bytes plus 11 zero salt bytes as a 16-byte RC2 key with 40 effective
// bits, CBC with a zero IV for every value, PKCS#5 padding. OpenSSL's legacy
// provider runs it. Thread-safe.

// A ciphertext never exceeds 255 bytes, so a plaintext holds at most 247.
inline constexpr std::size_t kMaxCipherValueLength = 255;
inline constexpr std::size_t kMaxPlainValueLength = 247;

// False when the plaintext is too long or the cipher is unavailable.
bool EncipherValue(std::string_view plain, std::string* cipher);

// False for a length that is 0, above 255 or not a multiple of 8, and for bad
// padding.
bool DecipherValue(std::string_view cipher, std::string* plain);

// The same cipher keyed from any 16-byte hash value instead of the pass
// phrase's; lets known answers of other derivations check the construction.
bool EncipherWithHashKey(std::string_view hash, std::string_view plain, std::string* cipher);

}  // namespace maltrove
