#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/masked_picture.h"

namespace vantaro {

class StoneImage;

// The drawable kinds: what the board drawer asks the cache for.
namespace marker_kind {
constexpr int kCircle = 0;
constexpr int kCross = 1;
constexpr int kSquare = 2;
constexpr int kTriangle = 3;
constexpr int kBlackStone = 4;  // generated stones
constexpr int kWhiteStone = 5;
constexpr int kFocus = 6;  // the last-move marker, made as the focusShape kind
constexpr int kStarPoint = 7;
constexpr int kBlackImageStone = 8;  // the stone image itself
constexpr int kWhiteImageStone = 9;
constexpr int kBlackMaterialStone = 10;  // generated stones made of the stone image
constexpr int kWhiteMaterialStone = 11;
constexpr int kBlackMonoStone = 12;  // black-and-white, drawn as ellipses
constexpr int kWhiteMonoStone = 13;
constexpr int kBlackMonoAntiaStone = 14;  // black-and-white, antialiased
constexpr int kWhiteMonoAntiaStone = 15;
constexpr int kSlots = 22;  // kinds above 15 have no drawable

// Every stone style has a kind for its black stones and one for its white.
constexpr bool IsWhiteStone(int kind) {
  return kind == kWhiteStone || kind == kWhiteImageStone || kind == kWhiteMaterialStone ||
         kind == kWhiteMonoStone || kind == kWhiteMonoAntiaStone;
}
// The stones drawn from the stone image, whole or as material.
constexpr bool UsesStoneImage(int kind) {
  return kind == kBlackImageStone || kind == kWhiteImageStone || kind == kBlackMaterialStone ||
         kind == kWhiteMaterialStone;
}
}  // namespace marker_kind

// One supersample: colour channels 0..1.
struct SampleColour {
  double red = 0;
  double green = 0;
  double blue = 0;
};
SampleColour ToSample(rutl::COLORREF colour);

// A stone, marker shape or star point: a masked picture rendered once for a
// size and colours, antialiased into the colour behind it (the background).
class GoMarker : public CMaskedPicture {
 public:
  explicit GoMarker(int kind) : kind_(kind) {}

  int kind() const { return kind_; }
  rutl::COLORREF foregroundColor() const { return foreground_; }
  void SetForegroundColor(rutl::COLORREF colour);

  // Supersamples per pixel along each axis.
  virtual int SampleFactor() const { return 3; }
  // Sizes the picture for a grid spacing: SizeFor, made odd by adding 1 when
  // even and smaller than the spacing, at least 1 and never wider than the
  // spacing, so that neighbouring points never overlap.
  virtual void SetSize(int spacing);
  virtual int SizeFor(int spacing) const = 0;

  // The percentage that blends a colour across the 1.4-pixel antialiasing
  // band, for a distance into the band.
  static int BandPercent(double distance);

  // On a memory context the picture; on a painter context (a PDF, SVG or
  // printer page) the same marker as shapes, which stay sharp at any
  // resolution and need no raster operations.
  bool Draw(rutl::DC& dc, int x, int y, bool centred) override;

 protected:
  // The marker as shapes in the foreground colour over the picture's square
  // with its top-left corner at (left, top).
  virtual void DrawShape(rutl::DC& dc, int left, int top) = 0;
  // A disc of the diameter centred on the square, filled, with an outline
  // of the width in black (none when 0).
  void DrawDisc(rutl::DC& dc, int left, int top, double diameter, rutl::COLORREF fill,
                int outline) const;
  // A triangle pointing up in the foreground colour: its apex above the
  // centre, its base from centre - halfBase to centre + halfBase.
  void DrawTriangle(rutl::DC& dc, double centre, double apex, double base, double halfBase) const;

  // Supersampling: Sample fills a grid of (k - 1) * size + 1 samples each
  // way; a pixel averages its k x k samples (sharing its edge samples with
  // its neighbours) and is transparent only when all of them are.
  void Render() override;
  virtual void Sample(int gridWidth, int gridHeight, std::vector<SampleColour>& colours,
                      std::vector<std::uint8_t>& transparent);

 private:
  int kind_;
  rutl::COLORREF foreground_ = 0;
};

// Kind 0: a ring.
class GoMarkerCR : public GoMarker {
 public:
  using GoMarker::GoMarker;
  int SizeFor(int spacing) const override { return spacing / 2; }

 protected:
  void Render() override;
  void DrawShape(rutl::DC& dc, int left, int top) override;
};

// Kind 1: a diagonal cross.
class GoMarkerMA : public GoMarker {
 public:
  using GoMarker::GoMarker;
  int SizeFor(int spacing) const override;

 protected:
  void Render() override;
  void DrawShape(rutl::DC& dc, int left, int top) override;
};

// Kind 2: a filled square.
class GoMarkerSQ : public GoMarker {
 public:
  using GoMarker::GoMarker;
  int SizeFor(int spacing) const override { return spacing / 3; }

 protected:
  void Render() override;
  void DrawShape(rutl::DC& dc, int left, int top) override;
};

// Kind 3: a filled triangle pointing up.
class GoMarkerTR : public GoMarker {
 public:
  using GoMarker::GoMarker;
  int SizeFor(int spacing) const override;

 protected:
  void Render() override;
  void DrawShape(rutl::DC& dc, int left, int top) override;
};

// Kind 6 by default: a small solid triangle, not antialiased.
class GoMarkerFocusTriangle : public GoMarker {
 public:
  using GoMarker::GoMarker;
  int SizeFor(int spacing) const override;

 protected:
  void Render() override;
  void DrawShape(rutl::DC& dc, int left, int top) override;
};

// Kind 7: a black dot on a square of the background colour.
class GoMarkerStarPoint : public GoMarker {
 public:
  using GoMarker::GoMarker;
  int SizeFor(int spacing) const override;
  int SampleFactor() const override { return 4; }

 protected:
  void DrawShape(rutl::DC& dc, int left, int top) override;
  void Sample(int gridWidth, int gridHeight, std::vector<SampleColour>& colours,
              std::vector<std::uint8_t>& transparent) override;
};

// Kinds 4 and 5 (generated), 8 and 9 (the stone image), 10 and 11
// (generated from the stone image as material, in variants): a shaded
// stone with its shadow.
class GoMarkerStone : public GoMarker {
 public:
  using GoMarker::GoMarker;
  int SizeFor(int spacing) const override { return spacing; }
  int SampleFactor() const override { return width() < 40 ? 4 : 3; }

  // The image must outlive the drawable (kinds 8 to 11; without one they
  // draw only their shadow). Setting it again after it changed renders anew.
  void SetImage(const StoneImage* image);
  void SetVariant(int count, int index);

 protected:
  void DrawShape(rutl::DC& dc, int left, int top) override;
  void Sample(int gridWidth, int gridHeight, std::vector<SampleColour>& colours,
              std::vector<std::uint8_t>& transparent) override;

 private:
  const StoneImage* image_ = nullptr;
  int imageGeneration_ = 0;
  int variantCount_ = 1;
  int variantIndex_ = 0;
};

// Kinds 12 and 13: black-and-white stones drawn directly as ellipses, no picture.
class GoMarkerMonoStone : public GoMarker {
 public:
  using GoMarker::GoMarker;
  int SizeFor(int spacing) const override;
  int SampleFactor() const override { return width() < 40 ? 4 : 3; }
  bool Draw(rutl::DC& dc, int x, int y, bool centred) override;
  // The outline width for the current size.
  int penWidth() const;

 protected:
  void DrawShape(rutl::DC& dc, int left, int top) override;
};

// Kinds 14 and 15: antialiased black-and-white stones.
class GoMarkerMonoAntiaStone : public GoMarker {
 public:
  using GoMarker::GoMarker;
  int SizeFor(int spacing) const override { return spacing; }
  int SampleFactor() const override { return width() < 40 ? 4 : 3; }

 protected:
  void DrawShape(rutl::DC& dc, int left, int top) override;
  void Sample(int gridWidth, int gridHeight, std::vector<SampleColour>& colours,
              std::vector<std::uint8_t>& transparent) override;
};

// The drawable class for a kind; null for kinds without one.
std::unique_ptr<GoMarker> MakeGoMarker(int kind);

}  // namespace vantaro
