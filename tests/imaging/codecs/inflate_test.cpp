#include "imaging/codecs/inflate.h"

#include <gtest/gtest.h>

#include <random>

#include "imaging/codecs/fixtures.h"
#include "imaging/codecs/reference_inflate.h"

namespace {

using fixtures::BitWriter;
using fixtures::Bytes;

struct Result {
    bool ok;
    Bytes out;
};

// Inflates into a buffer of the whole output, and again through the smallest window, which must
// accept the same streams and hand on the same bytes.
Result Inflate(const Bytes& stream, size_t limit) {
    Bytes out(limit, 0);
    size_t produced = 0;
    bool ok = imaging::InflateData(out, stream, &produced);
    if (ok) {
        EXPECT_TRUE(std::all_of(out.begin() + static_cast<long>(produced), out.end(),
                                [](uint8_t b) { return b == 0; }));
    }
    Result result{ok, ok ? Bytes(out.begin(), out.begin() + static_cast<long>(produced)) : Bytes{}};

    Bytes window(imaging::kMinInflateWindow), streamed;
    size_t streamedCount = 0;
    const bool streamOk = imaging::InflateStream(
        window, stream, limit,
        [&](const uint8_t* data, size_t n) {
            streamed.insert(streamed.end(), data, data + n);
            return true;
        },
        &streamedCount);
    EXPECT_EQ(streamOk, ok) << "windowed inflating, output limit " << limit;
    if (ok && streamOk) {
        EXPECT_EQ(streamedCount, produced);
        EXPECT_TRUE(streamed == result.out) << "windowed inflating, output limit " << limit;
    }
    return result;
}

// Literal/length code for a block: literal 'A', end of block, length symbols 257 (3) and 258 (4).
const std::vector<int> kSmallLit = [] {
    std::vector<int> l(259, 0);
    l['A'] = 1;
    l[256] = 2;
    l[257] = 3;
    l[258] = 3;
    return l;
}();

// Fixed-code symbols without extra bits; a distance symbol d is written as -(d + 1).
Bytes FixedBlockStream(const std::vector<std::pair<int, int>>& symbols, bool final = true) {
    BitWriter w;
    w.Bits(final ? 1 : 0, 1);
    w.Bits(1, 2);
    for (auto [s, extra] : symbols) {
        if (s < 0) {
            w.Code(static_cast<uint32_t>(-s - 1), 5);
            continue;
        }
        if (s < 144)
            w.Code(0x30 + s, 8);
        else if (s < 256)
            w.Code(0x190 + (s - 144), 9);
        else if (s < 280)
            w.Code(s - 256, 7);
        else
            w.Code(0xC0 + (s - 280), 8);
        (void)extra;
    }
    return w.Finish();
}

TEST(Inflate, DecodesTheFormatsBasicBlocks) {
    // One stored block: its bytes exactly.
    {
        BitWriter w;
        w.Bits(1, 1);
        w.Bits(0, 2);
        w.AlignToByte();
        for (int b : {5, 0, 0xFA, 0xFF, int{'h'}, int{'e'}, int{'l'}, int{'l'}, int{'o'}})
            w.Byte(static_cast<uint8_t>(b));
        Result r = Inflate(w.Finish(), 10);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.out, Bytes({'h', 'e', 'l', 'l', 'o'}));
    }
    // Fixed codes: 'x', then length 258 at distance 1 repeats it 258 times.
    {
        Result r = Inflate(FixedBlockStream({{'x', 0}, {285, 0}, {-1, 0}, {256, 0}}), 259);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.out, Bytes(259, 'x'));
    }
    // Two fixed-code blocks in one stream.
    {
        BitWriter w;
        w.Bits(0, 1);
        w.Bits(1, 2);
        w.Code(0x30 + 'a', 8);
        w.Code(0, 7);
        w.Bits(1, 1);
        w.Bits(1, 2);
        w.Code(0x30 + 'b', 8);
        w.Code(0, 7);
        Result r = Inflate(w.Finish(), 2);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.out, Bytes({'a', 'b'}));
    }
}

TEST(Inflate, ZlibHeaderAndChecksumAreNotExamined) {
    Bytes raw(1000);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>(i * 7 / 3);
    Bytes z = fixtures::Zlib(raw);
    z[0] = 0x00;  // wrong method and check value
    z[1] = 0x00;
    z.back() ^= 0xFF;  // wrong Adler-32
    Result r = Inflate(z, raw.size());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.out, raw);
}

// Dynamic blocks whose distance code is incomplete in the two ways the format allows, and the
// incomplete codes it does not.
TEST(Inflate, DistanceCodeOfOneOrNoCodesIsAccepted) {
    const auto lit = fixtures::CanonicalCodes(kSmallLit);
    struct Case {
        const char* name;
        std::vector<int> distLens;
        bool useMatch;
        bool ok;
    } cases[] = {
        {"one code of length 1", {1}, true, true},
        {"one code of length 1, second symbol", {0, 1}, true, true},
        {"no codes, literals only", {0}, false, true},
        {"one code of length 2", {2}, true, false},
        {"two codes of length 2", {2, 2}, true, false},
    };
    for (const Case& c : cases) {
        BitWriter w;
        w.Bits(1, 1);
        w.Bits(2, 2);
        fixtures::DynamicHeader(w, kSmallLit, c.distLens);
        w.Code(lit['A'], 1);
        w.Code(lit['A'], 1);
        if (c.useMatch) {
            w.Code(lit[257], 3);  // length 3
            w.Code(0, 1);         // the only distance code: symbol 0 (distance 1) or 1 (distance 2)
        }
        w.Code(lit['A'], 1);
        w.Code(lit[256], 2);
        Bytes s = w.Finish();
        Result r = Inflate(s, 16);
        EXPECT_EQ(r.ok, c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(r.out, Bytes(c.useMatch ? 6 : 3, 'A')) << c.name;
            // zlib takes the same streams.
            Bytes z(16);
            uLongf len = z.size();
            Bytes withAdler = s;
            uint32_t adler = static_cast<uint32_t>(adler32(1, r.out.data(), static_cast<uInt>(r.out.size())));
            fixtures::PutBE32(withAdler, adler);
            EXPECT_EQ(uncompress(z.data(), &len, withAdler.data(), static_cast<uLong>(withAdler.size())),
                      Z_OK)
                << c.name;
        }
    }
}

TEST(Inflate, RefusesMalformedStreams) {
    std::vector<int> lit = kSmallLit;
    struct Case {
        const char* name;
        Bytes stream;
        size_t limit;
    };
    std::vector<Case> cases;
    {
        BitWriter w;  // block type 3
        w.Bits(1, 1);
        w.Bits(3, 2);
        cases.push_back({"block type 3", w.Finish(), 16});
    }
    {
        BitWriter w;  // stored with a wrong NLEN
        w.Bits(1, 1);
        w.Bits(0, 2);
        w.AlignToByte();
        for (int b : {2, 0, 0xFD, 0xFE, 1, 2}) w.Byte(static_cast<uint8_t>(b));
        cases.push_back({"stored NLEN", w.Finish(), 16});
    }
    {
        BitWriter w;  // stored block longer than the data
        w.Bits(1, 1);
        w.Bits(0, 2);
        w.AlignToByte();
        for (int b : {9, 0, 0xF6, 0xFF, 1, 2}) w.Byte(static_cast<uint8_t>(b));
        cases.push_back({"stored past the input", w.Finish(), 16});
    }
    cases.push_back({"one byte more than the limit", FixedBlockStream({{'x', 0}, {'y', 0}, {256, 0}}), 1});
    cases.push_back(
        {"distance before the start", FixedBlockStream({{'x', 0}, {257, 0}, {-2, 0}, {256, 0}}), 16});
    cases.push_back({"literal/length symbol 286", FixedBlockStream({{286, 0}, {256, 0}}), 16});
    cases.push_back({"no final block", FixedBlockStream({{'x', 0}, {256, 0}}, false), 16});
    {
        std::vector<int> over = lit;
        over['B'] = 1;  // three codes of length 1 and more: over-subscribed
        BitWriter w;
        w.Bits(1, 1);
        w.Bits(2, 2);
        fixtures::DynamicHeader(w, over, {1});
        cases.push_back({"over-subscribed literal code", w.Finish(), 16});
    }
    {
        std::vector<int> incomplete(257, 0);
        incomplete[256] = 1;  // a single literal/length code is not enough
        BitWriter w;
        w.Bits(1, 1);
        w.Bits(2, 2);
        fixtures::DynamicHeader(w, incomplete, {1});
        w.Code(0, 1);
        cases.push_back({"incomplete literal code", w.Finish(), 16});
    }
    {
        BitWriter w;  // code-length symbol 16 as the very first length
        w.Bits(1, 1);
        w.Bits(2, 2);
        w.Bits(0, 5);
        w.Bits(0, 5);
        w.Bits(0, 4);                             // 4 code-length lengths: 16, 17, 18, 0
        for (int v : {1, 0, 0, 1}) w.Bits(v, 3);  // 16 and 0 get one bit each
        w.Code(1, 1);                             // symbol 0 has code 0, 16 has code 1
        w.Bits(0, 2);
        cases.push_back({"repeat as the first length", w.Finish(), 16});
    }
    {
        BitWriter w;  // zero repeats beyond HLIT + HDIST
        w.Bits(1, 1);
        w.Bits(2, 2);
        w.Bits(0, 5);
        w.Bits(0, 5);
        w.Bits(0, 4);
        for (int v : {0, 0, 1, 1}) w.Bits(v, 3);  // 18 and 0 get one bit each
        w.Code(0, 1);                             // codes: 0 -> "0", 18 -> "1"
        w.Code(0, 1);
        w.Code(1, 1);  // 18: 11 + 127 zeros
        w.Bits(127, 7);
        w.Code(1, 1);
        w.Bits(127, 7);
        w.Code(1, 1);
        w.Bits(127, 7);
        cases.push_back({"repeat past the count", w.Finish(), 16});
    }
    cases.push_back({"empty input", Bytes{}, 16});
    cases.push_back({"header only", Bytes{0x78, 0x9C}, 16});
    for (const Case& c : cases) {
        EXPECT_FALSE(Inflate(c.stream, c.limit).ok) << c.name;
        std::vector<uint8_t> ref;
        EXPECT_FALSE(reference::Inflate::Run(c.stream, c.limit, ref)) << c.name << " (reference)";
    }
}

// Through a window: matches reach the full 64 KB back (distance code 31 with every extra bit) after
// the window has moved on several times; a stored block fills it past its end; a sink that refuses
// its bytes stops the inflating.
TEST(Inflate, WindowKeepsTheHistoryMatchesReachInto) {
    BitWriter w;
    Bytes expected;
    // With the smallest window, the third block moves it on, and the fourth leaves 100 bytes of room
    // in it, so that the first match moves it on again and reaches back to the edge of the history.
    const int lengths[] = {60000, 60001, 60002,
                           static_cast<int>(imaging::kMinInflateWindow) - 65536 - 100 - 60002};
    for (int block = 0; block < 4; ++block) {
        w.Bits(0, 1);
        w.Bits(0, 2);
        w.AlignToByte();
        const int len = lengths[block];
        w.Byte(len & 0xFF);
        w.Byte(len >> 8);
        w.Byte(~len & 0xFF);
        w.Byte((~len >> 8) & 0xFF);
        for (int i = 0; i < len; ++i) {
            const uint8_t b = static_cast<uint8_t>((i * 13 + block * 101 + i / 256) & 0xFF);
            w.Byte(b);
            expected.push_back(b);
        }
    }
    // Fixed codes: length 258 (symbol 285) at distance 65536 (symbol 31, extra bits 16383), twice.
    w.Bits(1, 1);
    w.Bits(1, 2);
    for (int copy = 0; copy < 2; ++copy) {
        w.Code(0xC5, 8);
        w.Code(31, 5);
        w.Bits(16383, 14);
        for (int i = 0; i < 258; ++i) expected.push_back(expected[expected.size() - 65536]);
    }
    w.Code(0, 7);
    const Bytes stream = w.Finish();
    Result r = Inflate(stream, expected.size());
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.out == expected);
    EXPECT_FALSE(Inflate(stream, expected.size() - 1).ok);

    Bytes window(imaging::kMinInflateWindow);
    int calls = 0;
    EXPECT_FALSE(imaging::InflateStream(window, stream, expected.size(), [&](const uint8_t*, size_t) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, 1);
    Bytes small(imaging::kMinInflateWindow - 1);
    EXPECT_FALSE(
        imaging::InflateStream(small, stream, expected.size(), [](const uint8_t*, size_t) { return true; }));
}

// zlib's own output at every level, from icon-sized rows to large ones, inflates to the same bytes.
TEST(Inflate, MatchesZlibOnItsStreams) {
    std::mt19937 rng(7);
    for (size_t size : {size_t{0}, size_t{1}, size_t{100}, size_t{4096}, size_t{70000}, size_t{300000}}) {
        Bytes raw(size);
        for (size_t i = 0; i < size; ++i)
            raw[i] = static_cast<uint8_t>((i % 251) < 120 ? (i / 7) & 0xFF : rng() & 0x0F);
        for (int level : {0, 1, 6, 9}) {
            Bytes z = fixtures::Zlib(raw, level);
            Result r = Inflate(z, size);
            ASSERT_TRUE(r.ok) << size << " level " << level;
            EXPECT_EQ(r.out, raw);
            if (size > 0) {
                // Output limit one short of the data.
                EXPECT_FALSE(Inflate(z, size - 1).ok);
            }
        }
    }
}

// The table-driven decoder and the literal one agree on acceptance and output for mutated streams,
// including the end-of-input cases (missing bits, stored blocks near the end).
TEST(Inflate, AgreesWithTheLiteralDecoderOnMutatedStreams) {
    std::mt19937 rng(12345);
    Bytes raw(3000);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>((i * i) >> 5);
    std::vector<Bytes> seeds = {fixtures::Zlib(raw, 9), fixtures::Zlib(raw, 1), fixtures::Zlib(raw, 0),
                                FixedBlockStream({{'x', 0}, {285, 0}, {-1, 0}, {256, 0}})};
    int accepted = 0;
    for (int iter = 0; iter < 6000; ++iter) {
        Bytes s = seeds[static_cast<size_t>(iter) % seeds.size()];
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            switch (rng() % 4) {
                case 0:
                    s[rng() % s.size()] ^= static_cast<uint8_t>(1u << (rng() % 8));
                    break;
                case 1:
                    s.resize(rng() % (s.size() + 1));
                    if (s.empty()) s.push_back(0);
                    break;
                case 2:
                    s[rng() % s.size()] = static_cast<uint8_t>(rng());
                    break;
                case 3:
                    s.resize(s.size() - std::min<size_t>(s.size() - 1, rng() % 8));
                    break;
            }
        }
        const size_t limit = raw.size() + (rng() % 2 ? 0 : rng() % 600);
        Result fast = Inflate(s, limit);
        Bytes ref;
        const bool refOk = reference::Inflate::Run(s, limit, ref);
        ASSERT_EQ(fast.ok, refOk) << "iteration " << iter;
        if (refOk) {
            ASSERT_EQ(fast.out, ref) << "iteration " << iter;
            ++accepted;
        }
    }
    EXPECT_GT(accepted, 50);
}

}  // namespace
