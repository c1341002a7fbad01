// URLs made safe to send: the characters that cannot stand in one encoded.
#ifndef VELMORA_NET_ENCODE_URL_H
#define VELMORA_NET_ENCODE_URL_H

#include <string>
#include <string_view>

namespace velmora {

// `url` with every character that cannot stand in a URL percent-encoded:
// space, control characters, bytes above 127 and "<>\^`{|} and the double
// quote. Everything else, "%" included, is left as it is.
std::string EncodeUrl(std::string_view url);

}  // namespace velmora

#endif
