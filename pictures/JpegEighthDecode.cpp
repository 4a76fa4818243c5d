// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/JpegEighthDecode.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace {

// The largest eighth made (64 MB of pixels), whatever a header claims.
constexpr qint64 kMaxPixels = qint64{1} << 24;

// A table lookup decodes from the next this many bits of the data.
constexpr int kLookBits = 12;
constexpr unsigned kLookSize = 1u << kLookBits;

// Skip entries: bits used (low 4), coefficient positions advanced (next 7),
// and whether the codes ended with the block's end (bit 11).
constexpr unsigned kSkipEndsBlock = 0x800;

struct HuffmanTable {
    bool defined = false;
    int count = 0;
    // Codes of any length, decoded canonically: maxCode[l] is the largest
    // code of length l (-1 when there is none); its symbol is at
    // symbols[valueOffset[l] + code].
    std::array<int32_t, 17> maxCode{};
    std::array<int32_t, 17> valueOffset{};
    std::array<uint8_t, 256> symbols{};
    // By the next kLookBits bits: (length << 8) | symbol of a code that short,
    // 0 for a longer one.
    std::vector<uint16_t> single;
    // By the next kLookBits bits: the whole AC codes, with their extra bits,
    // that fit in them, as a skip entry; 0 when not even one does.
    std::vector<uint16_t> skip;
};

bool BuildTable(HuffmanTable& table, const uint8_t* counts, const uint8_t* values, bool dc)
{
    int total = 0;
    for (int l = 0; l < 16; ++l)
        total += counts[l];
    if (total > 256)
        return false;
    table.count = total;
    std::copy(values, values + total, table.symbols.begin());
    if (dc) {
        // A DC difference has at most 11 bits in an 8-bit JPEG.
        for (int i = 0; i < total; ++i) {
            if (values[i] > 11)
                return false;
        }
    }
    int32_t code = 0;
    int index = 0;
    table.maxCode.fill(-1);
    table.single.assign(kLookSize, 0);
    for (int l = 1; l <= 16; ++l) {
        table.valueOffset[l] = index - code;
        for (int i = 0; i < counts[l - 1]; ++i, ++index, ++code) {
            // More codes than this length has room for: not a prefix code.
            if (code >= (int32_t{1} << l))
                return false;
            if (l <= kLookBits) {
                const unsigned first = static_cast<unsigned>(code) << (kLookBits - l);
                const unsigned last = (static_cast<unsigned>(code) + 1) << (kLookBits - l);
                std::fill(table.single.begin() + first, table.single.begin() + last,
                          static_cast<uint16_t>(l << 8 | values[index]));
            }
        }
        if (counts[l - 1] > 0)
            table.maxCode[l] = code - 1;
        code <<= 1;
    }
    if (!dc) {
        table.skip.assign(kLookSize, 0);
        for (unsigned look = 0; look < kLookSize; ++look) {
            int used = 0;
            unsigned advance = 0;
            unsigned ends = 0;
            while (true) {
                const unsigned entry = table.single[(look << used) & (kLookSize - 1)];
                const int length = static_cast<int>(entry >> 8);
                if (entry == 0 || length > kLookBits - used)
                    break;
                const unsigned run = (entry >> 4) & 15;
                const int extra = static_cast<int>(entry & 15);
                if (extra == 0 && run != 15) {
                    used += length;
                    ends = kSkipEndsBlock;
                    break;
                }
                const unsigned step = extra != 0 ? run + 1 : 16;
                if (used + length + extra > kLookBits || advance + step > 63)
                    break;
                used += length + extra;
                advance += step;
            }
            table.skip[look] = used == 0 ? 0 : static_cast<uint16_t>(static_cast<unsigned>(used) | advance << 4 | ends);
        }
    }
    table.defined = true;
    return true;
}

// The entropy-coded data, read MSB first through a 64-bit window. Past a
// marker (or the end of the file) the window fills with zeros, which count
// as `fake` bits: a decode that reads into them has run out of data.
class BitReader {
public:
    BitReader(const uint8_t* from, const uint8_t* end) : m_p(from), m_end(end) {}

    void Fill()
    {
        while (m_bits <= 56) {
            if (m_fake == 0 && m_end - m_p >= 8) {
                uint64_t v;
                std::memcpy(&v, m_p, 8);
                v = __builtin_bswap64(v);
                // No 0xFF byte among them: whole bytes straight in. The
                // bits past them are the same data again and are rewritten
                // with themselves by the next fill.
                if ((((~v) - 0x0101010101010101ull) & v & 0x8080808080808080ull) == 0) {
                    const int n = (64 - m_bits) >> 3;
                    m_acc |= v >> m_bits;
                    m_p += n;
                    m_bits += n * 8;
                    continue;
                }
            }
            unsigned byte = 0;
            if (m_fake == 0 && m_p < m_end && *m_p != 0xFF) {
                byte = *m_p++;
            } else if (m_fake == 0 && m_end - m_p >= 2 && m_p[1] == 0x00) {
                byte = 0xFF;
                m_p += 2;
            } else {
                m_fake += 8;
            }
            m_acc |= static_cast<uint64_t>(byte) << (56 - m_bits);
            m_bits += 8;
        }
    }

    unsigned Peek(int count) const { return static_cast<unsigned>(m_acc >> (64 - count)); }
    uint64_t Window() const { return m_acc; }
    int Bits() const { return m_bits; }
    void Drop(int count)
    {
        m_acc <<= count;
        m_bits -= count;
    }
    // Whether what was decoded so far came from real data.
    bool Overran() const { return m_bits < m_fake; }
    // Bits of real data still in the window.
    int RealBits() const { return m_bits - m_fake; }
    const uint8_t* Position() const { return m_p; }

    // Starts again at `from`, as after a restart marker.
    void Restart(const uint8_t* from)
    {
        m_p = from;
        m_acc = 0;
        m_bits = 0;
        m_fake = 0;
    }

private:
    const uint8_t* m_p;
    const uint8_t* m_end;
    uint64_t m_acc = 0;
    int m_bits = 0;
    int m_fake = 0;
};

// A code of any length; -1 for bits that are no code of the table.
int DecodeSlow(const HuffmanTable& table, const BitReader& bits, int& length)
{
    for (int l = 1; l <= 16; ++l) {
        const auto code = static_cast<int32_t>(bits.Window() >> (64 - l));
        if (code <= table.maxCode[l]) {
            const int index = table.valueOffset[l] + code;
            if (index < 0 || index >= table.count)
                return -1;
            length = l;
            return table.symbols[static_cast<size_t>(index)];
        }
    }
    return -1;
}

// The signed value of `size` extra bits, as JPEG codes a coefficient.
inline int32_t Extend(int32_t raw, int size)
{
    return raw < (int32_t{1} << (size - 1)) ? raw - (int32_t{1} << size) + 1 : raw;
}

// One symbol; -1 when the bits are no code.
inline int DecodeSymbol(const HuffmanTable& table, BitReader& bits)
{
    const unsigned entry = table.single[bits.Peek(kLookBits)];
    int length = static_cast<int>(entry >> 8);
    int symbol = static_cast<int>(entry & 0xFF);
    if (entry == 0) {
        symbol = DecodeSlow(table, bits, length);
        if (symbol < 0)
            return -1;
    }
    bits.Drop(length);
    return symbol;
}

struct Component {
    int id = 0;
    int h = 1;
    int v = 1;
    int quant = 0;
    int dcTable = 0;
    int acTable = 0;
    // Pixels of the eighth each of its blocks covers, across and down: 1
    // for the most finely sampled, more for colour sampled more coarsely.
    int spanX = 1;
    int spanY = 1;
    // For a block spanning more than one pixel, what coefficient k (in the
    // file's zigzag order) adds to each of its pixels' means, dequantised:
    // weights[k * span + pixel].
    std::vector<float> weights;
    // The component at the eighth's resolution, padded to whole MCUs.
    std::vector<uint8_t> plane;
    int planeWidth = 0;
};

struct Frame {
    int width = 0;
    int height = 0;
    std::array<Component, 3> components;
    bool haveFrame = false;
    bool jfif = false;
    bool adobe = false;
    int adobeTransform = -1;
    int restartInterval = 0;
    int mcusX = 0; // MCUs across and down, once the sampling is known
    int mcusY = 0;
    std::array<std::array<uint16_t, 64>, 4> quant{}; // in zigzag order
    std::array<bool, 4> quantDefined{};
    std::array<HuffmanTable, 4> dc;
    std::array<HuffmanTable, 4> ac;
    // The scan's components, in the scan's order, as indices into components.
    std::array<int, 3> scanOrder{};
};

int Read16(const uint8_t* p)
{
    return p[0] << 8 | p[1];
}

// The headers up to the scan; the position of its first data byte, or null
// for a file this decoder does not take.
const uint8_t* ReadHeaders(const uint8_t* p, const uint8_t* end, Frame& f)
{
    if (end - p < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return nullptr;
    p += 2;
    while (true) {
        if (p >= end || *p != 0xFF)
            return nullptr;
        while (p < end && *p == 0xFF)
            ++p;
        if (p >= end)
            return nullptr;
        const int marker = *p++;
        // Markers without a segment have no place among the headers.
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9))
            return nullptr;
        if (end - p < 2)
            return nullptr;
        const int length = Read16(p);
        if (length < 2 || end - p < length)
            return nullptr;
        const uint8_t* s = p + 2;
        const uint8_t* const segmentEnd = p + length;
        p = segmentEnd;
        switch (marker) {
        case 0xC0: // baseline
        case 0xC1: // extended, Huffman
            if (f.haveFrame || segmentEnd - s < 6 + 9 || s[0] != 8)
                return nullptr;
            f.height = Read16(s + 1);
            f.width = Read16(s + 3);
            if (f.width == 0 || f.height == 0 || s[5] != 3 || segmentEnd - s < 6 + 3 * 3)
                return nullptr;
            for (int i = 0; i < 3; ++i) {
                Component& c = f.components[static_cast<size_t>(i)];
                c.id = s[6 + 3 * i];
                c.h = s[7 + 3 * i] >> 4;
                c.v = s[7 + 3 * i] & 15;
                c.quant = s[8 + 3 * i];
                if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.quant > 3)
                    return nullptr;
            }
            f.haveFrame = true;
            break;
        case 0xC4: // Huffman tables
            while (s < segmentEnd) {
                if (segmentEnd - s < 17)
                    return nullptr;
                const int kind = s[0] >> 4;
                const int slot = s[0] & 15;
                if (kind > 1 || slot > 3)
                    return nullptr;
                int total = 0;
                for (int l = 0; l < 16; ++l)
                    total += s[1 + l];
                if (segmentEnd - s < 17 + total)
                    return nullptr;
                HuffmanTable& table = kind == 0 ? f.dc[static_cast<size_t>(slot)] : f.ac[static_cast<size_t>(slot)];
                if (!BuildTable(table, s + 1, s + 17, kind == 0))
                    return nullptr;
                s += 17 + total;
            }
            break;
        case 0xDB: // quantisation tables
            while (s < segmentEnd) {
                const int precision = s[0] >> 4;
                const int slot = s[0] & 15;
                const int size = precision == 0 ? 64 : 128;
                if (precision > 1 || slot > 3 || segmentEnd - s < 1 + size)
                    return nullptr;
                for (int k = 0; k < 64; ++k)
                    f.quant[static_cast<size_t>(slot)][static_cast<size_t>(k)] =
                        static_cast<uint16_t>(precision == 0 ? s[1 + k] : Read16(s + 1 + 2 * k));
                f.quantDefined[static_cast<size_t>(slot)] = true;
                s += 1 + size;
            }
            break;
        case 0xDD: // restart interval
            if (segmentEnd - s < 2)
                return nullptr;
            f.restartInterval = Read16(s);
            break;
        case 0xE0:
            if (segmentEnd - s >= 5 && std::memcmp(s, "JFIF\0", 5) == 0)
                f.jfif = true;
            break;
        case 0xEE:
            if (segmentEnd - s >= 12 && std::memcmp(s, "Adobe", 5) == 0) {
                f.adobe = true;
                f.adobeTransform = s[11];
            }
            break;
        case 0xDA: { // the scan: all three components at once, the whole spectrum
            if (!f.haveFrame || segmentEnd - s < 1 || s[0] != 3 || segmentEnd - s < 1 + 2 * 3 + 3)
                return nullptr;
            for (int i = 0; i < 3; ++i) {
                const int id = s[1 + 2 * i];
                const int tables = s[2 + 2 * i];
                int found = -1;
                for (int c = 0; c < 3; ++c) {
                    if (f.components[static_cast<size_t>(c)].id == id)
                        found = c;
                }
                if (found < 0)
                    return nullptr;
                for (int j = 0; j < i; ++j) {
                    if (f.scanOrder[static_cast<size_t>(j)] == found)
                        return nullptr;
                }
                f.scanOrder[static_cast<size_t>(i)] = found;
                Component& c = f.components[static_cast<size_t>(found)];
                c.dcTable = tables >> 4;
                c.acTable = tables & 15;
                if (c.dcTable > 3 || c.acTable > 3 || !f.dc[static_cast<size_t>(c.dcTable)].defined ||
                    !f.ac[static_cast<size_t>(c.acTable)].defined || !f.quantDefined[static_cast<size_t>(c.quant)])
                    return nullptr;
            }
            const uint8_t* spectrum = s + 1 + 2 * 3;
            if (spectrum[0] != 0 || spectrum[1] != 63 || spectrum[2] != 0)
                return nullptr;
            return segmentEnd;
        }
        default:
            // Any other frame kind (progressive, lossless, arithmetic coding,
            // hierarchical) is libjpeg's; other segments are skipped.
            if ((marker >= 0xC2 && marker <= 0xCF) || marker == 0xDC || marker == 0xDE)
                return nullptr;
            break;
        }
    }
}

// YCbCr as libjpeg converts it (JFIF's full-range coefficients, 16-bit
// fixed point).
struct ColourTables {
    std::array<int, 256> crR{};
    std::array<int, 256> cbB{};
    std::array<int32_t, 256> crG{};
    std::array<int32_t, 256> cbG{};
    ColourTables()
    {
        constexpr int kBits = 16;
        constexpr int32_t kHalf = int32_t{1} << (kBits - 1);
        const auto fix = [](double x) { return static_cast<int32_t>(x * (1 << kBits) + 0.5); };
        for (int i = 0; i < 256; ++i) {
            const int x = i - 128;
            crR[static_cast<size_t>(i)] = (fix(1.40200) * x + kHalf) >> kBits;
            cbB[static_cast<size_t>(i)] = (fix(1.77200) * x + kHalf) >> kBits;
            crG[static_cast<size_t>(i)] = -fix(0.71414) * x;
            cbG[static_cast<size_t>(i)] = -fix(0.34414) * x + kHalf;
        }
    }
};

inline uint32_t Clamp255(int v)
{
    return static_cast<uint32_t>(std::clamp(v, 0, 255));
}

// The zigzag order: natural[k] is the row-major place of coefficient k.
constexpr std::array<uint8_t, 64> kNatural = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                              12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                              35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                              58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// What each coefficient adds to the mean of each of span equal parts of a
// block along one axis: the mean of its cosine over the part's pixels, with
// the transform's scale (1/2, and 1/sqrt(2) for the first).
std::array<double, 8 * 4> PartMeans(int span)
{
    std::array<double, 8 * 4> means{};
    const double pi = 3.14159265358979323846;
    const int width = 8 / span;
    for (int u = 0; u < 8; ++u) {
        for (int part = 0; part < span; ++part) {
            double sum = 0;
            for (int x = part * width; x < (part + 1) * width; ++x)
                sum += std::cos((2 * x + 1) * u * pi / 16);
            const double scale = u == 0 ? 0.5 / std::sqrt(2.0) : 0.5;
            means[static_cast<size_t>(u * 4 + part)] = scale * sum / width;
        }
    }
    return means;
}

std::vector<float> PartWeights(int spanX, int spanY, const std::array<uint16_t, 64>& quant)
{
    const std::array<double, 32> across = PartMeans(spanX);
    const std::array<double, 32> down = PartMeans(spanY);
    const int span = spanX * spanY;
    std::vector<float> weights(static_cast<size_t>(64 * span));
    for (int k = 0; k < 64; ++k) {
        const int v = kNatural[static_cast<size_t>(k)] / 8;
        const int u = kNatural[static_cast<size_t>(k)] % 8;
        for (int py = 0; py < spanY; ++py) {
            for (int px = 0; px < spanX; ++px)
                weights[static_cast<size_t>(k * span + py * spanX + px)] =
                    static_cast<float>(quant[static_cast<size_t>(k)] * across[static_cast<size_t>(u * 4 + px)] *
                                       down[static_cast<size_t>(v * 4 + py)]);
        }
    }
    return weights;
}

// The scan's data, each block's pixels of the eighth into its component's
// plane; false when the data does not decode cleanly to the end of the scan.
bool DecodeScan(Frame& f, const uint8_t* data, const uint8_t* end)
{

    struct BlockPlace {
        Component* component;
        const HuffmanTable* dc;
        const HuffmanTable* ac;
        int predictor; // index into the predictors
        int quant;     // the DC step
        size_t offset; // of the block's first pixel in its plane, from the MCU's
    };
    std::vector<BlockPlace> places;
    for (int i = 0; i < 3; ++i) {
        const int index = f.scanOrder[static_cast<size_t>(i)];
        Component& c = f.components[static_cast<size_t>(index)];
        for (int by = 0; by < c.v; ++by) {
            for (int bx = 0; bx < c.h; ++bx)
                places.push_back({&c, &f.dc[static_cast<size_t>(c.dcTable)], &f.ac[static_cast<size_t>(c.acTable)],
                                  index, f.quant[static_cast<size_t>(c.quant)][0],
                                  static_cast<size_t>(by * c.spanY) * static_cast<size_t>(c.planeWidth) +
                                      static_cast<size_t>(bx * c.spanX)});
        }
    }
    if (places.size() > 10)
        return false;

    BitReader bits(data, end);
    std::array<int32_t, 3> predictor{};
    int untilRestart = f.restartInterval;
    int nextRestart = 0;
    for (int my = 0; my < f.mcusY; ++my) {
        for (int mx = 0; mx < f.mcusX; ++mx) {
            if (f.restartInterval > 0) {
                if (untilRestart == 0) {
                    // Only the last byte's padding may be left, then the
                    // marker that is due.
                    if (bits.RealBits() >= 8)
                        return false;
                    const uint8_t* p = bits.Position();
                    while (p < end && *p == 0xFF)
                        ++p;
                    if (p >= end || p == bits.Position() || *p != 0xD0 + nextRestart)
                        return false;
                    bits.Restart(p + 1);
                    nextRestart = (nextRestart + 1) & 7;
                    predictor = {};
                    untilRestart = f.restartInterval;
                }
                --untilRestart;
            }
            for (const BlockPlace& place : places) {
                bits.Fill();
                const int size = DecodeSymbol(*place.dc, bits);
                if (size < 0)
                    return false;
                int32_t difference = 0;
                if (size > 0) {
                    difference = Extend(static_cast<int32_t>(bits.Peek(size)), size);
                    bits.Drop(size);
                }
                int32_t& dc = predictor[static_cast<size_t>(place.predictor)];
                dc = static_cast<int32_t>(static_cast<uint32_t>(dc) + static_cast<uint32_t>(difference));
                Component& c = *place.component;
                uint8_t* const at = c.plane.data() +
                                    static_cast<size_t>(my * c.v * c.spanY) * static_cast<size_t>(c.planeWidth) +
                                    static_cast<size_t>(mx * c.h * c.spanX) + place.offset;
                const HuffmanTable& ac = *place.ac;
                if (c.spanX == 1 && c.spanY == 1) {
                    // One pixel: the block's mean, libjpeg's 1x1 inverse DCT.
                    const int64_t level = ((int64_t{dc} * place.quant + 4) >> 3) + 128;
                    *at = static_cast<uint8_t>(std::clamp<int64_t>(level, 0, 255));
                    // The 63 AC coefficients, skipped.
                    for (unsigned k = 1; k < 64;) {
                        if (bits.Bits() < 32)
                            bits.Fill();
                        const unsigned entry = ac.skip[bits.Peek(kLookBits)];
                        const unsigned advance = (entry >> 4) & 127;
                        if (entry != 0 && k + advance < 64) {
                            bits.Drop(static_cast<int>(entry & 15));
                            k += advance;
                            if (entry & kSkipEndsBlock)
                                break;
                            continue;
                        }
                        const int symbol = DecodeSymbol(ac, bits);
                        if (symbol < 0)
                            return false;
                        const int extra = symbol & 15;
                        const unsigned run = static_cast<unsigned>(symbol) >> 4;
                        if (extra != 0) {
                            bits.Drop(extra);
                            k += run + 1;
                        } else if (run == 15) {
                            k += 16;
                        } else {
                            break;
                        }
                    }
                    continue;
                }
                // Several pixels: the mean of each part of the block, from
                // the coefficients that have one there.
                const int span = c.spanX * c.spanY;
                std::array<float, 16> sums{};
                const float* weights = c.weights.data();
                for (int i = 0; i < span; ++i)
                    sums[static_cast<size_t>(i)] = static_cast<float>(dc) * weights[i];
                for (int k = 1; k < 64;) {
                    if (bits.Bits() < 32)
                        bits.Fill();
                    const int symbol = DecodeSymbol(ac, bits);
                    if (symbol < 0)
                        return false;
                    const int extra = symbol & 15;
                    const int run = symbol >> 4;
                    if (extra == 0) {
                        if (run != 15)
                            break;
                        k += 16;
                        continue;
                    }
                    k += run;
                    const int32_t value = Extend(static_cast<int32_t>(bits.Peek(extra)), extra);
                    bits.Drop(extra);
                    // A run past the block's end is corrupt data, which
                    // libjpeg puts at the last coefficient.
                    const float* w = weights + std::min(k, 63) * span;
                    for (int i = 0; i < span; ++i)
                        sums[static_cast<size_t>(i)] += static_cast<float>(value) * w[i];
                    ++k;
                }
                for (int py = 0; py < c.spanY; ++py) {
                    for (int px = 0; px < c.spanX; ++px) {
                        const float level = sums[static_cast<size_t>(py * c.spanX + px)] + 128.5f;
                        at[static_cast<size_t>(py) * static_cast<size_t>(c.planeWidth) + static_cast<size_t>(px)] =
                            static_cast<uint8_t>(std::clamp(level, 0.0f, 255.0f));
                    }
                }
            }
            if (bits.Overran())
                return false;
        }
    }
    // The scan must end here: padding, then a marker.
    if (bits.RealBits() >= 8)
        return false;
    const uint8_t* p = bits.Position();
    return end - p >= 2 && p[0] == 0xFF && p[1] != 0x00;
}

} // namespace

QImage DecodeJpegEighth(const QByteArray& bytes)
{
    try {
        const auto* begin = reinterpret_cast<const uint8_t*>(bytes.constData());
        const uint8_t* end = begin + bytes.size();
        auto frame = std::make_unique<Frame>();
        Frame& f = *frame;
        const uint8_t* data = ReadHeaders(begin, end, f);
        if (!data)
            return {};
        // Only YCbCr is taken; libjpeg reads the other colour spaces.
        if (f.adobe ? f.adobeTransform != 1
                    : !f.jfif && f.components[0].id == 'R' && f.components[1].id == 'G' && f.components[2].id == 'B')
            return {};
        if (qint64{(f.width + 7) / 8} * ((f.height + 7) / 8) > kMaxPixels)
            return {};
        const int hMax = f.components[0].h;
        const int vMax = f.components[0].v;
        f.mcusX = (f.width + 8 * hMax - 1) / (8 * hMax);
        f.mcusY = (f.height + 8 * vMax - 1) / (8 * vMax);
        for (Component& c : f.components) {
            if (c.h > hMax || c.v > vMax || hMax % c.h != 0 || vMax % c.v != 0)
                return {};
            c.spanX = hMax / c.h;
            c.spanY = vMax / c.v;
            if (c.spanX > 1 || c.spanY > 1)
                c.weights = PartWeights(c.spanX, c.spanY, f.quant[static_cast<size_t>(c.quant)]);
            c.planeWidth = f.mcusX * hMax;
            c.plane.assign(static_cast<size_t>(c.planeWidth) * static_cast<size_t>(f.mcusY * vMax), 128);
        }
        if (!DecodeScan(f, data, end))
            return {};

        const int width = (f.width + 7) / 8;
        const int height = (f.height + 7) / 8;
        QImage out(width, height, QImage::Format_RGB32);
        if (out.isNull())
            return {};
        static const ColourTables tables;
        for (int row = 0; row < height; ++row) {
            auto* line = reinterpret_cast<uint32_t*>(out.scanLine(row));
            const size_t first = static_cast<size_t>(row) * static_cast<size_t>(f.components[0].planeWidth);
            const uint8_t* y = f.components[0].plane.data() + first;
            const uint8_t* cb = f.components[1].plane.data() + first;
            const uint8_t* cr = f.components[2].plane.data() + first;
            for (int x = 0; x < width; ++x) {
                const int l = y[x];
                const size_t b = cb[x];
                const size_t r = cr[x];
                line[x] = 0xFF000000u | Clamp255(l + tables.crR[r]) << 16 |
                          Clamp255(l + ((tables.cbG[b] + tables.crG[r]) >> 16)) << 8 | Clamp255(l + tables.cbB[b]);
            }
        }
        return out;
    } catch (const std::bad_alloc&) {
        return {};
    }
}
