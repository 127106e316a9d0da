#include "actors/Point2D.h"

#include <cmath>

Point2D::Point2D() {
  set(0, 0);
}

Point2D::Point2D(double x, double y) {
  set(x, y);
}

void Point2D::set(double newX, double newY) {
  setX(newX);
  setY(newY);
}

Point2D Point2D::operator+(const Point2D& p) const {
  return Point2D(x + p.x, y + p.y);
}

void Point2D::operator+=(const Point2D& p) {
  x = x + p.x;
  y = y + p.y;
}

Point2D Point2D::operator-() const {
  return Point2D(-x, -y);
}

Point2D Point2D::operator-(const Point2D& p) const {
  return Point2D(x - p.x, y - p.y);
}

Point2D Point2D::operator*(double s) const {
  return Point2D(x * s, y * s);
}

Point2D Point2D::operator/(double s) const {
  return Point2D(x / s, y / s);
}

double Point2D::magnitudeSquared() const {
  return x * x + y * y;
}

double Point2D::magnitude() const {
  return std::sqrt(magnitudeSquared());
}

Point2D Point2D::unitVector() const {
  return Point2D(x / magnitude(), y / magnitude());
}

Point2D Point2D::convertPixelPerSecond(int ms) const {
  return Point2D(x * ms / 1000, y * ms / 1000);
}
