#include "ui/jpegimage.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

namespace orthavion {

namespace {

/// libjpeg's error manager with a way back out of the decoder: its default
/// ends the process.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf back;
};

[[noreturn]] void LeaveDecoder(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->back, 1);
}

/// Warnings (level −1) report corrupt data: treated as errors, so a damaged
/// picture is not shown half grey. Trace messages are dropped.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0) LeaveDecoder(info);
}

/// Decodes into `image`; false when libjpeg reports an error. Holds no
/// object with a destructor across the decoder's calls, which may jump back
/// to the setjmp here.
bool Decompress(jpeg_decompress_struct* info, JpegErrors* errors, const QByteArray* bytes,
                QImage* image) {
  if (setjmp(errors->back)) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes->constData()),
               static_cast<unsigned long>(bytes->size()));
  jpeg_read_header(info, TRUE);
  info->out_color_space = JCS_RGB;
  jpeg_start_decompress(info);
  *image = QImage(static_cast<int>(info->output_width), static_cast<int>(info->output_height),
                  QImage::Format_RGB888);
  if (image->isNull()) return false;  // too large to hold
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(info->output_scanline));
    jpeg_read_scanlines(info, &row, 1);
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
  jpeg_decompress_struct info{};  // zeroed: destroying it is safe whenever decoding stops
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = LeaveDecoder;
  errors.manager.emit_message = OnMessage;
  QImage image;
  const bool decoded = Decompress(&info, &errors, &bytes, &image);
  jpeg_destroy_decompress(&info);
  return decoded ? image : QImage();
}

}  // namespace orthavion
