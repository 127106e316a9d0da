#pragma once

// The game's fixed view in a window of any size: drawn at the largest whole
// scale that fits (1 at least, cut at the edges in a smaller window),
// centred, the rest of the window left as black bars.
class ViewScale {
public:
  ViewScale(int viewWidth, int viewHeight);

  void setWindow(int width, int height);
  int getScale() const { return scale; }
  // The window position of the view's top-left corner; negative in a
  // window smaller than the view.
  int getLeft() const { return left; }
  int getTop() const { return top; }
  // True when the window is the view, pixel for pixel.
  bool isPlain() const { return width == viewWidth && height == viewHeight; }

  // The view pixel under a window pixel; over a bar, the nearest pixel on
  // the view's edge.
  int toViewX(int windowX) const { return toView(windowX, left, viewWidth); }
  int toViewY(int windowY) const { return toView(windowY, top, viewHeight); }

private:
  int toView(int windowCoordinate, int origin, int extent) const;

  int viewWidth;
  int viewHeight;
  int width;
  int height;
  int scale = 1;
  int left = 0;
  int top = 0;
};
