#pragma once
// JPEG pictures decoded with libjpeg.

#include <QByteArray>
#include <QImage>

namespace orthavion {

/// The picture of the JPEG file `bytes` as an RGB image (grey and CMYK
/// pictures are converted by the decoder). A null image when `bytes` is no
/// JPEG, or a damaged one: any error, and any warning about corrupt data,
/// ends the decoding without touching memory outside the input and the image.
QImage DecodeJpeg(const QByteArray& bytes);

}  // namespace orthavion
