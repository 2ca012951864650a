#include "plugins/PictureInfo.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>

namespace {

// One of the real plug-ins of the build, loaded as the editor loads it.
class CPlugin {
public:
    explicit CPlugin(const char* fileName) {
        const QByteArray path = QFile::encodeName(QDir(VURO_PLUGIN_DIR).filePath(fileName));
        m_handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        EXPECT_NE(m_handle, nullptr) << dlerror();
        if (m_handle)
            m_entry = reinterpret_cast<VuroGetPictureInfoEntry>(dlsym(m_handle, "GetPictureInfo"));
    }
    ~CPlugin() {
        if (m_handle)
            dlclose(m_handle);
    }
    bool Exports(const char* name) const { return m_handle && dlsym(m_handle, name) != nullptr; }

    int32_t FromMemory(const std::string& bytes, VuroPictureInfo& info) const {
        return m_entry(bytes.data(), static_cast<int64_t>(bytes.size()), kPictureFromMemory, &info);
    }
    int32_t FromFile(const QString& path, VuroPictureInfo& info, int64_t offset = 0) const {
        QByteArray copy = QFile::encodeName(path);
        return m_entry(copy.data(), offset, kPictureFromFile, &info);
    }
    VuroGetPictureInfoEntry Entry() const { return m_entry; }

private:
    void* m_handle = nullptr;
    VuroGetPictureInfoEntry m_entry = nullptr;
};

std::string Le16(unsigned v) {
    return {char(v & 0xFF), char(v >> 8 & 0xFF)};
}
std::string Be16(unsigned v) {
    return {char(v >> 8 & 0xFF), char(v & 0xFF)};
}
std::string Be32(std::uint32_t v) {
    return Be16(v >> 16) + Be16(v & 0xFFFF);
}

std::uint32_t Crc32(const std::string& data) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : data) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string Gif(unsigned width, unsigned height, unsigned char packed = 0x80) {
    std::string gif = "GIF89a" + Le16(width) + Le16(height) + char(packed) + '\0' + '\0';
    if (packed & 0x80)
        gif.append(3u << ((packed & 7) + 1), '\0');
    // One 1-by-1 image and the trailer.
    gif += std::string("\x2C", 1) + Le16(0) + Le16(0) + Le16(1) + Le16(1) + '\0' + "\x02\x02\x44\x01" + '\0' +
           ";";
    return gif;
}

std::string PngHeader(std::uint32_t width, std::uint32_t height, char depth = 8, char colourType = 6) {
    const std::string ihdr = "IHDR" + Be32(width) + Be32(height) + depth + colourType + '\0' + '\0' + '\0';
    return std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + ihdr + Be32(Crc32(ihdr));
}

std::string Segment(unsigned char marker, const std::string& payload) {
    return std::string{char(0xFF), char(marker)} + Be16(static_cast<unsigned>(payload.size() + 2)) + payload;
}

std::string Frame(unsigned char sof, unsigned width, unsigned height, unsigned components = 3) {
    std::string payload = std::string(1, 8) + Be16(height) + Be16(width) + char(components);
    for (unsigned i = 0; i < components; ++i)
        payload += std::string{char(i + 1), char(0x11), char(0)};
    return Segment(sof, payload);
}

const std::string kSoi("\xFF\xD8", 2);
const std::string kEoi("\xFF\xD9", 2);

std::string Encoded(const QImage& image, const char* format, bool progressive = false) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return buffer.data().toStdString();
}

QImage Picture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

struct Size {
    int32_t width, height;
    bool operator==(const Size&) const = default;
};

class PictureInfo : public testing::Test {
protected:
    // The size a plug-in reads, or {-status, -status} when it fails.
    static Size Read(const CPlugin& plugin, const std::string& bytes) {
        VuroPictureInfo info{};
        const int32_t status = plugin.FromMemory(bytes, info);
        if (status != kPictureOk)
            return {-status, -status};
        return {info.width, info.height};
    }

    QString Write(const QString& name, const std::string& bytes) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    CPlugin gif{"ifgif.spi"};
    CPlugin jpeg{"ifjpeg.spi"};
    CPlugin png{"ifpng.spi"};
    QTemporaryDir m_dir;
};

constexpr Size kBroken{-kPictureBroken, -kPictureBroken};
constexpr Size kOther{-kPictureNotThisFormat, -kPictureNotThisFormat};

} // namespace

TEST_F(PictureInfo, EachPlugInExportsOnlyItsEntry) {
    for (const CPlugin* plugin : {&gif, &jpeg, &png}) {
        ASSERT_NE(plugin->Entry(), nullptr);
        EXPECT_FALSE(plugin->Exports("ReadPicture"));
    }
}

TEST_F(PictureInfo, ReadsTheSizesOfRealPicturesFromFiles) {
    VuroPictureInfo info{};
    ASSERT_EQ(png.FromFile(Write("a.png", Encoded(Picture(123, 45), "png")), info), kPictureOk);
    EXPECT_EQ(info.width, 123);
    EXPECT_EQ(info.height, 45);
    EXPECT_EQ(info.left, 0);
    EXPECT_EQ(info.top, 0);
    ASSERT_EQ(jpeg.FromFile(Write("a.jpg", Encoded(Picture(321, 54), "jpeg")), info), kPictureOk);
    EXPECT_EQ(info.width, 321);
    EXPECT_EQ(info.height, 54);
    EXPECT_EQ(info.bitsPerPixel, 24);
    ASSERT_EQ(jpeg.FromFile(Write("p.jpg", Encoded(Picture(77, 600), "jpeg", true)), info), kPictureOk);
    EXPECT_EQ(info.width, 77);
    EXPECT_EQ(info.height, 600);
    ASSERT_EQ(gif.FromFile(Write("a.gif", Gif(120, 60, 0xF7)), info), kPictureOk);
    EXPECT_EQ(info.width, 120);
    EXPECT_EQ(info.height, 60);
    EXPECT_EQ(info.bitsPerPixel, 8);
    // A picture further into a file.
    ASSERT_EQ(gif.FromFile(Write("b.bin", "junk" + Gif(7, 9)), info, 4), kPictureOk);
    EXPECT_EQ(info.width, 7);
}

TEST_F(PictureInfo, EachPlugInKnowsOnlyItsOwnFormat) {
    const std::string aPng = Encoded(Picture(5, 6), "png");
    const std::string aJpeg = Encoded(Picture(5, 6), "jpeg");
    const std::string aGif = Gif(5, 6);
    EXPECT_EQ(Read(gif, aPng), kOther);
    EXPECT_EQ(Read(gif, aJpeg), kOther);
    EXPECT_EQ(Read(jpeg, aGif), kOther);
    EXPECT_EQ(Read(jpeg, aPng), kOther);
    EXPECT_EQ(Read(png, aGif), kOther);
    EXPECT_EQ(Read(png, aJpeg), kOther);
    EXPECT_EQ(Read(png, ""), kOther);
}

TEST_F(PictureInfo, GifScreenSizeOrFirstImageWhenTheScreenIsEmpty) {
    EXPECT_EQ(Read(gif, Gif(65535, 65535)), (Size{65535, 65535}));
    EXPECT_EQ(Read(gif, Gif(1, 1, 0)), (Size{1, 1}));
    // A 0-by-0 screen takes the first image's size, past the colour table and extensions.
    std::string screenless = "GIF87a" + Le16(0) + Le16(0) + "\x81" + '\0' + '\0' + std::string(12, '\0') +
                             "\x21\xF9\x04\x01\x02\x03\x04" + '\0' + "\x21\xFE\x03" + "abc" + '\0' + "\x2C" +
                             Le16(2) + Le16(3) + Le16(40) + Le16(30) + '\0';
    EXPECT_EQ(Read(gif, screenless), (Size{40, 30}));
    EXPECT_EQ(Read(gif, screenless.substr(0, screenless.size() - 3)), kBroken);
    EXPECT_EQ(Read(gif, "GIF88a" + Gif(5, 5).substr(6)), kBroken);
    EXPECT_EQ(Read(gif, "GIF89a" + Le16(0) + Le16(0) + std::string("\0\0\0;", 4)), kBroken);
}

TEST_F(PictureInfo, PngHeaderIsCheckedStrictly) {
    EXPECT_EQ(Read(png, PngHeader(640, 480)), (Size{640, 480}));
    EXPECT_EQ(Read(png, PngHeader(0x7FFFFFFF, 1)), (Size{0x7FFFFFFF, 1}));
    EXPECT_EQ(Read(png, PngHeader(0x80000000u, 1)), kBroken);
    EXPECT_EQ(Read(png, PngHeader(0xFFFFFFFFu, 0xFFFFFFFFu)), kBroken);
    EXPECT_EQ(Read(png, PngHeader(0, 10)), kBroken);
    EXPECT_EQ(Read(png, PngHeader(10, 10, 3, 6)), kBroken); // no such depth
    EXPECT_EQ(Read(png, PngHeader(10, 10, 8, 5)), kBroken); // no such colour type
    std::string wrongCrc = PngHeader(10, 10);
    wrongCrc.back() ^= 1;
    EXPECT_EQ(Read(png, wrongCrc), kBroken);
    std::string notFirst = PngHeader(10, 10);
    notFirst.replace(12, 4, "gAMA");
    EXPECT_EQ(Read(png, notFirst), kBroken);
}

TEST_F(PictureInfo, JpegFrameIsFoundInAnyOrderOfSegments) {
    // An Exif block whose thumbnail has a frame of its own, tables after the frame.
    const std::string thumbnail = kSoi + Frame(0xC0, 16, 12) + kEoi;
    const std::string exif = Segment(0xE1, std::string("Exif\0\0", 6) + thumbnail);
    const std::string tables = Segment(0xDB, std::string(65, 1)) + Segment(0xC4, std::string(30, 2));
    const std::string scan =
        Segment(0xDA, std::string(10, 0)) + std::string("\x12\xFF\x00\x34\xFF\xD0\x56", 7) + kEoi;
    EXPECT_EQ(Read(jpeg, kSoi + exif + Frame(0xC0, 800, 600) + tables + scan), (Size{800, 600}));
    EXPECT_EQ(Read(jpeg, kSoi + tables + Segment(0xFE, "comment") + Frame(0xC2, 1024, 768) + scan),
              (Size{1024, 768}));
    // Arithmetic, lossless and fill bytes before a marker.
    EXPECT_EQ(Read(jpeg, kSoi + "\xFF\xFF\xFF" + Frame(0xC9, 9, 8, 1) + scan), (Size{9, 8}));
    EXPECT_EQ(Read(jpeg, kSoi + Frame(0xC3, 3, 4, 1) + scan), (Size{3, 4}));
    // A height left to the DNL segment after the first scan.
    EXPECT_EQ(Read(jpeg, kSoi + Frame(0xC0, 50, 0) + scan.substr(0, scan.size() - 2) +
                             Segment(0xDC, Be16(70)) + kEoi),
              (Size{50, 70}));
}

TEST_F(PictureInfo, JpegWithoutAUsableFrameIsBroken) {
    const std::string scan = Segment(0xDA, std::string(10, 0)) + "\x12\x34" + kEoi;
    EXPECT_EQ(Read(jpeg, kSoi + kEoi), kBroken);
    EXPECT_EQ(Read(jpeg, kSoi + scan), kBroken);                                // image data, no frame
    EXPECT_EQ(Read(jpeg, kSoi + Frame(0xC0, 0, 10) + scan), kBroken);           // no width
    EXPECT_EQ(Read(jpeg, kSoi + Frame(0xC0, 10, 0) + scan), kBroken);           // height never given
    EXPECT_EQ(Read(jpeg, kSoi + Segment(0xC0, std::string(3, 8))), kBroken);    // frame too short
    EXPECT_EQ(Read(jpeg, kSoi + "\xFF\xE0" + Be16(1) + "xx"), kBroken);         // length below its own size
    EXPECT_EQ(Read(jpeg, kSoi + "\xFF\xE0" + Be16(0xFFFF) + "short"), kBroken); // length past the end
    std::string badCount = Frame(0xC0, 10, 10, 3);
    badCount[9] = 2; // two components in a segment sized for three
    EXPECT_EQ(Read(jpeg, kSoi + badCount + scan), kBroken);
    std::string noPrecision = Frame(0xC0, 10, 10, 3);
    noPrecision[4] = 0; // samples of 0 bits: no pixel at all
    EXPECT_EQ(Read(jpeg, kSoi + noPrecision + scan), kBroken);
}

TEST_F(PictureInfo, RefusesBadArgumentsAndLeavesTheRecordZero) {
    VuroPictureInfo info{};
    info.width = 99;
    const std::string bytes = Gif(3, 3);
    EXPECT_EQ(gif.Entry()(nullptr, 0, kPictureFromMemory, &info), kPictureBadArgument);
    EXPECT_EQ(info.width, 0);
    EXPECT_EQ(gif.Entry()(bytes.data(), 10, kPictureFromMemory, nullptr), kPictureBadArgument);
    EXPECT_EQ(gif.Entry()(bytes.data(), -1, kPictureFromMemory, &info), kPictureBadArgument);
    EXPECT_EQ(gif.Entry()(bytes.data(), 10, 0x80, &info), kPictureBadArgument);
    info.height = 5;
    EXPECT_EQ(jpeg.FromMemory(kSoi, info), kPictureBroken);
    EXPECT_EQ(info.height, 0);
}

TEST_F(PictureInfo, SpecialAndMissingFilesAreReadErrorsWithoutWaiting) {
    VuroPictureInfo info{};
    EXPECT_EQ(gif.FromFile(m_dir.filePath("missing.gif"), info), kPictureReadError);
    EXPECT_EQ(gif.FromFile(m_dir.path(), info), kPictureReadError);
    const QString fifo = m_dir.filePath("pipe.gif");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Reading either would block or never end; the test run's time limit catches that.
    EXPECT_EQ(jpeg.FromFile(fifo, info), kPictureReadError);
    EXPECT_EQ(png.FromFile("/dev/zero", info), kPictureReadError);
    // An offset beyond the end of the file leaves nothing to read.
    EXPECT_EQ(gif.FromFile(Write("c.gif", Gif(4, 4)), info, 1000), kPictureNotThisFormat);
}

TEST_F(PictureInfo, HostileDataEndsQuicklyWithoutCrashing) {
    // Fill bytes and zero-length scans up to the examined limit and beyond: the walk stops.
    EXPECT_EQ(Read(jpeg, kSoi + std::string(80u << 20, '\xFF')), kBroken);
    EXPECT_EQ(Read(jpeg, kSoi + Frame(0xC0, 10, 0) + Segment(0xDA, std::string(10, 0)) +
                             std::string(80u << 20, '\0')),
              kBroken);
    std::string extensions = "GIF89a" + Le16(0) + Le16(0) + std::string(3, '\0');
    for (int i = 0; i < 200000; ++i)
        extensions += std::string("\x21\x01\x01x\0", 5);
    extensions += std::string(1, '\0');
    EXPECT_EQ(Read(gif, extensions), kBroken);
    // A sparse file of 6 GB that starts like a JPEG.
    const QString sparse = Write("huge.jpg", kSoi + Frame(0xC0, 10, 0));
    ASSERT_EQ(truncate(QFile::encodeName(sparse).constData(), 6LL << 30), 0);
    VuroPictureInfo info{};
    EXPECT_EQ(jpeg.FromFile(sparse, info), kPictureBroken);
}

TEST_F(PictureInfo, FuzzedAndTruncatedHeadersNeverCrashOrInventASize) {
    std::mt19937 random(20240601);
    const std::string samples[] = {
        Gif(120, 60, 0xF7),
        Encoded(Picture(33, 44), "png"),
        Encoded(Picture(55, 66), "jpeg"),
        Encoded(Picture(55, 66), "jpeg", true),
        kSoi + Segment(0xE1, std::string("Exif\0\0", 6) + kSoi + Frame(0xC0, 16, 12) + kEoi) +
            Frame(0xC2, 70, 80),
    };
    const CPlugin* plugins[] = {&gif, &png, &jpeg, &jpeg, &jpeg};
    const Size expected[] = {{120, 60}, {33, 44}, {55, 66}, {55, 66}, {70, 80}};
    auto check = [](const CPlugin& plugin, const std::string& bytes) {
        VuroPictureInfo info{};
        const int32_t status = plugin.FromMemory(bytes, info);
        if (status == kPictureOk) {
            EXPECT_GT(info.width, 0);
            EXPECT_GT(info.height, 0);
        } else {
            EXPECT_TRUE(status == kPictureBroken || status == kPictureNotThisFormat) << status;
            EXPECT_EQ(info.width, 0);
        }
        return status == kPictureOk ? Size{info.width, info.height} : kBroken;
    };
    for (std::size_t s = 0; s < std::size(samples); ++s) {
        const std::string& sample = samples[s];
        EXPECT_EQ(Read(*plugins[s], sample), expected[s]) << s;
        // A prefix either fails or gives the whole picture's size, never another one.
        for (std::size_t n = 0; n < std::min<std::size_t>(sample.size(), 2048); ++n) {
            const Size got = check(*plugins[s], sample.substr(0, n));
            EXPECT_TRUE(got == kBroken || got == expected[s]) << s << " " << n;
        }
        for (int round = 0; round < 3000; ++round) {
            std::string mutated = sample.substr(0, std::min<std::size_t>(sample.size(), 4096));
            const int flips = 1 + static_cast<int>(random() % 8);
            for (int f = 0; f < flips; ++f)
                mutated[random() % mutated.size()] = static_cast<char>(random());
            if (random() % 4 == 0)
                mutated.resize(random() % mutated.size());
            for (const CPlugin* plugin : {&gif, &png, &jpeg})
                check(*plugin, mutated);
        }
    }
    for (int round = 0; round < 3000; ++round) {
        std::string noise(random() % 200, '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        // Give the noise each format's signature half of the time.
        const char* heads[] = {"GIF89a", "\x89PNG\r\n\x1A\n", "\xFF\xD8"};
        if (random() % 2)
            noise.insert(0, heads[random() % 3]);
        for (const CPlugin* plugin : {&gif, &png, &jpeg})
            check(*plugin, noise);
    }
    // The same through files, truncated at every length of a header.
    const std::string sample = Encoded(Picture(12, 34), "jpeg");
    for (std::size_t n = 0; n < 700 && n < sample.size(); n += 7) {
        VuroPictureInfo info{};
        const int32_t status = jpeg.FromFile(Write("t.jpg", sample.substr(0, n)), info);
        EXPECT_TRUE(status == kPictureBroken || status == kPictureNotThisFormat || status == kPictureOk) << n;
    }
}
