// A slow, literal DEFLATE decoder that follows the decoder's rules step by step: one byte loaded
// at a time, codes looked up one length after another. The fast decoder must accept exactly the
// streams this one accepts and produce the same bytes; tests and the fuzz target compare them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace reference {

class Inflate {
public:
    // True when the stream decodes to its final block; `out` holds the bytes written.
    static bool Run(std::span<const uint8_t> input, size_t limit, std::vector<uint8_t>& out) {
        Inflate d(input, limit);
        bool ok = d.Decode();
        out = std::move(d.out_);
        return ok;
    }

private:
    struct Fault {};
    struct Code {
        std::vector<int> len, sym;
        int shortest = 0, longest = 0;
        bool any = false;
    };

    Inflate(std::span<const uint8_t> in, size_t limit) : in_(in), limit_(limit) { out_.reserve(limit); }

    uint32_t ReadBits(int n) {
        if (n == 0) return 0;
        while (count_ < n) {
            if (pos_ >= static_cast<int64_t>(in_.size())) throw Fault{};
            buf_ |= static_cast<uint64_t>(in_[pos_++]) << count_;
            count_ += 8;
        }
        uint32_t v = static_cast<uint32_t>(buf_ & ((1ull << n) - 1));
        buf_ >>= n;
        count_ -= n;
        return v;
    }
    void Fill(int n) {
        while (count_ < n && pos_ < static_cast<int64_t>(in_.size())) {
            buf_ |= static_cast<uint64_t>(in_[pos_++]) << count_;
            count_ += 8;
        }
    }
    void Drop(int n) {
        buf_ >>= n;
        count_ -= n;
    }

    static uint32_t Reverse(uint32_t c, int len) {
        uint32_t r = 0;
        for (int i = 0; i < len; ++i, c >>= 1) r = (r << 1) | (c & 1);
        return r;
    }

    // Remainder-checked canonical table; `distance` admits no codes or one code of length 1.
    static bool Build(const std::vector<int>& lens, Code& c, bool distance) {
        int counts[17] = {};
        for (int l : lens) ++counts[l];
        c.longest = 0;
        c.shortest = 0;
        for (int l = 1; l <= 16; ++l)
            if (counts[l]) {
                c.longest = l;
                if (!c.shortest) c.shortest = l;
            }
        int left = 1;
        for (int l = 1; l <= c.longest; ++l) {
            left = left * 2 - counts[l];
            if (left < 0) return false;
        }
        if (left != 0 && !(distance && (c.longest == 0 || (c.longest == 1 && counts[1] == 1)))) return false;
        c.any = c.longest > 0;
        c.len.assign(size_t{1} << c.longest, 0);
        c.sym.assign(size_t{1} << c.longest, 0);
        int next[17] = {};
        for (int l = 2; l <= 16; ++l) next[l] = (next[l - 1] + counts[l - 1]) * 2;
        for (size_t s = 0; s < lens.size(); ++s) {
            int l = lens[s];
            if (!l) continue;
            uint32_t idx = Reverse(static_cast<uint32_t>(next[l]++), l);
            c.len[idx] = l;
            c.sym[idx] = static_cast<int>(s);
        }
        return true;
    }

    int DecodeSymbol(const Code& c) {
        if (!c.any) throw Fault{};
        Fill(c.longest);
        for (int l = c.shortest; l <= c.longest; ++l) {
            uint32_t idx = static_cast<uint32_t>(buf_ & ((1ull << l) - 1));
            if (c.len[idx] == l) {
                Drop(l);
                return c.sym[idx];
            }
        }
        throw Fault{};  // an unused pattern of an incomplete distance code
    }

    void Put(uint8_t b) {
        if (out_.size() >= limit_) throw Fault{};
        out_.push_back(b);
    }

    bool Decode() {
        static const int lbase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const int lextra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        static const int dbase[32] = {1,    2,    3,    4,    5,    7,     9,     13,    17,    25,   33,
                                      49,   65,   97,   129,  193,  257,   385,   513,   769,   1025, 1537,
                                      2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577, 32769, 49153};
        static const int dextra[32] = {0, 0, 0, 0, 1, 1, 2,  2,  3,  3,  4,  4,  5,  5,  6,  6,
                                       7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 14, 14};
        static const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        try {
            pos_ = 2;
            bool fixedBuilt = false;
            Code fixedLit, fixedDist, lit, dist;
            for (;;) {
                int final = static_cast<int>(ReadBits(1));
                int type = static_cast<int>(ReadBits(2));
                if (type == 0) {
                    if (pos_ + 4 >= static_cast<int64_t>(in_.size())) return false;
                    pos_ -= count_ / 8;
                    buf_ = 0;
                    count_ = 0;
                    uint32_t len = in_[pos_] | (in_[pos_ + 1] << 8);
                    uint32_t nlen = in_[pos_ + 2] | (in_[pos_ + 3] << 8);
                    pos_ += 4;
                    if (len != (~nlen & 0xFFFFu)) return false;
                    if (static_cast<size_t>(pos_) + len > in_.size() || out_.size() + len > limit_)
                        return false;
                    for (uint32_t i = 0; i < len; ++i) out_.push_back(in_[pos_ + i]);
                    pos_ += len;
                } else if (type == 3) {
                    return false;
                } else {
                    const Code* pl;
                    const Code* pd;
                    if (type == 1) {
                        if (!fixedBuilt) {
                            std::vector<int> l(288);
                            for (int i = 0; i < 288; ++i) l[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
                            Build(l, fixedLit, false);
                            Build(std::vector<int>(32, 5), fixedDist, true);
                            fixedBuilt = true;
                        }
                        pl = &fixedLit;
                        pd = &fixedDist;
                    } else {
                        int hlit = static_cast<int>(ReadBits(5)) + 257;
                        int hdist = static_cast<int>(ReadBits(5)) + 1;
                        int hclen = static_cast<int>(ReadBits(4)) + 4;
                        std::vector<int> cl(19, 0);
                        for (int i = 0; i < hclen; ++i) cl[order[i]] = static_cast<int>(ReadBits(3));
                        Code clc;
                        if (!Build(cl, clc, false)) return false;
                        std::vector<int> lens;
                        while (static_cast<int>(lens.size()) < hlit + hdist) {
                            int s = DecodeSymbol(clc);
                            int rep = 0, val = 0;
                            if (s < 16) {
                                lens.push_back(s);
                                continue;
                            }
                            if (s == 16) {
                                if (lens.empty()) return false;
                                val = lens.back();
                                rep = 3 + static_cast<int>(ReadBits(2));
                            } else if (s == 17) {
                                rep = 3 + static_cast<int>(ReadBits(3));
                            } else {
                                rep = 11 + static_cast<int>(ReadBits(7));
                            }
                            if (static_cast<int>(lens.size()) + rep > hlit + hdist) return false;
                            lens.insert(lens.end(), rep, val);
                        }
                        if (!Build(std::vector<int>(lens.begin(), lens.begin() + hlit), lit, false))
                            return false;
                        if (!Build(std::vector<int>(lens.begin() + hlit, lens.end()), dist, true))
                            return false;
                        pl = &lit;
                        pd = &dist;
                    }
                    for (;;) {
                        int s = DecodeSymbol(*pl);
                        if (s < 256) {
                            Put(static_cast<uint8_t>(s));
                        } else if (s == 256) {
                            break;
                        } else {
                            if (s > 285) throw Fault{};
                            int length = lbase[s - 257] + static_cast<int>(ReadBits(lextra[s - 257]));
                            int ds = DecodeSymbol(*pd);
                            int distance = dbase[ds] + static_cast<int>(ReadBits(dextra[ds]));
                            if (distance > static_cast<int>(out_.size())) throw Fault{};
                            for (int i = 0; i < length; ++i) Put(out_[out_.size() - distance]);
                        }
                    }
                }
                if (final) return true;
            }
        } catch (const Fault&) {
            return false;
        }
    }

    std::span<const uint8_t> in_;
    size_t limit_;
    std::vector<uint8_t> out_;
    int64_t pos_ = 0;
    uint64_t buf_ = 0;
    int count_ = 0;
};

}  // namespace reference
