// SHA-256 through libcrypto's EVP interface: an incremental hasher, which can
// tell the hash of what it has taken so far and go on, and the hash of a
// whole file read in blocks. Hashes are given as 64 lowercase hex digits.
#ifndef VELMORA_FILES_SHA256_H
#define VELMORA_FILES_SHA256_H

#include <string>
#include <string_view>

struct evp_md_ctx_st;  // EVP_MD_CTX, kept out of this header

namespace velmora {

class Sha256 {
 public:
  // Throws std::runtime_error when libcrypto cannot start a hash.
  Sha256();
  ~Sha256();
  // A copy goes on from the same bytes as the original.
  Sha256(const Sha256& other);
  Sha256& operator=(const Sha256& other);

  // Adds `bytes` to the hashed text.
  void Update(std::string_view bytes);

  // The hash of everything added since the start (or the last Final), as
  // lowercase hex. The hasher then starts over with an empty text.
  std::string Final();

  // The hash of everything added so far; the hasher goes on from there.
  std::string Digest() const;

 private:
  void Start();

  evp_md_ctx_st* context_;
};

// The hash of `bytes`.
std::string Sha256Hex(std::string_view bytes);

// The hash of the file's bytes, read in blocks. Throws FileError when the
// file cannot be opened or read (a missing file included).
std::string Sha256OfFile(const std::string& path);

}  // namespace velmora

#endif
