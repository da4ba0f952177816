#include "ui/jpegimage.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cstdlib>

namespace orthavion {
namespace {

QByteArray ProgramPicture() {
  QFile file(":/resources/orthavion.jpg");
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

/// A JPEG file of `image` written by Qt's own JPEG writer.
QByteArray QtJpeg(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", 90);
  return bytes;
}

/// The largest difference of a colour channel between two RGB images of
/// equal size.
int LargestDifference(const QImage& a, const QImage& b) {
  int largest = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
    }
  return largest;
}

TEST(JpegImageTest, ProgramPictureFromTheResources) {
  const QByteArray bytes = ProgramPicture();
  ASSERT_FALSE(bytes.isEmpty()) << "the program picture is not among the resources";
  const QImage image = DecodeJpeg(bytes);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(92, 114));
  EXPECT_EQ(image.format(), QImage::Format_RGB888);
}

TEST(JpegImageTest, DecodesAsQtsDecoderDoes) {
  if (!QImageReader::supportedImageFormats().contains("jpeg"))
    GTEST_SKIP() << "Qt has no JPEG plugin to compare with";
  QImage grey(37, 21, QImage::Format_Grayscale8);
  for (int y = 0; y < grey.height(); ++y)
    for (int x = 0; x < grey.width(); ++x) {
      const int v = (x * 7 + y * 5) % 256;
      grey.setPixel(x, y, qRgb(v, v, v));
    }
  const struct {
    const char* what;
    QByteArray bytes;
  } cases[] = {
      {"program picture (colour)", ProgramPicture()},
      {"grey picture", QtJpeg(grey)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QImage ours = DecodeJpeg(c.bytes);
    const QImage qts = QImage::fromData(c.bytes, "JPG").convertToFormat(QImage::Format_RGB888);
    ASSERT_FALSE(ours.isNull());
    ASSERT_EQ(ours.size(), qts.size());
    // Both use libjpeg; its decoders may round differently by a step or two.
    EXPECT_LE(LargestDifference(ours, qts), 2);
  }
}

TEST(JpegImageTest, CorruptDataGivesANullImage) {
  const QByteArray picture = ProgramPicture();
  ASSERT_GT(picture.size(), 1000);
  const struct {
    const char* what;
    QByteArray bytes;
  } cases[] = {
      {"no bytes", QByteArray()},
      {"text", QByteArray("PNR NIV X Y Z\r\n")},
      {"start marker only", QByteArray("\xFF\xD8", 2)},
      {"header without image data", picture.left(300)},
      {"cut in the image data", picture.left(picture.size() / 2)},
      {"not starting with the start marker", picture.mid(2)},
  };
  for (const auto& c : cases) EXPECT_TRUE(DecodeJpeg(c.bytes).isNull()) << c.what;
}

}  // namespace
}  // namespace orthavion
