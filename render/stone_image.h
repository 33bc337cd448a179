#pragma once

#include <QImage>

#include <optional>
#include <string>

namespace vantaro {

// One sample of a stone image: colour channels and opacity, each 0..1.
struct ImageSample {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 0;
};

// The picture of a stone for the stone styles that use one (a whole stone,
// or the material a generated stone is made of), with the path it came from.
class StoneImage {
 public:
  // Reads a picture file (PNG and the other formats Qt reads). On failure
  // the previous picture is dropped and false returned.
  bool Load(const std::u16string& path);
  void Clear();
  bool loaded() const { return !image_.isNull(); }
  const std::u16string& path() const { return path_; }
  // Changes whenever the picture does, so that drawables made from it know
  // when to render again.
  int generation() const { return generation_; }

  // The picture stretched over the square -1..1 (u to the right, v down),
  // sampled between pixels; nothing outside it or where it is fully
  // transparent.
  std::optional<ImageSample> At(double u, double v) const;
  // The same for a variant of a stone made of the picture as material: each
  // variant index turns and shifts the material a little (index 0 only
  // scales it), always staying inside the middle of the picture.
  std::optional<ImageSample> AtVariant(double u, double v, int index) const;

 private:
  QImage image_;  // premultiplied, so that sampling between pixels does not darken edges
  std::u16string path_;
  int generation_ = 0;
};

}  // namespace vantaro
