#pragma once
// A plain Base64 decoder, written apart from the product's encoder, that the
// tests check the encoder's text against. Line breaks are skipped; anything
// else outside the alphabet makes it fail.
#include <optional>
#include <string>

inline std::optional<std::string> DecodeBase64(const std::string& text) {
    std::string clean;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        clean += text[i];
    }
    if (clean.size() % 4 != 0) return std::nullopt;

    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    for (size_t i = 0; i < clean.size(); i += 4) {
        unsigned value = 0;
        int pads = 0;
        for (size_t j = 0; j < 4; ++j) {
            const char c = clean[i + j];
            if (c == '=' && i + 4 == clean.size() && j >= 2) {
                ++pads;
                value <<= 6;
                continue;
            }
            const size_t index = alphabet.find(c);
            if (index == std::string::npos || pads != 0) return std::nullopt;
            value = (value << 6) | static_cast<unsigned>(index);
        }
        bytes += static_cast<char>(value >> 16);
        if (pads < 2) bytes += static_cast<char>(value >> 8);
        if (pads < 1) bytes += static_cast<char>(value);
    }
    return bytes;
}
