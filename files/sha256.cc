#include "files/sha256.h"

#include <openssl/evp.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "files/file_error.h"

namespace velmora {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string LowerHex(const unsigned char* bytes, unsigned int length) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(2 * length);
  for (unsigned int i = 0; i < length; ++i) {
    hex.push_back(kDigits[bytes[i] >> 4]);
    hex.push_back(kDigits[bytes[i] & 0x0F]);
  }
  return hex;
}

}  // namespace

Sha256::Sha256() : context_(EVP_MD_CTX_new()) {
  if (context_ == nullptr) throw std::runtime_error("SHA-256: no hash context");
  Start();
}

Sha256::Sha256(const Sha256& other) : context_(EVP_MD_CTX_new()) {
  if (context_ == nullptr || EVP_MD_CTX_copy_ex(context_, other.context_) != 1) {
    EVP_MD_CTX_free(context_);
    throw std::runtime_error("SHA-256: the hash cannot be copied");
  }
}

Sha256& Sha256::operator=(const Sha256& other) {
  if (this != &other && EVP_MD_CTX_copy_ex(context_, other.context_) != 1) {
    throw std::runtime_error("SHA-256: the hash cannot be copied");
  }
  return *this;
}

Sha256::~Sha256() { EVP_MD_CTX_free(context_); }

void Sha256::Start() {
  if (EVP_DigestInit_ex(context_, EVP_sha256(), nullptr) != 1) {
    throw std::runtime_error("SHA-256: the hash cannot start");
  }
}

void Sha256::Update(std::string_view bytes) {
  if (bytes.empty()) return;
  if (EVP_DigestUpdate(context_, bytes.data(), bytes.size()) != 1) {
    throw std::runtime_error("SHA-256: the hash cannot take more bytes");
  }
}

std::string Sha256::Final() {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(context_, digest, &length) != 1) {
    throw std::runtime_error("SHA-256: the hash cannot finish");
  }
  Start();
  return LowerHex(digest, length);
}

std::string Sha256::Digest() const {
  return Sha256(*this).Final();
}

std::string Sha256Hex(std::string_view bytes) {
  Sha256 hasher;
  hasher.Update(bytes);
  return hasher.Final();
}

std::string Sha256OfFile(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw FileError::FromErrno(path);
  Sha256 hasher;
  char buffer[65536];
  for (;;) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    hasher.Update(std::string_view(buffer, n));
    if (n < sizeof buffer) break;
  }
  if (std::ferror(file.get())) throw FileError::FromErrno(path);
  return hasher.Final();
}

}  // namespace velmora
