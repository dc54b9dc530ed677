#pragma once
// A canvas that keeps every call, so tests see what a painter or a control
// look drew: which image where, which colours, which texts.
#include <string>
#include <vector>

#include "ui/Canvas.h"
#include "ui/SkinImageTable.h"

struct CanvasCall {
  enum Kind {
    Image,
    ImageScaled,
    ImagePart,
    FillRect,
    FillRoundRect,
    FillEllipse,
    FillPolygon,
    DrawRect,
    Line,
    Polyline,
    Text,
    PushClip,
    PopClip
  };
  explicit CanvasCall(Kind callKind) : kind(callKind) {}
  Kind kind;
  int imageId = 0;
  RectI rect;    // target, fill or clip rectangle, or text layout
  RectI source;  // image part
  int radius = 0;
  uint8_t alpha = 255;  // scaled image alpha
  Rgba color;
  PenStyle pen;
  std::vector<PointF> points;
  std::u16string text;
  TextStyle textStyle;
};

class RecordingCanvas : public Canvas {
 public:
  // Every character measures this wide in every font, lines this high.
  static constexpr float kCharWidth = 7;
  static constexpr float kLineHeight = 16;

  std::vector<CanvasCall> calls;

  void DrawImage(int imageId, int x, int y) override { Add(CanvasCall::Image, {x, y, 0, 0}).imageId = imageId; }
  void DrawImageScaled(int imageId, const RectI& target, uint8_t alpha) override {
    CanvasCall& call = Add(CanvasCall::ImageScaled, target);
    call.imageId = imageId;
    call.alpha = alpha;
  }
  void DrawImagePart(int imageId, const RectI& source, int x, int y) override {
    CanvasCall& call = Add(CanvasCall::ImagePart, {x, y, source.width, source.height});
    call.imageId = imageId;
    call.source = source;
  }
  void FillRect(const RectI& rect, const Rgba& color) override { Add(CanvasCall::FillRect, rect).color = color; }
  void FillRoundRect(const RectI& rect, int cornerRadius, const Rgba& color) override {
    CanvasCall& call = Add(CanvasCall::FillRoundRect, rect);
    call.radius = cornerRadius;
    call.color = color;
  }
  void FillEllipse(const RectI& rect, const Rgba& color) override { Add(CanvasCall::FillEllipse, rect).color = color; }
  void FillPolygon(const std::vector<PointF>& points, const Rgba& color) override {
    Add(CanvasCall::FillPolygon, {}, points).color = color;
  }
  void DrawRect(const RectI& rect, const PenStyle& pen) override { Add(CanvasCall::DrawRect, rect).pen = pen; }
  void DrawLine(PointF from, PointF to, const PenStyle& pen) override { Add(CanvasCall::Line, {}, {from, to}).pen = pen; }
  void DrawPolyline(const std::vector<PointF>& points, const PenStyle& pen) override {
    Add(CanvasCall::Polyline, {}, points).pen = pen;
  }
  void DrawText(const std::u16string& text, const RectI& layout, const TextStyle& style) override {
    CanvasCall& call = Add(CanvasCall::Text, layout);
    call.text = text;
    call.textStyle = style;
  }
  SizeF MeasureText(const std::u16string& text, int) override {
    return {kCharWidth * static_cast<float>(text.size()), kLineHeight};
  }
  void PushClip(const RectI& rect, int cornerRadius) override { Add(CanvasCall::PushClip, rect).radius = cornerRadius; }
  void PopClip() override { Add(CanvasCall::PopClip, {}); }

  // The calls of one kind, in order.
  std::vector<CanvasCall> OfKind(CanvasCall::Kind kind) const {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : calls) {
      if (call.kind == kind) found.push_back(call);
    }
    return found;
  }
  // What a call covers: an unscaled image in its own size (from the skin's
  // image table), any other call its rectangle.
  static RectI Covered(const CanvasCall& call) {
    if (call.kind != CanvasCall::Image) return call.rect;
    const SkinImageEntry* entry = FindSkinImage(call.imageId);
    return {call.rect.x, call.rect.y, entry ? entry->width : 0, entry ? entry->height : 0};
  }
  // The images drawn whose use in the image table starts with `use`, in order.
  std::vector<CanvasCall> ImagesOf(const std::string& use) const {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : OfKind(CanvasCall::Image)) {
      const SkinImageEntry* entry = FindSkinImage(call.imageId);
      if (entry && std::string(entry->use).rfind(use, 0) == 0) found.push_back(call);
    }
    return found;
  }
  // The ids of the images drawn, in order, whatever the form of the call.
  std::vector<int> ImageIds() const {
    std::vector<int> ids;
    for (const CanvasCall& call : calls) {
      if (call.kind == CanvasCall::Image || call.kind == CanvasCall::ImageScaled ||
          call.kind == CanvasCall::ImagePart) {
        ids.push_back(call.imageId);
      }
    }
    return ids;
  }

 private:
  CanvasCall& Add(CanvasCall::Kind kind, const RectI& rect, std::vector<PointF> points = {}) {
    calls.emplace_back(kind);
    calls.back().rect = rect;
    calls.back().points = std::move(points);
    return calls.back();
  }
};
