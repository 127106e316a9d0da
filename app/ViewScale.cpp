#include "app/ViewScale.h"

#include <algorithm>

ViewScale::ViewScale(int viewWidth, int viewHeight)
    : viewWidth(viewWidth), viewHeight(viewHeight), width(viewWidth), height(viewHeight) {}

void ViewScale::setWindow(int windowWidth, int windowHeight) {
  width = windowWidth;
  height = windowHeight;
  scale = std::max(1, std::min(width / viewWidth, height / viewHeight));
  left = (width - viewWidth * scale) / 2;
  top = (height - viewHeight * scale) / 2;
}

int ViewScale::toView(int windowCoordinate, int origin, int extent) const {
  // Floored, so that the pixels left of the view's edge land on the bar.
  const int offset = windowCoordinate - origin;
  const int view = offset >= 0 ? offset / scale : -1;
  return std::clamp(view, 0, extent - 1);
}
