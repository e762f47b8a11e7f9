// Cutting animated GIF files into one-frame GIFs along their blocks.
#include "controls/media/gif_frames.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "support/gif_fixture.h"

using controls::gif::FramePiece;
using controls::gif::SplitFrames;

namespace {

std::span<const uint8_t> Span(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::string Text(const FramePiece& p) {
    return std::string(p.bytes.begin(), p.bytes.end());
}

}  // namespace

TEST(GifFramesTest, EachControlBlockStartsAFrameWithItsTimingAndItsImagesPosition) {
    const std::string file = giftest::ThreeFrames();
    const auto frames = SplitFrames(Span(file));
    EXPECT_EQ(frames.screenWidth, 20);
    EXPECT_EQ(frames.screenHeight, 10);
    ASSERT_EQ(frames.pieces.size(), 3u);
    const std::string header = giftest::Header(20, 10);
    struct Want {
        int delay, disposal, left, top;
    };
    const Want want[] = {{1000, 2, 0, 0}, {1, 1, 5, 2}, {500, 0, 0, 0}};
    size_t at = header.size();
    for (size_t i = 0; i < 3; ++i) {
        const FramePiece& p = frames.pieces[i];
        EXPECT_EQ(p.delay, want[i].delay) << i;
        EXPECT_EQ(p.disposal, want[i].disposal) << i;
        EXPECT_EQ(p.left, want[i].left) << i;
        EXPECT_EQ(p.top, want[i].top) << i;
        EXPECT_FALSE(p.leading);
        // The pieces are the file's own blocks, one after the other, between header and trailer.
        const std::string text = Text(p);
        ASSERT_EQ(text.substr(0, header.size()), header);
        EXPECT_EQ(text.back(), ';');
        const std::string blocks = text.substr(header.size(), text.size() - header.size() - 1);
        EXPECT_EQ(file.substr(at, blocks.size()), blocks) << i;
        at += blocks.size();
    }
    EXPECT_EQ(at, file.size() - 1);
}

TEST(GifFramesTest, AnImageBeforeAnyControlBlockIsFrameOneButALoopBlockAloneIsNone) {
    using giftest::Image;
    const Image plain{0, 0, 2, 2, {giftest::kRed}, 0, 0, -1, false};
    const Image timed{1, 1, 1, 1, {giftest::kBlue}, 30, 1};

    const auto leading = SplitFrames(Span(giftest::Gif(4, 4, {plain, timed})));
    ASSERT_EQ(leading.pieces.size(), 2u);
    EXPECT_TRUE(leading.pieces[0].leading);
    EXPECT_EQ(leading.pieces[0].delay, 10);
    EXPECT_EQ(leading.pieces[0].disposal, 0);
    EXPECT_EQ(leading.pieces[1].delay, 300);
    EXPECT_EQ(leading.pieces[1].left, 1);

    EXPECT_EQ(SplitFrames(Span(giftest::Gif(4, 4, {timed, timed}, giftest::LoopBlock()))).pieces.size(), 2u);
    EXPECT_EQ(SplitFrames(Span(giftest::Gif(4, 4, {plain}))).pieces.size(), 1u);
}

TEST(GifFramesTest, ControlBytesInsideImageDataCutNothing) {
    const auto frames = SplitFrames(Span(giftest::ControlBytesInImageData()));
    EXPECT_EQ(frames.pieces.size(), 2u);
}

TEST(GifFramesTest, DelaysAreMillisecondsFromOneTo65535) {
    using giftest::Image;
    const auto frames = SplitFrames(Span(giftest::Gif(
        2, 2, {Image{0, 0, 1, 1, {0}, 0}, Image{0, 0, 1, 1, {0}, 6554}, Image{0, 0, 1, 1, {0}, 65535}})));
    ASSERT_EQ(frames.pieces.size(), 3u);
    EXPECT_EQ(frames.pieces[0].delay, 1);
    EXPECT_EQ(frames.pieces[1].delay, 65535);
    EXPECT_EQ(frames.pieces[2].delay, 65535);
}

TEST(GifFramesTest, DamagedFilesGiveNoFramesOrTheFramesTheyHold) {
    const std::string file = giftest::ThreeFrames();
    std::string noSignature = file;
    noSignature[0] = 'J';
    std::string tableTooLong = file.substr(0, 13 + 24);
    tableTooLong[10] = '\xF7';  // 256 colours announced
    for (const std::string& bad : {std::string(), file.substr(0, 12), noSignature, tableTooLong})
        EXPECT_TRUE(SplitFrames(Span(bad)).pieces.empty());

    // Cut short at every length: never more frames than the whole file, each still a GIF.
    const std::string header = giftest::Header(20, 10);
    for (size_t n = 0; n < file.size(); ++n) {
        const auto frames = SplitFrames(Span(file.substr(0, n)));
        ASSERT_LE(frames.pieces.size(), 3u) << n;
        if (n < header.size()) {
            EXPECT_TRUE(frames.pieces.empty()) << n;
        }
        for (const FramePiece& p : frames.pieces) {
            const std::string text = Text(p);
            EXPECT_EQ(text.substr(0, header.size()), header) << n;
            EXPECT_EQ(text.back(), ';') << n;
        }
    }
    // A byte that starts no block ends the walk: the frames before it stay.
    std::string junk = file;
    junk.back() = 'x';
    EXPECT_EQ(SplitFrames(Span(junk)).pieces.size(), 3u);
}
