#include "gateway/rc2_cipher.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <array>
#include <memory>
#include <mutex>

namespace maltrove {
namespace {

// A constant of the gateway, the same for every installation.
constexpr std::string_view kPassPhrase = "QZMVTRELNOKPWAHSU";
constexpr int kKeyBytes = 16;          // 5 derived bytes + 11 zero salt bytes
constexpr int kDerivedKeyBytes = 5;    // the Base provider's 40-bit default
constexpr int kEffectiveKeyBits = 40;
constexpr int kBlock = 8;

using Key = std::array<unsigned char, kKeyBytes>;

// A library context of our own, so RC2 from the legacy provider does not
// become visible to the other OpenSSL users in the process (libcurl).
struct CipherRuntime {
  OSSL_LIB_CTX* libctx = nullptr;
  OSSL_PROVIDER* legacy = nullptr;
  OSSL_PROVIDER* fallback = nullptr;
  EVP_CIPHER* rc2_cbc = nullptr;
  bool have_pass_key = false;
  Key pass_key{};
};

Key KeyFromHash(const unsigned char* hash) {
  Key key{};
  for (int i = 0; i < kDerivedKeyBytes; ++i) key[i] = hash[i];
  return key;
}

const CipherRuntime& Runtime() {
  static std::once_flag once;
  static CipherRuntime runtime;
  std::call_once(once, [] {
    runtime.libctx = OSSL_LIB_CTX_new();
    if (runtime.libctx == nullptr) return;
    runtime.legacy = OSSL_PROVIDER_load(runtime.libctx, "legacy");
    runtime.fallback = OSSL_PROVIDER_load(runtime.libctx, "default");
    if (runtime.legacy == nullptr || runtime.fallback == nullptr) return;
    runtime.rc2_cbc = EVP_CIPHER_fetch(runtime.libctx, "RC2-CBC", nullptr);
    EVP_MD* md5 = EVP_MD_fetch(runtime.libctx, "MD5", nullptr);
    unsigned char hash[EVP_MAX_MD_SIZE];
    unsigned int hash_length = 0;
    if (md5 != nullptr &&
        EVP_Digest(kPassPhrase.data(), kPassPhrase.size(), hash, &hash_length, md5, nullptr) == 1 &&
        hash_length == 16) {
      runtime.pass_key = KeyFromHash(hash);
      runtime.have_pass_key = true;
    }
    EVP_MD_free(md5);
  });
  return runtime;
}

struct CtxFree {
  void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};

bool RunCipher(bool encrypt, const Key& key, std::string_view in, std::string* out) {
  const CipherRuntime& runtime = Runtime();
  if (runtime.rc2_cbc == nullptr) return false;
  std::unique_ptr<EVP_CIPHER_CTX, CtxFree> ctx(EVP_CIPHER_CTX_new());
  if (!ctx) return false;
  const unsigned char iv[kBlock] = {};
  const int enc = encrypt ? 1 : 0;
  // The effective bits must be in place before the key schedule runs, so the
  // key goes in by a second initialisation.
  if (EVP_CipherInit_ex2(ctx.get(), runtime.rc2_cbc, nullptr, nullptr, enc, nullptr) != 1 ||
      EVP_CIPHER_CTX_set_key_length(ctx.get(), kKeyBytes) != 1 ||
      EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_SET_RC2_KEY_BITS, kEffectiveKeyBits, nullptr) != 1 ||
      EVP_CipherInit_ex2(ctx.get(), nullptr, key.data(), iv, enc, nullptr) != 1) {
    return false;
  }
  std::array<unsigned char, kMaxCipherValueLength + 1 + kBlock> buffer;
  int head = 0;
  int tail = 0;
  bool ok = EVP_CipherUpdate(ctx.get(), buffer.data(), &head,
                             reinterpret_cast<const unsigned char*>(in.data()),
                             static_cast<int>(in.size())) == 1 &&
            EVP_CipherFinal_ex(ctx.get(), buffer.data() + head, &tail) == 1;
  if (ok) out->assign(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(head + tail));
  OPENSSL_cleanse(buffer.data(), buffer.size());
  return ok;
}

}  // namespace

bool EncipherValue(std::string_view plain, std::string* cipher) {
  const CipherRuntime& runtime = Runtime();
  if (plain.size() > kMaxPlainValueLength || !runtime.have_pass_key) return false;
  return RunCipher(true, runtime.pass_key, plain, cipher);
}

bool DecipherValue(std::string_view cipher, std::string* plain) {
  const CipherRuntime& runtime = Runtime();
  if (cipher.empty() || cipher.size() > kMaxCipherValueLength || cipher.size() % kBlock != 0 ||
      !runtime.have_pass_key) {
    return false;
  }
  return RunCipher(false, runtime.pass_key, cipher, plain);
}

bool EncipherWithHashKey(std::string_view hash, std::string_view plain, std::string* cipher) {
  if (hash.size() != 16 || plain.size() > kMaxPlainValueLength) return false;
  return RunCipher(true, KeyFromHash(reinterpret_cast<const unsigned char*>(hash.data())), plain,
                   cipher);
}

}  // namespace maltrove
