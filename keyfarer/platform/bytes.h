#pragma once

// The little-endian codec shared by every fixed binary layout of the program (profile,
// result record, course and lesson records, layouts, privileges ...). Record classes own a
// byte image and read and write typed fields through these helpers at named offsets; nothing
// is ever copied in or out as a packed struct.

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace kf {

using Bytes = std::vector<uint8_t>;
using ByteSpan = std::span<const uint8_t>;
using MutableByteSpan = std::span<uint8_t>;

template <typename T>
T LoadLe(const uint8_t* p)
{
    static_assert(std::is_integral_v<T>);
    using U = std::make_unsigned_t<T>;
    U v = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        v |= static_cast<U>(static_cast<U>(p[i]) << (8 * i));
    return static_cast<T>(v);
}

template <typename T>
void StoreLe(uint8_t* p, T value)
{
    static_assert(std::is_integral_v<T>);
    using U = std::make_unsigned_t<T>;
    U v = static_cast<U>(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Reads a NUL-terminated UTF-16 field of `units` code units; the text ends at the first NUL
// or at the end of the field.
inline std::u16string LoadUtf16Field(const uint8_t* p, size_t units)
{
    std::u16string s;
    for (size_t i = 0; i < units; ++i) {
        char16_t c = LoadLe<uint16_t>(p + 2 * i);
        if (c == 0)
            break;
        s += c;
    }
    return s;
}

// Writes text into a UTF-16 field of `units` code units: at most units - 1 characters, then
// NUL, and the rest of the field zeroed, so that no stale bytes of an earlier text remain.
inline void StoreUtf16Field(uint8_t* p, size_t units, std::u16string_view text)
{
    if (units == 0)
        return;
    const size_t n = std::min(text.size(), units - 1);
    for (size_t i = 0; i < units; ++i)
        StoreLe<uint16_t>(p + 2 * i, i < n ? static_cast<uint16_t>(text[i]) : 0);
}

// A fixed-size byte image with typed accessors; the base of the record classes.
template <size_t N>
class RecordImage
{
public:
    static constexpr size_t kSize = N;

    RecordImage() { m_bytes.fill(0); }

    const uint8_t* data() const { return m_bytes.data(); }
    uint8_t* data() { return m_bytes.data(); }
    static constexpr size_t size() { return N; }
    ByteSpan bytes() const { return {m_bytes.data(), N}; }

    // Copies the image from bytes; false (nothing changed) unless exactly N bytes are given
    // or, with allowLonger, at least N (the rest is ignored).
    bool Assign(ByteSpan from, bool allowLonger = false)
    {
        if (from.size() < N || (!allowLonger && from.size() != N))
            return false;
        std::memcpy(m_bytes.data(), from.data(), N);
        return true;
    }
    void Clear() { m_bytes.fill(0); }

    uint8_t U8(size_t off) const { return At(off, 1)[0]; }
    uint16_t U16(size_t off) const { return LoadLe<uint16_t>(At(off, 2)); }
    int16_t I16(size_t off) const { return LoadLe<int16_t>(At(off, 2)); }
    uint32_t U32(size_t off) const { return LoadLe<uint32_t>(At(off, 4)); }
    int32_t I32(size_t off) const { return LoadLe<int32_t>(At(off, 4)); }
    uint64_t U64(size_t off) const { return LoadLe<uint64_t>(At(off, 8)); }
    std::u16string Text(size_t off, size_t units) const { return LoadUtf16Field(At(off, 2 * units), units); }

    void SetU8(size_t off, uint8_t v) { MutAt(off, 1)[0] = v; }
    void SetU16(size_t off, uint16_t v) { StoreLe(MutAt(off, 2), v); }
    void SetI16(size_t off, int16_t v) { StoreLe(MutAt(off, 2), v); }
    void SetU32(size_t off, uint32_t v) { StoreLe(MutAt(off, 4), v); }
    void SetI32(size_t off, int32_t v) { StoreLe(MutAt(off, 4), v); }
    void SetU64(size_t off, uint64_t v) { StoreLe(MutAt(off, 8), v); }
    void SetText(size_t off, size_t units, std::u16string_view t) { StoreUtf16Field(MutAt(off, 2 * units), units, t); }

    friend bool operator==(const RecordImage& a, const RecordImage& b) { return a.m_bytes == b.m_bytes; }

protected:
    const uint8_t* At(size_t off, [[maybe_unused]] size_t len) const
    {
        assert(off + len <= N && "field outside the record");
        return m_bytes.data() + off;
    }
    uint8_t* MutAt(size_t off, [[maybe_unused]] size_t len)
    {
        assert(off + len <= N && "field outside the record");
        return m_bytes.data() + off;
    }

private:
    std::array<uint8_t, N> m_bytes;
};

// Appends little-endian values to a growing byte buffer (reply buffers, files being built).
class ByteWriter
{
public:
    explicit ByteWriter(Bytes& out) : m_out(out) {}
    template <typename T>
    void Put(T v)
    {
        const size_t at = m_out.size();
        m_out.resize(at + sizeof(T));
        StoreLe<T>(m_out.data() + at, v);
    }
    void PutText(size_t units, std::u16string_view t)
    {
        const size_t at = m_out.size();
        m_out.resize(at + 2 * units);
        StoreUtf16Field(m_out.data() + at, units, t);
    }
    void PutBytes(ByteSpan b) { m_out.insert(m_out.end(), b.begin(), b.end()); }
    void PutZeros(size_t n) { m_out.resize(m_out.size() + n, 0); }

private:
    Bytes& m_out;
};

// Bounds-checked little-endian reading of untrusted bytes: every read reports whether the
// bytes were present, so a short or corrupt file can never be read past its end.
class ByteReader
{
public:
    explicit ByteReader(ByteSpan data) : m_data(data) {}
    size_t Size() const { return m_data.size(); }
    bool Has(size_t off, size_t len) const { return off <= m_data.size() && len <= m_data.size() - off; }
    template <typename T>
    bool Get(size_t off, T& out) const
    {
        if (!Has(off, sizeof(T)))
            return false;
        out = LoadLe<T>(m_data.data() + off);
        return true;
    }
    bool GetText(size_t off, size_t units, std::u16string& out) const
    {
        if (units > SIZE_MAX / 2 || !Has(off, 2 * units))
            return false;
        out = LoadUtf16Field(m_data.data() + off, units);
        return true;
    }
    ByteSpan Slice(size_t off, size_t len) const { return Has(off, len) ? m_data.subspan(off, len) : ByteSpan{}; }

private:
    ByteSpan m_data;
};

// Bytes of a UTF-16 text in little-endian order, and back (an odd last byte is dropped).
Bytes Utf16ToBytes(std::u16string_view text);
std::u16string BytesToUtf16(ByteSpan bytes);

} // namespace kf
