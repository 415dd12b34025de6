#include <gtest/gtest.h>

#include "clipboard/clipboard_stream.h"
#include "platform/clipboard_api.h"
#include "sim_platform.h"

namespace kv {
namespace {

class ClipboardStreamTest : public ::testing::Test {
protected:
    sim::SimPlatform os;
    ClipboardFormats formats = ClipboardFormats::Register(os.clipboard);
    ClipboardAccess access{os.clipboard, os.loop, os.loop, os.desktop, formats, 0x1234};

    std::vector<std::uint32_t> StreamFormats(const std::string& stream) {
        std::vector<std::uint32_t> out;
        for (std::size_t at = 0; at + 6 <= stream.size();) {
            const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(stream[i])); };
            out.push_back(byte(at) | byte(at + 1) << 8);
            const std::uint32_t size = byte(at + 2) | byte(at + 3) << 8 | byte(at + 4) << 16 | byte(at + 5) << 24;
            at += 6 + size;
        }
        return out;
    }
};

TEST_F(ClipboardStreamTest, RecordsAreFormatSizeAndBytesLittleEndian) {
    os.clipboard.Put(clip::kUnicodeText, std::string("h\0i\0\0\0", 6));
    os.clipboard.Put(formats.html, std::string(300, 'x'));
    std::string stream;
    ASSERT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::Saved);
    EXPECT_EQ(stream.substr(0, 12), std::string("\x0D\x00\x06\x00\x00\x00h\0i\0\0\0", 12));
    const auto html = static_cast<unsigned char>(formats.html);
    EXPECT_EQ(static_cast<unsigned char>(stream[12]), html);
    EXPECT_EQ(stream.substr(14, 4), std::string("\x2C\x01\x00\x00", 4)) << "300 bytes";
    EXPECT_EQ(stream.size(), 12u + 6u + 300u);
    EXPECT_FALSE(os.clipboard.IsOpen());
}

TEST_F(ClipboardStreamTest, OfficeRichSetSkipsMetafilesAndOleData) {
    const std::uint32_t dataObject = os.clipboard.RegisterFormat(u"DataObject");
    const std::uint32_t embed = os.clipboard.RegisterFormat(u"Embed Source");
    for (std::uint32_t format : {dataObject, clip::kEnhMetafile, clip::kMetafilePict, clip::kBitmap, clip::kSylk,
                                 clip::kUnicodeText, clip::kText, clip::kDibV5, formats.html, formats.richText, embed}) {
        const bool handle = format == clip::kEnhMetafile || format == clip::kBitmap;
        os.clipboard.Put(format, handle ? std::nullopt : std::optional<std::string>("data"));
    }
    std::string stream;
    ASSERT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::Saved);
    EXPECT_EQ(StreamFormats(stream), (std::vector<std::uint32_t>{clip::kSylk, clip::kUnicodeText, clip::kText,
                                                                 clip::kDibV5, formats.html, formats.richText}));

    // Without the whole office set, the rich formats are kept (OLE embedding data never is).
    os.clipboard.Clear();
    os.clipboard.Put(dataObject, "object");
    os.clipboard.Put(embed, "ole");
    os.clipboard.Put(clip::kText, std::string("a\0", 2));
    std::string plain;
    ASSERT_EQ(access.SaveClipboardToStream(plain), SnapshotResult::Saved);
    EXPECT_EQ(StreamFormats(plain), (std::vector<std::uint32_t>{dataObject, clip::kText}));
}

// A handle's bytes (a metafile picture holds a metafile handle) mean nothing once the clipboard
// is emptied: restoring them would hand out a dead handle.
TEST_F(ClipboardStreamTest, FormatsHoldingHandlesAreLeftOut) {
    const std::uint32_t handleFormats[] = {clip::kBitmap,     clip::kMetafilePict, clip::kPalette,
                                           clip::kEnhMetafile, clip::kOwnerDisplay, clip::kDspBitmap,
                                           clip::kDspMetafilePict, clip::kDspEnhMetafile, 0x200, 0x2FF, 0x300, 0x3FF};
    for (std::uint32_t format : handleFormats) os.clipboard.Put(format, "handle");
    os.clipboard.Put(clip::kText, std::string("a\0", 2));
    os.clipboard.Put(0x0F, "drop");      // a file list is a memory block
    os.clipboard.Put(0x1FF, "fmt");      // just below the private range
    os.clipboard.Put(0x400, "fmt");      // just above the GDI-object range
    std::string stream;
    ASSERT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::Saved);
    EXPECT_EQ(StreamFormats(stream), (std::vector<std::uint32_t>{clip::kText, 0x0F, 0x1FF, 0x400}));
}

TEST_F(ClipboardStreamTest, ASnapshotOverTheLimitIsNotTakenAndOneAtTheLimitIs) {
    constexpr std::size_t kLimit = ClipboardAccess::kSnapshotLimitBytes;
    constexpr std::size_t kHeaders = 2 * 6;
    const std::string half((kLimit - kHeaders) / 2, 'x');
    struct Case {
        const char* name;
        std::size_t secondSize;
        SnapshotResult expected;
    };
    for (const Case& c : {Case{"at the limit", kLimit - kHeaders - half.size(), SnapshotResult::Saved},
                          Case{"one byte over", kLimit - kHeaders - half.size() + 1, SnapshotResult::TooLarge}}) {
        SCOPED_TRACE(c.name);
        os.clipboard.Clear();
        os.clipboard.Put(clip::kUnicodeText, half);
        os.clipboard.Put(formats.html, std::string(c.secondSize, 'y'));
        const int changes = os.clipboard.ChangeCount();
        std::string stream;
        EXPECT_EQ(access.SaveClipboardToStream(stream), c.expected);
        EXPECT_EQ(stream.size(), c.expected == SnapshotResult::Saved ? kLimit : 0u);
        EXPECT_EQ(os.clipboard.ChangeCount(), changes) << "the clipboard is only read";
        EXPECT_FALSE(os.clipboard.IsOpen());
    }
}

TEST_F(ClipboardStreamTest, FormatsStillToFetchWhenTheTimeIsUpAreLeftOut) {
    os.clipboard.Put(clip::kText, std::string("a\0", 2));
    os.clipboard.PutDelayed(formats.html, "<b>a</b>", 300);
    os.clipboard.PutDelayed(formats.richText, "{\\rtf1 a}", 300);
    os.clipboard.Put(clip::kUnicodeText, std::string("a\0\0\0", 4));
    const std::uint64_t start = os.loop.NowMs();
    std::string stream;
    ASSERT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::Saved);
    EXPECT_EQ(StreamFormats(stream), (std::vector<std::uint32_t>{clip::kText, formats.html, formats.richText}));
    EXPECT_EQ(os.loop.NowMs() - start, 600u);
}

TEST_F(ClipboardStreamTest, AHungOwnerIsNotWaitedForBeyondItsBound) {
    os.clipboard.PutDelayed(clip::kUnicodeText, std::string("a\0\0\0", 4), 10);
    os.clipboard.SetOwnerHung(true);
    const std::uint64_t start = os.loop.NowMs();
    std::string stream;
    EXPECT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::OwnerNotAnswering);
    EXPECT_EQ(os.loop.NowMs() - start, 100u);
    EXPECT_TRUE(stream.empty());
    EXPECT_FALSE(os.clipboard.IsOpen());
}

TEST_F(ClipboardStreamTest, RestoreBringsEveryFormatBack) {
    os.clipboard.Put(clip::kText, std::string("hello\0", 6));
    os.clipboard.Put(formats.richText, "{\\rtf1 hello}");
    std::string stream;
    ASSERT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::Saved);
    ASSERT_TRUE(access.CopyTextToClipboard(u"other"));

    ASSERT_TRUE(access.RestoreClipboardFromStream(stream));
    ASSERT_TRUE(os.clipboard.Open(1));
    EXPECT_EQ(os.clipboard.Formats(), (std::vector<std::uint32_t>{clip::kText, formats.richText}));
    EXPECT_EQ(os.clipboard.Data(formats.richText).value_or(""), "{\\rtf1 hello}");
    os.clipboard.Close();
}

TEST_F(ClipboardStreamTest, OnlyFormatKeepsJustThatFormatAndAnAbsentOneLeavesItEmpty) {
    os.clipboard.Put(clip::kText, std::string("a\0", 2));
    os.clipboard.Put(clip::kUnicodeText, std::string("a\0\0\0", 4));
    os.clipboard.Put(formats.html, "<b>a</b>");
    std::string stream;
    ASSERT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::Saved);

    ASSERT_TRUE(access.RestoreClipboardFromStream(stream, clip::kUnicodeText));
    ASSERT_TRUE(os.clipboard.Open(1));
    EXPECT_EQ(os.clipboard.Formats(), std::vector<std::uint32_t>{clip::kUnicodeText});
    os.clipboard.Close();

    ASSERT_TRUE(access.RestoreClipboardFromStream(stream, clip::kDibV5));
    ASSERT_TRUE(os.clipboard.Open(1));
    EXPECT_TRUE(os.clipboard.Formats().empty());
    os.clipboard.Close();
}

TEST_F(ClipboardStreamTest, ARecordThatEndsEarlyIsDropped) {
    os.clipboard.Put(clip::kText, std::string("abc\0", 4));
    os.clipboard.Put(formats.html, "<p>long enough</p>");
    std::string stream;
    ASSERT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::Saved);
    for (std::size_t cut : {stream.size() - 1, std::size_t{10} + 3, std::size_t{3}}) {
        ASSERT_TRUE(access.RestoreClipboardFromStream(std::string_view(stream).substr(0, cut)));
        ASSERT_TRUE(os.clipboard.Open(1));
        const auto kept = os.clipboard.Formats();
        os.clipboard.Close();
        EXPECT_EQ(kept, cut >= 10 ? std::vector<std::uint32_t>{clip::kText} : std::vector<std::uint32_t>{}) << cut;
    }
}

TEST_F(ClipboardStreamTest, BusyClipboardFailsWithoutHarm) {
    os.clipboard.Put(clip::kText, std::string("keep\0", 5));
    os.clipboard.SetBusy(true);
    std::string stream;
    EXPECT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::Busy);
    EXPECT_TRUE(stream.empty());
    EXPECT_FALSE(access.RestoreClipboardFromStream("garbage"));
    EXPECT_FALSE(access.CopyTextToClipboard(u"x"));
    EXPECT_EQ(access.GetClipboardText(), u"");
    os.clipboard.SetBusy(false);
    EXPECT_EQ(access.GetClipboardText(), u"keep");
}

TEST_F(ClipboardStreamTest, AClipboardHeldOpenForAMomentIsOpenedOnALaterTry) {
    struct Case {
        std::uint32_t heldMs;
        SnapshotResult expected;
    };
    for (const Case& c : {Case{0, SnapshotResult::Saved}, Case{35, SnapshotResult::Saved},
                          Case{45, SnapshotResult::Busy}}) {
        SCOPED_TRACE(c.heldMs);
        os.clipboard.Clear();
        os.clipboard.Put(clip::kText, std::string("keep\0", 5));
        os.clipboard.HoldOpenFor(c.heldMs);
        const std::uint64_t start = os.loop.NowMs();
        std::string stream;
        EXPECT_EQ(access.SaveClipboardToStream(stream), c.expected);
        EXPECT_LE(os.loop.NowMs() - start, 40u) << "five tries, 10 ms apart";
        EXPECT_EQ(stream.empty(), c.expected != SnapshotResult::Saved);
    }
}

TEST_F(ClipboardStreamTest, TheRestoreLeavesAClipboardThatChangedSinceAlone) {
    os.clipboard.Put(clip::kText, std::string("user\0", 5));
    std::string stream;
    ASSERT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::Saved);
    ASSERT_TRUE(access.CopyTextToClipboard(u"converted"));
    const std::uint32_t afterConversion = access.SequenceNumber();

    os.clipboard.Put(clip::kUnicodeText, std::string("l\0a\0t\0e\0r\0\0\0", 12));
    EXPECT_EQ(access.RestoreUnlessChanged(stream, afterConversion), RestoreResult::Changed);
    EXPECT_EQ(access.GetClipboardText(), u"later");

    os.clipboard.HoldOpenFor(1000);
    EXPECT_EQ(access.RestoreUnlessChanged(stream, access.SequenceNumber()), RestoreResult::Busy);
    os.clipboard.HoldOpenFor(0);
    EXPECT_EQ(access.RestoreUnlessChanged(stream, access.SequenceNumber()), RestoreResult::Restored);
    EXPECT_EQ(access.GetClipboardText(), u"user");
}

TEST_F(ClipboardStreamTest, CopyTextPutsAnsiAndUnicodeWithTerminators) {
    os.clipboard.Put(formats.html, "<b>earlier</b>");
    const int opens = os.clipboard.Opens();
    ASSERT_TRUE(access.CopyTextToClipboard(u"abc"));
    EXPECT_EQ(os.clipboard.Opens(), opens + 1) << "both formats in one open";
    EXPECT_FALSE(os.clipboard.HasFormat(formats.html)) << "emptied first";
    ASSERT_TRUE(os.clipboard.Open(1));
    EXPECT_EQ(os.clipboard.Data(clip::kText).value_or("?"), std::string("abc\0", 4));
    EXPECT_EQ(os.clipboard.Data(clip::kUnicodeText).value_or("?"), std::string("a\0b\0c\0\0\0", 8));
    os.clipboard.Close();
    EXPECT_EQ(access.GetClipboardText(), u"abc");

    os.clipboard.Clear();
    os.clipboard.Put(clip::kText, std::string("caf\xE9\0", 5));
    EXPECT_EQ(access.GetClipboardText(), u"café") << "ANSI text converted when there is no Unicode text";
}

}  // namespace
}  // namespace kv
