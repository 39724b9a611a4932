#pragma once
// Video files, decoded frame by frame: what the platform's media playback stands on. Only the
// picture is decoded; sound is not played.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::media {

enum class OpenResult { Ok, NotFound, Unplayable };

// A picture of the video, 0x00RRGGBB pixels, top row first.
struct VideoPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

class VideoReader {
 public:
  // Null, with the reason, when the file is missing or holds no video that decodes. An opened
  // reader has decoded its first frame.
  static std::unique_ptr<VideoReader> Open(const std::string& path, OpenResult& result);
  ~VideoReader();
  VideoReader(const VideoReader&) = delete;
  VideoReader& operator=(const VideoReader&) = delete;

  int Width() const;
  int Height() const;
  // From the first frame's presentation to the end of the last frame.
  std::int64_t DurationMs() const;
  // The time from one frame to the next, as the stream declares it.
  std::int64_t FrameIntervalMs() const;

  // Decodes the next frame. False at the end, when the last frame decoded stays the current one.
  bool Decode();
  // The current (last decoded) frame: its presentation time from the first frame's, and its picture.
  std::int64_t TimeMs() const;
  void Picture(VideoPicture& out);

 private:
  struct Impl;
  explicit VideoReader(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Writes a video of WMV2 pictures in an ASF file ("lo.wmv"), one picture at a time at a fixed rate.
class VideoWriter {
 public:
  // Null, with a message, when the file cannot be written.
  static std::unique_ptr<VideoWriter> Create(const std::string& path, int width, int height, int framesPerSecond,
                                             std::string& error);
  ~VideoWriter();
  VideoWriter(const VideoWriter&) = delete;
  VideoWriter& operator=(const VideoWriter&) = delete;

  // A picture of width × height 0x00RRGGBB pixels, top row first.
  bool Write(const std::uint32_t* pixels);
  // Writes what the encoder holds back and the file's index; the file is complete afterwards.
  bool Finish();

 private:
  struct Impl;
  explicit VideoWriter(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform::media
