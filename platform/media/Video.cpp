#include "platform/media/Video.h"

#include <sys/stat.h>

#include <algorithm>
#include <mutex>
#include <utility>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace platform::media {

namespace {

// The decoders' own complaints about a file that is no video would only clutter the program's
// output: a file that does not play is reported to the caller instead.
void QuietLibraries() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

constexpr AVRational kMilliseconds{1, 1000};
constexpr std::int64_t kDefaultIntervalMs = 40;

}  // namespace

// ---- reading -------------------------------------------------------------------------------------

struct VideoReader::Impl {
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  AVPacket* packet = nullptr;
  // The current frame and a spare to decode into: a failed decode leaves the current one whole.
  AVFrame* current = nullptr;
  AVFrame* spare = nullptr;
  SwsContext* scaler = nullptr;
  int stream = -1;
  bool flushed = false;
  std::int64_t firstMs = 0;
  std::int64_t timeMs = 0;
  std::int64_t intervalMs = kDefaultIntervalMs;
  std::int64_t durationMs = 0;
  std::int64_t decoded = 0;

  ~Impl() {
    sws_freeContext(scaler);
    av_frame_free(&current);
    av_frame_free(&spare);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
  }

  std::int64_t FrameMs(const AVFrame* f) const {
    std::int64_t ts = f->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE) return decoded * intervalMs;
    return av_rescale_q(ts, format->streams[stream]->time_base, kMilliseconds);
  }

  bool Decode() {
    for (;;) {
      int r = avcodec_receive_frame(codec, spare);
      if (r == 0) {
        std::swap(current, spare);
        std::int64_t ms = FrameMs(current);
        if (decoded == 0) firstMs = ms;
        // Frames keep their order even where a stream's stamps do not.
        timeMs = std::max(decoded == 0 ? 0 : timeMs, ms - firstMs);
        ++decoded;
        return true;
      }
      if (r != AVERROR(EAGAIN) || flushed) return false;
      if (av_read_frame(format, packet) < 0) {
        avcodec_send_packet(codec, nullptr);
        flushed = true;
        continue;
      }
      if (packet->stream_index == stream) avcodec_send_packet(codec, packet);
      av_packet_unref(packet);
    }
  }
};

VideoReader::VideoReader(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
VideoReader::~VideoReader() = default;

std::unique_ptr<VideoReader> VideoReader::Open(const std::string& path, OpenResult& result) {
  QuietLibraries();
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    result = OpenResult::NotFound;
    return nullptr;
  }
  result = OpenResult::Unplayable;
  auto impl = std::make_unique<Impl>();
  if (avformat_open_input(&impl->format, path.c_str(), nullptr, nullptr) < 0) return nullptr;
  if (avformat_find_stream_info(impl->format, nullptr) < 0) return nullptr;
  const AVCodec* decoder = nullptr;
  impl->stream = av_find_best_stream(impl->format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
  if (impl->stream < 0 || !decoder) return nullptr;
  AVStream* s = impl->format->streams[impl->stream];
  impl->codec = avcodec_alloc_context3(decoder);
  if (!impl->codec || avcodec_parameters_to_context(impl->codec, s->codecpar) < 0) return nullptr;
  // One thread: frames come out as soon as their packet went in, which keeps playback on time.
  impl->codec->thread_count = 1;
  if (avcodec_open2(impl->codec, decoder, nullptr) < 0) return nullptr;
  impl->packet = av_packet_alloc();
  impl->current = av_frame_alloc();
  impl->spare = av_frame_alloc();
  if (!impl->packet || !impl->current || !impl->spare) return nullptr;
  AVRational rate = s->avg_frame_rate.num > 0 ? s->avg_frame_rate : s->r_frame_rate;
  if (rate.num > 0 && rate.den > 0)
    impl->intervalMs = std::max<std::int64_t>(1, av_rescale_q(1, AVRational{rate.den, rate.num}, kMilliseconds));
  if (!impl->Decode() || impl->current->width <= 0 || impl->current->height <= 0) return nullptr;
  if (impl->format->duration != AV_NOPTS_VALUE && impl->format->duration > 0)
    impl->durationMs = av_rescale_q(impl->format->duration, AV_TIME_BASE_Q, kMilliseconds);
  result = OpenResult::Ok;
  return std::unique_ptr<VideoReader>(new VideoReader(std::move(impl)));
}

int VideoReader::Width() const { return impl_->current->width; }
int VideoReader::Height() const { return impl_->current->height; }
std::int64_t VideoReader::DurationMs() const { return std::max(impl_->durationMs, impl_->timeMs + impl_->intervalMs); }
std::int64_t VideoReader::FrameIntervalMs() const { return impl_->intervalMs; }
bool VideoReader::Decode() { return impl_->Decode(); }
std::int64_t VideoReader::TimeMs() const { return impl_->timeMs; }

void VideoReader::Picture(VideoPicture& out) {
  const AVFrame* f = impl_->current;
  out.width = f->width;
  out.height = f->height;
  out.pixels.assign(static_cast<std::size_t>(f->width) * f->height, 0);
  impl_->scaler = sws_getCachedContext(impl_->scaler, f->width, f->height, static_cast<AVPixelFormat>(f->format),
                                       f->width, f->height, AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!impl_->scaler) return;
  std::uint8_t* dst[4] = {reinterpret_cast<std::uint8_t*>(out.pixels.data()), nullptr, nullptr, nullptr};
  int dstStride[4] = {f->width * 4, 0, 0, 0};
  sws_scale(impl_->scaler, f->data, f->linesize, 0, f->height, dst, dstStride);
  for (auto& p : out.pixels) p &= 0xFFFFFF;
}

// ---- writing -------------------------------------------------------------------------------------

struct VideoWriter::Impl {
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  std::int64_t next = 0;
  bool headerWritten = false;
  bool finished = false;

  ~Impl() {
    if (headerWritten && !finished) av_write_trailer(format);
    sws_freeContext(scaler);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    if (format) {
      if (format->pb) avio_closep(&format->pb);
      avformat_free_context(format);
    }
  }

  bool Drain() {
    for (;;) {
      int r = avcodec_receive_packet(codec, packet);
      if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
      if (r < 0) return false;
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      packet->stream_index = stream->index;
      if (av_interleaved_write_frame(format, packet) < 0) return false;
    }
  }
};

VideoWriter::VideoWriter(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
VideoWriter::~VideoWriter() = default;

std::unique_ptr<VideoWriter> VideoWriter::Create(const std::string& path, int width, int height, int framesPerSecond,
                                                 std::string& error) {
  QuietLibraries();
  auto impl = std::make_unique<Impl>();
  auto fail = [&](const char* what) {
    error = what;
    return nullptr;
  };
  if (avformat_alloc_output_context2(&impl->format, nullptr, "asf", path.c_str()) < 0) return fail("no ASF writer");
  const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_WMV2);
  if (!encoder) return fail("no WMV2 encoder");
  impl->stream = avformat_new_stream(impl->format, nullptr);
  impl->codec = avcodec_alloc_context3(encoder);
  if (!impl->stream || !impl->codec) return fail("out of memory");
  impl->codec->width = width;
  impl->codec->height = height;
  impl->codec->time_base = AVRational{1, framesPerSecond};
  impl->codec->framerate = AVRational{framesPerSecond, 1};
  impl->codec->pix_fmt = AV_PIX_FMT_YUV420P;
  impl->codec->bit_rate = 2000000;
  impl->codec->gop_size = 12;
  if (impl->format->oformat->flags & AVFMT_GLOBALHEADER) impl->codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (avcodec_open2(impl->codec, encoder, nullptr) < 0) return fail("the encoder does not take this size");
  if (avcodec_parameters_from_context(impl->stream->codecpar, impl->codec) < 0) return fail("no stream parameters");
  impl->stream->time_base = impl->codec->time_base;
  if (avio_open(&impl->format->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) return fail("cannot write the file");
  if (avformat_write_header(impl->format, nullptr) < 0) return fail("cannot write the header");
  impl->headerWritten = true;
  impl->frame = av_frame_alloc();
  impl->packet = av_packet_alloc();
  if (!impl->frame || !impl->packet) return fail("out of memory");
  impl->frame->format = AV_PIX_FMT_YUV420P;
  impl->frame->width = width;
  impl->frame->height = height;
  if (av_frame_get_buffer(impl->frame, 0) < 0) return fail("out of memory");
  impl->scaler = sws_getContext(width, height, AV_PIX_FMT_BGR0, width, height, AV_PIX_FMT_YUV420P, SWS_BILINEAR,
                                nullptr, nullptr, nullptr);
  if (!impl->scaler) return fail("no colour conversion");
  return std::unique_ptr<VideoWriter>(new VideoWriter(std::move(impl)));
}

bool VideoWriter::Write(const std::uint32_t* pixels) {
  Impl& w = *impl_;
  if (w.finished || av_frame_make_writable(w.frame) < 0) return false;
  const std::uint8_t* src[4] = {reinterpret_cast<const std::uint8_t*>(pixels), nullptr, nullptr, nullptr};
  int srcStride[4] = {w.codec->width * 4, 0, 0, 0};
  sws_scale(w.scaler, src, srcStride, 0, w.codec->height, w.frame->data, w.frame->linesize);
  w.frame->pts = w.next++;
  return avcodec_send_frame(w.codec, w.frame) >= 0 && w.Drain();
}

bool VideoWriter::Finish() {
  Impl& w = *impl_;
  if (w.finished) return true;
  w.finished = true;
  bool ok = avcodec_send_frame(w.codec, nullptr) >= 0 && w.Drain();
  ok = av_write_trailer(w.format) >= 0 && ok;
  ok = avio_closep(&w.format->pb) >= 0 && ok;
  return ok;
}

}  // namespace platform::media
