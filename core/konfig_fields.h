#pragma once

#include "engine/cp1252.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

// Field types of the settings record. Every type is an array of bytes, so the
// record has no padding, is trivially copyable and holds the file's bytes as
// they are on every host.

namespace kvilbo::core {

/// Little-endian unsigned or signed integer kept as its file bytes.
template <typename T>
class LeInt
{
public:
    LeInt() = default;
    LeInt(T value) { *this = value; }

    /// Stores value little-endian.
    LeInt &operator=(T value)
    {
        using U = std::make_unsigned_t<T>;
        const auto u = static_cast<U>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i)
            m_bytes[i] = static_cast<unsigned char>(u >> (8 * i));
        return *this;
    }

    /// The stored value.
    operator T() const
    {
        using U = std::make_unsigned_t<T>;
        U u = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            u = static_cast<U>(u | static_cast<U>(static_cast<U>(m_bytes[i]) << (8 * i)));
        return static_cast<T>(u);
    }

private:
    unsigned char m_bytes[sizeof(T)] = {};
};

/// One-byte flag written as 0 or 1; any other byte read from a file counts as true.
class KFlag
{
public:
    KFlag() = default;
    KFlag(bool on) { *this = on; }
    /// Stores 1 for true, 0 for false.
    KFlag &operator=(bool on)
    {
        m_byte = on ? 1 : 0;
        return *this;
    }
    /// True unless the byte is 0.
    operator bool() const { return m_byte != 0; }

private:
    unsigned char m_byte = 0;
};

/// Text of capacity N in N + 1 bytes: a length byte, then cp1252 characters.
template <std::size_t N>
class KText
{
    static_assert(N <= 255, "the length byte holds at most 255");

public:
    static constexpr std::size_t capacity = N;

    /// The text as UTF-8.
    std::string text() const { return engine::fromCp1252(raw()); }
    /// Stores UTF-8 text as cp1252, cut to the capacity.
    void setText(std::string_view utf8) { setRaw(engine::toCp1252(utf8)); }

    /// The stored cp1252 bytes; a damaged length byte above the capacity reads as the capacity.
    std::string raw() const
    {
        const std::size_t length = m_bytes[0] <= N ? m_bytes[0] : N;
        return std::string(reinterpret_cast<const char *>(m_bytes + 1), length);
    }

    /// Stores cp1252 bytes cut to the capacity; the bytes after the text become zero.
    void setRaw(std::string_view cp1252)
    {
        const std::size_t length = cp1252.size() < N ? cp1252.size() : N;
        m_bytes[0] = static_cast<unsigned char>(length);
        if (length != 0)
            std::memcpy(m_bytes + 1, cp1252.data(), length);
        std::memset(m_bytes + 1 + length, 0, N - length);
    }

private:
    unsigned char m_bytes[N + 1] = {};
};

/// Colour as the decimal text of a Windows 0x00BBGGRR value.
class KColour : public KText<15>
{
public:
    /// The colour's low 24 bits; 0 when the text is not a number.
    std::uint32_t colour() const;
    /// Stores the decimal text of the colour's low 24 bits.
    void setColour(std::uint32_t bgr);
};

/// Value of a stored colour text: the low 24 bits of the number, 0 when it is not one.
std::uint32_t colourFromText(std::string_view text);

/// Decimal text of a colour's low 24 bits, as settings and layout records store it.
std::string colourToText(std::uint32_t bgr);

} // namespace kvilbo::core
