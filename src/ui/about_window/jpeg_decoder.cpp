#include "ui/about_window/jpeg_decoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <new>

#include <jpeglib.h>
#include <jerror.h>

namespace corvani {
namespace {

// What libjpeg may allocate for itself (coefficient buffers of progressive pictures and the
// like); beyond it, it fails with an error instead of asking for more.
constexpr long kLibjpegMemoryLimit = 192L * 1024 * 1024;

// The standard error manager, except that an error returns to the caller (longjmp back into
// the frame that armed `jump`) and nothing is ever printed.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void OutputMessage(j_common_ptr) {}  // warnings are counted (num_warnings), not shown

// A source manager that hands libjpeg the bytes in memory, kJpegChunkSize at a time, and an end
// marker (with a warning) once they have run out.
struct MemorySource {
  jpeg_source_mgr pub;
  const unsigned char* data;
  std::size_t size;
  std::size_t offset;  // the first byte not yet handed to libjpeg
};

const JOCTET kEndMarker[2] = {0xFF, JPEG_EOI};

MemorySource* SourceOf(j_decompress_ptr cinfo) { return reinterpret_cast<MemorySource*>(cinfo->src); }

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  MemorySource* src = SourceOf(cinfo);
  if (src->offset >= src->size) {
    WARNMS(cinfo, JWRN_JPEG_EOF);
    src->pub.next_input_byte = kEndMarker;
    src->pub.bytes_in_buffer = sizeof kEndMarker;
    return TRUE;
  }
  const std::size_t n = std::min(kJpegChunkSize, src->size - src->offset);
  src->pub.next_input_byte = src->data + src->offset;
  src->pub.bytes_in_buffer = n;
  src->offset += n;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long num_bytes) {
  if (num_bytes <= 0) return;
  MemorySource* src = SourceOf(cinfo);
  auto skip = static_cast<std::size_t>(num_bytes);
  if (skip <= src->pub.bytes_in_buffer) {
    src->pub.next_input_byte += skip;
    src->pub.bytes_in_buffer -= skip;
    return;
  }
  // Past the current chunk: the next fill starts where the skip ends (or at the end marker).
  skip -= src->pub.bytes_in_buffer;
  src->pub.bytes_in_buffer = 0;
  src->offset += std::min(skip, src->size - src->offset);
}

// Everything libjpeg works on, kept in one trivially destructible object outside the frames
// that libjpeg's error exit jumps out of.
struct Decoder {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  MemorySource src;
};

// The two steps that call into libjpeg. Each arms the error exit for itself and holds nothing
// with a destructor, so a longjmp back into it skips no destructor; it then reports false. The
// caller destroys the decompression object in either case.
bool StartDecoding(Decoder& d) {
  if (setjmp(d.err.jump)) return false;
  jpeg_create_decompress(&d.cinfo);
  d.cinfo.mem->max_memory_to_use = kLibjpegMemoryLimit;
  d.cinfo.src = &d.src.pub;
  jpeg_read_header(&d.cinfo, TRUE);
  if (d.cinfo.num_components == 1) {
    d.cinfo.out_color_space = JCS_GRAYSCALE;  // widened to RGB by hand: libjpeg 6b can't
  } else if (d.cinfo.num_components == 3) {
    d.cinfo.out_color_space = JCS_RGB;
  } else {
    return false;
  }
  const JDIMENSION w = d.cinfo.image_width, h = d.cinfo.image_height;
  if (w == 0 || h == 0 || w > static_cast<JDIMENSION>(kMaxJpegSide) ||
      h > static_cast<JDIMENSION>(kMaxJpegSide) || std::size_t{w} * h > kMaxJpegPixels) {
    return false;
  }
  jpeg_start_decompress(&d.cinfo);
  return d.cinfo.output_width == w && d.cinfo.output_height == h &&
         d.cinfo.output_components == d.cinfo.num_components;
}

// Reads the rows, one at a time, into `out` (3 bytes a pixel); a greyscale row goes through
// `grey_row` first and is widened.
bool ReadRows(Decoder& d, unsigned char* out, unsigned char* grey_row) {
  if (setjmp(d.err.jump)) return false;
  const std::size_t width = d.cinfo.output_width;
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    unsigned char* rgb = out + std::size_t{d.cinfo.output_scanline} * width * 3;
    JSAMPROW row = grey_row != nullptr ? grey_row : rgb;
    if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1) return false;
    if (grey_row != nullptr) {
      for (std::size_t x = 0; x < width; ++x) rgb[3 * x] = rgb[3 * x + 1] = rgb[3 * x + 2] = grey_row[x];
    }
  }
  jpeg_finish_decompress(&d.cinfo);
  return true;
}

class DestroyDecompress {
 public:
  explicit DestroyDecompress(jpeg_decompress_struct& cinfo) : cinfo_(cinfo) {}
  DestroyDecompress(const DestroyDecompress&) = delete;
  DestroyDecompress& operator=(const DestroyDecompress&) = delete;
  ~DestroyDecompress() { jpeg_destroy_decompress(&cinfo_); }  // also after a failed create

 private:
  jpeg_decompress_struct& cinfo_;
};

}  // namespace

std::optional<DecodedPicture> DecodeJpeg(std::span<const unsigned char> bytes) {
  if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;

  Decoder d{};  // all zero: destroying it is safe even before jpeg_create_decompress
  d.cinfo.err = jpeg_std_error(&d.err.pub);
  d.err.pub.error_exit = ErrorExit;
  d.err.pub.output_message = OutputMessage;
  d.src.pub.init_source = InitSource;
  d.src.pub.fill_input_buffer = FillInputBuffer;
  d.src.pub.skip_input_data = SkipInputData;
  d.src.pub.resync_to_restart = jpeg_resync_to_restart;
  d.src.pub.term_source = TermSource;
  d.src.data = bytes.data();
  d.src.size = bytes.size();
  DestroyDecompress destroy(d.cinfo);

  if (!StartDecoding(d)) return std::nullopt;
  DecodedPicture picture;
  picture.width = static_cast<int>(d.cinfo.output_width);
  picture.height = static_cast<int>(d.cinfo.output_height);
  std::vector<unsigned char> grey_row;
  try {
    picture.pixels.resize(std::size_t{d.cinfo.output_width} * d.cinfo.output_height * 3);
    if (d.cinfo.output_components == 1) grey_row.resize(d.cinfo.output_width);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (!ReadRows(d, picture.pixels.data(), grey_row.empty() ? nullptr : grey_row.data())) return std::nullopt;
  picture.warned = d.err.pub.num_warnings > 0;
  return picture;
}

}  // namespace corvani
