// Fuzz target of the Base64 encoder. The first input byte sets the capacity
// offered to Encode relative to what it demands (-128 to +127 bytes); the
// rest is the data. Any breach of the encoder's promises traps.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "source_info/CBase64Codec.h"
#include "tests/unit/Base64Decode.h"

namespace {

const size_t kGuard = 64;
const char kGuardByte = '\xA5';

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

bool Untouched(const char* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (p[i] != kGuardByte) return false;
    return true;
}

void CheckLayout(const std::string& text, int n) {
    // Lines of 76 joined by CR LF; a break after every 19 complete groups only.
    size_t start = 0;
    size_t lines = 0;
    for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2, ++lines)
        Require(at - start == 76);
    const size_t last = text.size() - start;
    Require(last <= 76 && text.find_first_of("\r\n", start) == std::string::npos);
    Require(lines == static_cast<size_t>(n / 3 / 19));
    Require((last == 0) == (n % 57 == 0));

    const size_t pads = (3 - n % 3) % 3;
    const size_t firstPad = text.find('=');
    Require(firstPad == (pads == 0 ? std::string::npos : text.size() - pads));
    Require(text.find_first_of(std::string(" \0", 2)) == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int slack = static_cast<int8_t>(data[0]);
    const BYTE* source = data + 1;
    const int n = static_cast<int>(size - 1);

    const Crypt::CBase64Codec codec;
    const int required = codec.GetRequiredLength(n);
    const int capacity = required + slack < 0 ? 0 : required + slack;

    std::vector<char> buffer(kGuard + static_cast<size_t>(capacity) + kGuard, kGuardByte);
    char* dest = buffer.data() + kGuard;
    int length = capacity;
    const bool encoded = codec.Encode(source, n, dest, &length);

    Require(encoded == (capacity >= required));
    Require(Untouched(buffer.data(), kGuard));
    const size_t demanded = static_cast<size_t>(required < capacity ? required : capacity);
    Require(Untouched(dest + demanded, buffer.size() - kGuard - demanded));  // nothing past the demand
    if (!encoded) {
        Require(length == capacity && Untouched(dest, static_cast<size_t>(capacity)));
        return 0;
    }

    const std::string text(dest, static_cast<size_t>(length));
    Require(length <= required - 2);
    Require(DecodeBase64(text) == std::string(reinterpret_cast<const char*>(source), static_cast<size_t>(n)));
    CheckLayout(text, n);
    Require(std::string(codec.EncodeToString(source, n)) == text);
    return 0;
}
