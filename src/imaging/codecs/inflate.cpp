// Table-driven DEFLATE decoder (RFC 1951).
//
// Acceptance rules, besides the format itself: every code must be complete, except a distance code
// of no codes at all or of a single code of length 1 (zlib and the RFC allow those); distance
// symbols 30 and 31 decode with the bases 32769 and 49153; distances only have to stay inside the
// output produced so far. Input is read as a bit position over exactly the given bytes: a Huffman
// symbol may run into missing bits past the end, which read as 0, while any other read past the
// end fails. A stored block needs five bytes from the furthest byte the bit reader has asked for
// (one byte at a time, only as far as the longest code of the table in use); that position is
// tracked only near the end of the input, where it can matter.
#include "imaging/codecs/inflate.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "runtime/byte_order.h"

namespace imaging {
namespace {

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint32_t kDistBase[32] = {1,    2,    3,    4,    5,    7,     9,     13,    17,    25,   33,
                                    49,   65,   97,   129,  193,  257,   385,   513,   769,   1025, 1537,
                                    2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577, 32769, 49153};
constexpr uint8_t kDistExtra[32] = {0, 0, 0, 0, 1, 1, 2,  2,  3,  3,  4,  4,  5,  5,  6,  6,
                                    7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 14, 14};
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// Table entry: bits 0-4 code length, 5-7 kind, 8-11 extra bits (or sub-table index bits),
// 16-31 value (literal, length base, distance base, sub-table offset).
enum Kind : uint32_t { kLiteral = 0, kLength = 1, kEnd = 2, kPointer = 3, kBadSymbol = 4, kNoCode = 5 };
constexpr uint32_t Entry(uint32_t len, uint32_t kind, uint32_t extra, uint32_t value) {
    return len | (kind << 5) | (extra << 8) | (value << 16);
}
inline uint32_t EntryLen(uint32_t e) {
    return e & 31;
}
inline uint32_t EntryKind(uint32_t e) {
    return (e >> 5) & 7;
}
inline uint32_t EntryExtra(uint32_t e) {
    return (e >> 8) & 15;
}
inline uint32_t EntryValue(uint32_t e) {
    return e >> 16;
}

// Root table sizes: large roots decode long outputs with fewer sub-table steps, small ones cost less
// to fill for the short outputs of icons, where filling the tables is much of the work.
constexpr int kLitRootBits = 10;
constexpr int kDistRootBits = 8;
constexpr int kSmallLitRootBits = 9;
constexpr int kSmallDistRootBits = 6;
constexpr size_t kSmallOutput = 64 * 1024;
constexpr int kCodeLenRootBits = 7;

enum class Alphabet { LitLen, Dist, CodeLen };

// Table storage that grows when a code needs more entries and is never cleared: a complete code
// writes every entry, so clearing would only cost time on the small blocks of icons.
class Entries {
public:
    uint32_t* data() { return data_.get(); }
    const uint32_t* data() const { return data_.get(); }
    uint32_t& operator[](size_t i) { return data_[i]; }
    uint32_t operator[](size_t i) const { return data_[i]; }
    void resize(size_t n) {
        if (n <= capacity_) return;
        data_ = std::make_unique_for_overwrite<uint32_t[]>(n);
        capacity_ = n;
    }

private:
    std::unique_ptr<uint32_t[]> data_;
    size_t capacity_ = 0;
};

struct Table {
    Entries entries;
    int rootBits = 0;
    int longest = 0;  // longest code length: how far the reader is asked to look ahead
    bool empty = false;
};

uint32_t SymbolEntry(Alphabet a, int symbol, uint32_t len) {
    switch (a) {
        case Alphabet::LitLen:
            if (symbol < 256) return Entry(len, kLiteral, 0, static_cast<uint32_t>(symbol));
            if (symbol == 256) return Entry(len, kEnd, 0, 0);
            if (symbol <= 285)
                return Entry(len, kLength, kLengthExtra[symbol - 257], kLengthBase[symbol - 257]);
            return Entry(len, kBadSymbol, 0, 0);
        case Alphabet::Dist:
            if (symbol < 32) return Entry(len, kLength, kDistExtra[symbol], kDistBase[symbol]);
            return Entry(len, kBadSymbol, 0, 0);
        case Alphabet::CodeLen:
            return Entry(len, kLiteral, 0, static_cast<uint32_t>(symbol));
    }
    return Entry(len, kBadSymbol, 0, 0);
}

constexpr std::array<uint8_t, 256> kReversedBytes = [] {
    std::array<uint8_t, 256> r{};
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned i = 0; i < 8; ++i)
            if (b & (1u << i)) r[b] = static_cast<uint8_t>(r[b] | (0x80u >> i));
    return r;
}();

// The low `len` bits of `code` (len 1 to 15) in reverse order.
uint32_t ReverseBits(uint32_t code, int len) {
    const uint32_t r16 =
        static_cast<uint32_t>(kReversedBytes[code & 0xFF]) << 8 | kReversedBytes[(code >> 8) & 0xFF];
    return r16 >> (16 - len);
}

// Builds the lookup table of a canonical code. False for an over-subscribed code and for an
// incomplete one, except the two incomplete distance codes that the format allows. `counted`, when
// given, holds the number of symbols of each length 0 to 15.
bool BuildTable(const uint8_t* lengths, int count, Alphabet alphabet, int rootBits, Table& t,
                const int* counted = nullptr) {
    int lenCount[16] = {};
    if (counted)
        std::copy(counted, counted + 16, lenCount);
    else
        for (int s = 0; s < count; ++s) ++lenCount[lengths[s]];
    int longest = 0;
    for (int l = 15; l >= 1; --l)
        if (lenCount[l]) {
            longest = l;
            break;
        }
    int left = 1;
    for (int l = 1; l <= longest; ++l) {
        left = left * 2 - lenCount[l];
        if (left < 0) return false;
    }
    // Short codes get a smaller root table: less to fill for the small blocks of icons.
    rootBits = std::min(rootBits, std::max(longest, 1));
    t.rootBits = rootBits;
    t.longest = longest;
    t.empty = longest == 0;
    if (left != 0) {
        const bool singleDistance = alphabet == Alphabet::Dist && longest == 1 && lenCount[1] == 1;
        if (!(alphabet == Alphabet::Dist && (longest == 0 || singleDistance))) return false;
    }

    // Room for the root and, at most, a full sub-table for every code longer than the root.
    const uint32_t rootSize = 1u << rootBits, rootMask = rootSize - 1;
    int longCodes = 0;
    for (int l = rootBits + 1; l <= longest; ++l) longCodes += lenCount[l];
    const uint32_t bound = rootSize + (static_cast<uint32_t>(longCodes) << std::max(longest - rootBits, 0));
    t.entries.resize(bound);
    // A complete code fills every entry; only the incomplete distance codes leave patterns unused.
    if (left != 0) std::fill(t.entries.data(), t.entries.data() + bound, Entry(0, kNoCode, 0, 0));

    // One pass in symbol order: the codes, the root entries of the short ones, and the long ones
    // kept for their sub-tables.
    uint32_t nextCode[16] = {};
    for (int l = 2; l <= 15; ++l) nextCode[l] = (nextCode[l - 1] + lenCount[l - 1]) << 1;
    uint16_t longSymbols[320];
    uint32_t longReversed[320];
    int longCount = 0;
    for (int s = 0; s < count; ++s) {
        const uint32_t l = lengths[s];
        if (!l) continue;
        const uint32_t code = ReverseBits(nextCode[l]++, static_cast<int>(l));
        if (l > static_cast<uint32_t>(rootBits)) {
            longSymbols[longCount] = static_cast<uint16_t>(s);
            longReversed[longCount++] = code;
            continue;
        }
        const uint32_t e = SymbolEntry(alphabet, s, l);
        for (uint32_t i = code; i < rootSize; i += 1u << l) t.entries[i] = e;
    }
    if (longCount == 0) return true;

    // Sub-tables: one per root prefix, sized for its longest code.
    std::array<uint8_t, 1u << kLitRootBits> subBits;
    std::array<uint32_t, 1u << kLitRootBits> subOffset;
    std::fill(subBits.begin(), subBits.begin() + rootSize, 0);
    uint16_t prefixes[320];
    int prefixCount = 0;
    for (int k = 0; k < longCount; ++k) {
        const uint32_t prefix = longReversed[k] & rootMask;
        if (!subBits[prefix]) prefixes[prefixCount++] = static_cast<uint16_t>(prefix);
        subBits[prefix] =
            static_cast<uint8_t>(std::max<int>(subBits[prefix], lengths[longSymbols[k]] - rootBits));
    }
    uint32_t total = rootSize;
    for (int i = 0; i < prefixCount; ++i) {
        subOffset[prefixes[i]] = total;
        total += 1u << subBits[prefixes[i]];
        t.entries[prefixes[i]] = Entry(0, kPointer, subBits[prefixes[i]], subOffset[prefixes[i]]);
    }
    for (int k = 0; k < longCount; ++k) {
        const uint32_t l = lengths[longSymbols[k]];
        const uint32_t e = SymbolEntry(alphabet, longSymbols[k], l);
        const uint32_t prefix = longReversed[k] & rootMask;
        const uint32_t base = subOffset[prefix], size = 1u << subBits[prefix];
        for (uint32_t i = longReversed[k] >> rootBits; i < size; i += 1u << (l - rootBits))
            t.entries[base + i] = e;
    }
    return true;
}

inline uint64_t LoadLE64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    v = __builtin_bswap64(v);
#endif
    return v;
}

// The furthest back a match can reach: distance codes 30 and 31 with all extra bits set.
constexpr size_t kHistory = 65536;

class Inflater {
public:
    // Inflates into `output`: the whole output (no sink), or a window that slides over the output,
    // whose bytes go to `sink` in order (the output then ends after `limit` bytes).
    Inflater(std::span<uint8_t> output, std::span<const uint8_t> input, const InflateSink* sink = nullptr,
             size_t limit = 0)
        : begin_(input.data()),
          end_(input.data() + input.size()),
          outBegin_(output.data()),
          out_(output.data()),
          windowEnd_(output.data() + output.size()),
          sink_(sink),
          limit_(sink ? limit : output.size()) {
        outEnd_ = outBegin_ + std::min(output.size(), limit_);
        totalBits_ = static_cast<uint64_t>(input.size()) * 8;
        // The two header bytes are skipped without being examined.
        in_ = input.size() >= 2 ? begin_ + 2 : end_;
        virtualBytes_ = input.size() >= 2 ? 0 : 2 - input.size();
        requestEnd_ = 16;
    }

    bool Run(size_t* produced) {
        bool fixedBuilt = false;
        for (;;) {
            uint32_t final, type;
            if (!ReadBits(1, final) || !ReadBits(2, type)) return false;
            if (type == 0) {
                if (!StoredBlock()) return false;
            } else if (type == 1) {
                if (!fixedBuilt) {
                    uint8_t lens[320];
                    std::fill(lens, lens + 144, 8);
                    std::fill(lens + 144, lens + 256, 9);
                    std::fill(lens + 256, lens + 280, 7);
                    std::fill(lens + 280, lens + 288, 8);
                    BuildTable(lens, 288, Alphabet::LitLen, kLitRootBits, fixedLit_);
                    std::fill(lens, lens + 32, 5);
                    BuildTable(lens, 32, Alphabet::Dist, kDistRootBits, fixedDist_);
                    fixedBuilt = true;
                }
                if (!HuffmanBlock(fixedLit_, fixedDist_)) return false;
            } else if (type == 2) {
                if (!ReadDynamicCodes() || !HuffmanBlock(lit_, dist_)) return false;
            } else {
                return false;
            }
            if (final) break;
        }
        if (sink_) {
            if (!Flush()) return false;
        } else {
            // Fast match copies may have run a few bytes past the end; those bytes were never produced.
            uint8_t* clearEnd = out_ + std::min<size_t>(16, static_cast<size_t>(outEnd_ - out_));
            std::fill(out_, clearEnd, 0);
        }
        if (produced) *produced = dropped_ + static_cast<size_t>(out_ - outBegin_);
        return true;
    }

private:
    // Hands the bytes produced since the last flush to the sink.
    bool Flush() {
        const size_t produced = dropped_ + static_cast<size_t>(out_ - outBegin_);
        const size_t fresh = produced - flushed_;
        flushed_ = produced;
        // A sink that refused once ends the inflating, whatever room is left.
        if (!refused_ && fresh > 0 && !(*sink_)(out_ - fresh, fresh)) refused_ = true;
        return !refused_;
    }

    // Makes room for n more bytes: true when they fit, moving the window on when the output goes on
    // past its end. The window keeps the history every match may reach back into.
    bool Room(size_t n) {
        if (refused_) return false;
        if (static_cast<size_t>(outEnd_ - out_) >= n) return true;
        if (!sink_ || outEnd_ != windowEnd_ || !Flush()) return false;
        const size_t held = static_cast<size_t>(out_ - outBegin_);
        const size_t keep = std::min(kHistory, held);
        std::memmove(outBegin_, out_ - keep, keep);
        dropped_ += held - keep;
        out_ = outBegin_ + keep;
        outEnd_ = outBegin_ + std::min(static_cast<size_t>(windowEnd_ - outBegin_), limit_ - dropped_);
        return static_cast<size_t>(outEnd_ - out_) >= n;
    }

    uint64_t Consumed() const {
        return (static_cast<uint64_t>(in_ - begin_) + virtualBytes_) * 8 - bitCount_;
    }

    // Loads bytes one at a time; past the end of the input, zero bytes stand in.
    // Stops at 56 to 63 held bits, so the fast loop's refill never shifts by 64.
    void CarefulFill() {
        while (bitCount_ < 56) {
            if (in_ < end_)
                bitBuf_ |= static_cast<uint64_t>(*in_++) << bitCount_;
            else
                ++virtualBytes_;
            bitCount_ += 8;
        }
    }

    void Drop(uint32_t n) {
        bitBuf_ >>= n;
        bitCount_ -= n;
    }

    bool ReadBits(uint32_t n, uint32_t& value) {
        if (n == 0) {
            value = 0;
            return true;
        }
        uint64_t pos = Consumed();
        if (pos + n > totalBits_) return false;
        requestEnd_ = std::max(requestEnd_, pos + n);
        if (bitCount_ < n) CarefulFill();
        value = static_cast<uint32_t>(bitBuf_ & ((1ull << n) - 1));
        Drop(n);
        return true;
    }

    static uint32_t Lookup(const Table& t, uint64_t bits) {
        uint32_t e = t.entries[bits & ((1u << t.rootBits) - 1)];
        if (EntryKind(e) == kPointer)
            e = t.entries[EntryValue(e) + ((bits >> t.rootBits) & ((1u << EntryExtra(e)) - 1))];
        return e;
    }

    // One symbol; false for a bit pattern that is no code. Far from the end of the input the reader
    // takes eight bytes at a time and need not track how far it looked (see StoredBlock).
    bool Decode(const Table& t, uint32_t& e) {
        if (end_ - in_ < 16 || t.empty) return CarefulDecode(t, e);
        bitBuf_ |= LoadLE64(in_) << bitCount_;
        in_ += (63 - bitCount_) >> 3;
        bitCount_ |= 56;
        e = Lookup(t, bitBuf_);
        if (EntryKind(e) == kNoCode) return false;
        Drop(EntryLen(e));
        return true;
    }

    // One symbol with position tracking; false for a bit pattern that is no code.
    bool CarefulDecode(const Table& t, uint32_t& e) {
        if (t.empty) return false;
        if (bitCount_ < 15) CarefulFill();
        e = Lookup(t, bitBuf_);
        if (EntryKind(e) == kNoCode) return false;
        uint64_t pos = Consumed();
        requestEnd_ = std::max(requestEnd_, std::min(pos + static_cast<uint64_t>(t.longest), totalBits_));
        Drop(EntryLen(e));
        return true;
    }

    bool StoredBlock() {
        const uint64_t length = static_cast<uint64_t>(end_ - begin_);
        // The reader has fetched up to this byte; five bytes must remain from there.
        const uint64_t fetched = std::min(length, (requestEnd_ + 7) / 8);
        if (fetched + 5 > length) return false;
        const uint64_t p = (Consumed() + 7) / 8;
        const uint32_t len = rt::ReadLE16(begin_ + p);
        const uint32_t nlen = rt::ReadLE16(begin_ + p + 2);
        if (len != (~nlen & 0xFFFFu)) return false;
        if (p + 4 + len > length || !Room(len)) return false;
        if (len) std::memcpy(out_, begin_ + p + 4, len);
        out_ += len;
        in_ = begin_ + p + 4 + len;
        bitBuf_ = 0;
        bitCount_ = 0;
        virtualBytes_ = 0;
        requestEnd_ = (p + 4 + len) * 8;
        return true;
    }

    bool ReadDynamicCodes() {
        uint32_t hlit, hdist, hclen;
        if (!ReadBits(5, hlit) || !ReadBits(5, hdist) || !ReadBits(4, hclen)) return false;
        hlit += 257;
        hdist += 1;
        hclen += 4;
        uint8_t clLens[19] = {};
        for (uint32_t i = 0; i < hclen; ++i) {
            uint32_t v;
            if (!ReadBits(3, v)) return false;
            clLens[kCodeLengthOrder[i]] = static_cast<uint8_t>(v);
        }
        if (!BuildTable(clLens, 19, Alphabet::CodeLen, kCodeLenRootBits, codeLen_)) return false;

        uint8_t lens[320] = {};
        // The lengths of each code are counted as they come: runs count in one step.
        int counts[2][16] = {};
        const uint32_t total = hlit + hdist;
        uint32_t n = 0;
        while (n < total) {
            uint32_t e;
            if (!Decode(codeLen_, e)) return false;
            const uint32_t sym = EntryValue(e);
            if (sym < 16) {
                ++counts[n >= hlit][sym];
                lens[n++] = static_cast<uint8_t>(sym);
                continue;
            }
            uint32_t repeat, value = 0, extra;
            if (sym == 16) {
                if (n == 0) return false;
                value = lens[n - 1];
                if (!ReadBits(2, extra)) return false;
                repeat = 3 + extra;
            } else if (sym == 17) {
                if (!ReadBits(3, extra)) return false;
                repeat = 3 + extra;
            } else {
                if (!ReadBits(7, extra)) return false;
                repeat = 11 + extra;
            }
            if (n + repeat > total) return false;
            std::fill(lens + n, lens + n + repeat, static_cast<uint8_t>(value));
            const uint32_t inLit = n < hlit ? std::min(repeat, hlit - n) : 0;
            counts[0][value] += static_cast<int>(inLit);
            counts[1][value] += static_cast<int>(repeat - inLit);
            n += repeat;
        }
        const bool small = limit_ <= kSmallOutput;
        return BuildTable(lens, static_cast<int>(hlit), Alphabet::LitLen,
                          small ? kSmallLitRootBits : kLitRootBits, lit_, counts[0]) &&
               BuildTable(lens + hlit, static_cast<int>(hdist), Alphabet::Dist,
                          small ? kSmallDistRootBits : kDistRootBits, dist_, counts[1]);
    }

    // Room the fast loop keeps ahead: the longest match and the overrun of its 8-byte copies.
    static constexpr ptrdiff_t kFastRoom = 258 + 8;

    bool HuffmanBlock(const Table& lit, const Table& dist) {
        // The fast loops need 16 input bytes for their 8-byte loads.
        const uint8_t* const inFastEnd = end_ - std::min<ptrdiff_t>(end_ - begin_, 16);
        for (;;) {
            if (in_ < inFastEnd) {
                // Close to the window's end the window moves on; close to the end of the output the
                // loop checks every symbol's room, so that small pictures decode their last rows at
                // full speed too.
                if (outEnd_ - out_ < kFastRoom && !Room(kFastRoom) && refused_) return false;
                const Status status = outEnd_ - out_ >= kFastRoom ? FastLoop<false>(lit, dist, inFastEnd)
                                                                  : FastLoop<true>(lit, dist, inFastEnd);
                if (status != Status::More) return status == Status::End;
                if (in_ < inFastEnd) continue;
            }
            // Careful step near the end of the input.
            uint32_t e;
            if (!CarefulDecode(lit, e)) return false;
            const uint32_t kind = EntryKind(e);
            if (kind == kLiteral) {
                if (!Room(1)) return false;
                *out_++ = static_cast<uint8_t>(EntryValue(e));
                continue;
            }
            if (kind == kEnd) return true;
            if (kind != kLength) return false;
            uint32_t extra, length, distance;
            if (!ReadBits(EntryExtra(e), extra)) return false;
            length = EntryValue(e) + extra;
            uint32_t d;
            if (!CarefulDecode(dist, d) || EntryKind(d) != kLength) return false;
            if (!ReadBits(EntryExtra(d), extra)) return false;
            distance = EntryValue(d) + extra;
            if (!Room(length)) return false;
            if (distance > static_cast<size_t>(out_ - outBegin_)) return false;
            out_ = CopyMatchExact(out_, distance, length);
        }
    }

    enum class Status { End, Error, More };

    // Symbols while 16 input bytes remain: one refill per literal or length/distance pair (at most
    // 15+5+15+14 bits). Unchecked, it runs while kFastRoom bytes of room remain; checked, up to the
    // end of the output. The reader's and writer's state live in locals here, and nothing takes their
    // address: the output is bytes, whose stores could otherwise alias the members and force them
    // through memory, and the refill of every step waits on the bit count.
    template <bool kChecked>
    Status FastLoop(const Table& lit, const Table& dist, const uint8_t* inFastEnd) {
        const uint32_t* const litEntries = lit.entries.data();
        const uint32_t litMask = (1u << lit.rootBits) - 1;
        uint64_t bits = bitBuf_;
        uint32_t count = bitCount_;
        const uint8_t* in = in_;
        uint8_t* out = out_;
        uint8_t* const outEnd = outEnd_;
        Status status = Status::More;
        while (in < inFastEnd && (kChecked || outEnd - out >= kFastRoom)) {
            bits |= LoadLE64(in) << count;
            in += (63 - count) >> 3;
            count |= 56;
            uint32_t e = litEntries[bits & litMask];
            if (EntryKind(e) == kLiteral) {
                if (kChecked && out == outEnd) return Status::Error;
                bits >>= EntryLen(e);
                count -= EntryLen(e);
                *out++ = static_cast<uint8_t>(EntryValue(e));
                e = litEntries[bits & litMask];
                if (EntryKind(e) == kLiteral) {
                    if (kChecked && out == outEnd) return Status::Error;
                    bits >>= EntryLen(e);
                    count -= EntryLen(e);
                    *out++ = static_cast<uint8_t>(EntryValue(e));
                }
                // Bits for the rest of a length/distance pair may be short now: refill first.
                continue;
            }
            if (EntryKind(e) == kPointer)
                e = litEntries[EntryValue(e) + ((bits >> lit.rootBits) & ((1u << EntryExtra(e)) - 1))];
            const uint32_t kind = EntryKind(e);
            bits >>= EntryLen(e);
            count -= EntryLen(e);
            if (kind == kLiteral) {
                if (kChecked && out == outEnd) return Status::Error;
                *out++ = static_cast<uint8_t>(EntryValue(e));
                continue;
            }
            if (kind == kEnd) {
                status = Status::End;
                break;
            }
            if (kind != kLength) return Status::Error;
            const uint32_t lenExtra = EntryExtra(e);
            const uint32_t length = EntryValue(e) + static_cast<uint32_t>(bits & ((1u << lenExtra) - 1));
            bits >>= lenExtra;
            count -= lenExtra;
            if (dist.empty) return Status::Error;
            uint32_t d = Lookup(dist, bits);
            if (EntryKind(d) != kLength) return Status::Error;
            bits >>= EntryLen(d);
            count -= EntryLen(d);
            const uint32_t distExtra = EntryExtra(d);
            const uint32_t distance = EntryValue(d) + static_cast<uint32_t>(bits & ((1u << distExtra) - 1));
            bits >>= distExtra;
            count -= distExtra;
            if (distance > static_cast<size_t>(out - outBegin_)) return Status::Error;
            if (kChecked && outEnd - out < static_cast<ptrdiff_t>(length) + 8) {
                // The last bytes of the output: no room for the overrun of the fast copy.
                if (static_cast<size_t>(outEnd - out) < length) return Status::Error;
                out = CopyMatchExact(out, distance, length);
                continue;
            }
            out = CopyMatchFast(out, distance, length);
        }
        bitBuf_ = bits;
        bitCount_ = count;
        in_ = in;
        out_ = out;
        return status;
    }

    static uint8_t* CopyMatchExact(uint8_t* out, uint32_t distance, uint32_t length) {
        const uint8_t* src = out - distance;
        for (uint32_t i = 0; i < length; ++i) out[i] = src[i];
        return out + length;
    }

    // Needs room for length + 8 bytes: the 8-byte copies may write up to 7 bytes past the match.
    static uint8_t* CopyMatchFast(uint8_t* out, uint32_t distance, uint32_t length) {
        uint8_t* dst = out;
        const uint8_t* src = out - distance;
        uint8_t* const stop = out + length;
        if (distance >= 8) {
            do {
                std::memcpy(dst, src, 8);
                dst += 8;
                src += 8;
            } while (dst < stop);
        } else if (distance == 1) {
            std::memset(dst, *src, length);
        } else {
            do {
                *dst++ = *src++;
            } while (dst < stop);
        }
        return stop;
    }

    const uint8_t* begin_;
    const uint8_t* end_;
    const uint8_t* in_;
    uint8_t* outBegin_;
    uint8_t* out_;
    uint8_t* outEnd_;  // where the output may go to now: the window's end or the output limit
    uint8_t* windowEnd_;
    const InflateSink* sink_;
    size_t limit_;          // output bytes in all
    size_t dropped_ = 0;    // output bytes moved out of the window so far
    size_t flushed_ = 0;    // output bytes handed to the sink so far
    bool refused_ = false;  // the sink refused its bytes
    uint64_t bitBuf_ = 0;
    uint32_t bitCount_ = 0;
    uint64_t virtualBytes_ = 0;
    uint64_t totalBits_ = 0;
    uint64_t requestEnd_ = 0;
    Table fixedLit_, fixedDist_, lit_, dist_, codeLen_;
};

}  // namespace

bool InflateData(std::span<uint8_t> output, std::span<const uint8_t> input, size_t* produced) {
    try {
        Inflater inflater(output, input);
        return inflater.Run(produced);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool InflateStream(std::span<uint8_t> window, std::span<const uint8_t> input, size_t limit,
                   const InflateSink& sink, size_t* produced) {
    if (window.size() < kMinInflateWindow) return false;
    try {
        Inflater inflater(window, input, &sink, limit);
        return inflater.Run(produced);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace imaging
