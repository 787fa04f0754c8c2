// Throughput of the Base64 encoder against OpenSSL's EVP_EncodeBlock, in the
// same run, for 256 bytes (the install-source text) and 1 MiB. The two take
// turns, round by round, so that both see the same machine; the best round of
// each counts.
#include <openssl/evp.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "source_info/CBase64Codec.h"

namespace {

using Clock = std::chrono::steady_clock;

// Megabytes of input per second of one timed round of about 16 MiB.
double Round(size_t nBytes, const std::function<void()>& encode) {
    const size_t repetitions = std::max<size_t>(1, (16u << 20) / nBytes);
    const auto start = Clock::now();
    for (size_t i = 0; i < repetitions; ++i) encode();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return static_cast<double>(nBytes) * static_cast<double>(repetitions) / seconds / 1e6;
}

}  // namespace

int main() {
    for (size_t nBytes : {size_t{256}, size_t{1} << 20}) {
        std::vector<unsigned char> source(nBytes);
        for (size_t i = 0; i < nBytes; ++i) source[i] = static_cast<unsigned char>(i * 131 + 7);
        const Crypt::CBase64Codec codec;
        std::vector<char> ours(static_cast<size_t>(codec.GetRequiredLength(static_cast<int>(nBytes))));
        std::vector<unsigned char> openssl(4 * ((nBytes + 2) / 3) + 1);

        const auto encodeOurs = [&] {
            int length = static_cast<int>(ours.size());
            codec.Encode(source.data(), static_cast<int>(nBytes), ours.data(), &length);
            asm volatile("" : : "r"(ours.data()) : "memory");
        };
        const auto encodeOpenSsl = [&] {
            EVP_EncodeBlock(openssl.data(), source.data(), static_cast<int>(nBytes));
            asm volatile("" : : "r"(openssl.data()) : "memory");
        };
        double oursMBs = 0;
        double opensslMBs = 0;
        for (int round = 0; round < 25; ++round) {
            oursMBs = std::max(oursMBs, Round(nBytes, encodeOurs));
            opensslMBs = std::max(opensslMBs, Round(nBytes, encodeOpenSsl));
        }
        std::printf("Encoder, %zu bytes: %.0f MB/s, EVP_EncodeBlock %.0f MB/s, ratio %.2f\n", nBytes, oursMBs,
                    opensslMBs, oursMBs / opensslMBs);
    }
    return 0;
}
