#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include <gtest/gtest.h>

#include "codec/stream_codec.h"
#include "support/file_helpers.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zv {
namespace {

constexpr std::int64_t kGiB = 1024LL * 1024 * 1024;

// A few bytes of content at a known place in an otherwise empty (sparse) file.
struct Marker {
    std::int64_t offset;
    std::string bytes;
};

// Reads a file at 64-bit offsets.
class Reader {
  public:
    explicit Reader(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~Reader() { ::close(fd_); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    std::int64_t size() const { return ::lseek(fd_, 0, SEEK_END); }
    // Where data starts at or after offset: size() when only a hole is left, -1
    // when the file system cannot tell.
    std::int64_t nextData(std::int64_t offset) const {
        const off_t at = ::lseek(fd_, offset, SEEK_DATA);
        return at >= 0 ? at : errno == ENXIO ? size() : -1;
    }
    // Where that data ends; size() when the file system cannot tell.
    std::int64_t nextHole(std::int64_t offset) const {
        const off_t at = ::lseek(fd_, offset, SEEK_HOLE);
        return at > offset ? at : size();
    }

    std::string at(std::int64_t offset, std::size_t n) const {
        std::string out(n, '\0');
        std::size_t have = 0;
        while (have < n) {
            const ssize_t got =
                ::pread(fd_, out.data() + have, n - have, offset + static_cast<std::int64_t>(have));
            if (got <= 0) {
                ADD_FAILURE() << "short read at " << offset + have;
                break;
            }
            have += static_cast<std::size_t>(got);
        }
        return out;
    }

  private:
    int fd_;
};

std::string shifted(const std::string& bytes, int key) {
    std::string out = bytes;
    for (char& c : out) {
        c = static_cast<char>((static_cast<unsigned char>(c) + key) & 0xFF);
    }
    return out;
}

// The plain file's bytes [offset, offset + n): zeros but for the markers.
std::string expectedPlain(const std::vector<Marker>& markers, std::int64_t offset, std::size_t n) {
    std::string out(n, '\0');
    for (const Marker& m : markers) {
        for (std::size_t i = 0; i < m.bytes.size(); ++i) {
            const std::int64_t at = m.offset + static_cast<std::int64_t>(i) - offset;
            if (at >= 0 && at < static_cast<std::int64_t>(n)) {
                out[static_cast<std::size_t>(at)] = m.bytes[i];
            }
        }
    }
    return out;
}

TEST(StreamCodecLarge, ASparseFileOverFourGibibytesRoundTrips) {
    test::TempDir dir;
    const std::string item = dir / "disk.img";
    const std::int64_t size = 4 * kGiB + 3 * 1024 * 1024 + 17;
    const std::vector<Marker> markers = {
        {0, "BEGIN"},
        {511'995, "PREFIXEDGE"},  // straddles the 512,000 transformed bytes
        {2 * kGiB + 11, "PAST2GIB"},
        {4 * kGiB + 5, "PAST4GIB"},
        {size - 3, "END"},
    };
    {
        const int fd = ::open(item.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, size), 0);
        for (const Marker& m : markers) {
            ASSERT_EQ(::pwrite(fd, m.bytes.data(), m.bytes.size(), m.offset),
                      static_cast<ssize_t>(m.bytes.size()));
        }
        ASSERT_EQ(::close(fd), 0);
    }

    test::ScriptedUi ui;
    ActionContext ctx{ui, "pw", item};
    ASSERT_EQ(File_add(ctx), ItemResult::Done);
    {
        const std::string head = ":DN\x0B\x89\x90\x0B";
        const int key = ('p' + 'w') & 0xFF;
        const auto at = [&](std::int64_t plainOffset) { return plainOffset + 7; };
        Reader encrypted(item);
        EXPECT_EQ(encrypted.size(), size + 7);
        EXPECT_EQ(encrypted.at(0, 7), head);
        EXPECT_EQ(encrypted.at(at(0), 5), shifted("BEGIN", key));
        EXPECT_EQ(encrypted.at(at(511'995), 10), shifted("PREFI", key) + "XEDGE");
        EXPECT_EQ(encrypted.at(at(2 * kGiB + 11), 8), "PAST2GIB");
        EXPECT_EQ(encrypted.at(at(4 * kGiB + 5), 8), "PAST4GIB");
        EXPECT_EQ(encrypted.at(at(size - 3), 3), "END");
        // Empty content inside the prefix is shifted like any byte; past it, it stays zero.
        EXPECT_EQ(encrypted.at(at(100'000), 2), std::string(2, static_cast<char>(key)));
        EXPECT_EQ(encrypted.at(at(3 * kGiB), 2), std::string(2, '\0'));
    }

    ASSERT_EQ(File_sub(ctx), ItemResult::Done);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"disk.img"});

    // Every byte back. Holes read as zeros, so only the ranges that hold data
    // need reading, and they must hold zeros but for the markers. Without
    // hole support the whole file counts as data.
    Reader plain(item);
    ASSERT_EQ(plain.size(), size);
    for (const Marker& m : markers) {
        EXPECT_EQ(plain.at(m.offset, m.bytes.size()), m.bytes) << m.offset;
    }
    constexpr std::int64_t kChunk = 64 * 1024 * 1024;
    std::int64_t offset = 0;
    while (offset < size) {
        const std::int64_t found = plain.nextData(offset);
        const std::int64_t data = found < 0 ? offset : found;
        if (data >= size) {
            break;
        }
        const std::int64_t hole = found < 0 ? size : plain.nextHole(data);
        for (std::int64_t at = data; at < hole; at += kChunk) {
            const auto n = static_cast<std::size_t>(std::min(kChunk, hole - at));
            ASSERT_TRUE(plain.at(at, n) == expectedPlain(markers, at, n)) << "near " << at;
        }
        offset = hole;
    }
}

}  // namespace
}  // namespace zv
